// Every caption and value of every page fits its label in the fonts the
// window asks for, as the desktop maps them: Liberation Sans, metric
// compatible with the design font, must be installed (scripts/install-deps.sh),
// since a wider substitute cuts captions mid-letter.

#include <QFontInfo>
#include <QTest>

#include <memory>
#include <string>

#include "app/FormVeltrix.h"
#include "window/form/frame.h"
#include "window/form/label.h"
#include "platform/machine_factory.h"

namespace {

std::string MachineFile(const char* name) { return std::string(VELTRIX_SOURCE_DIR) + "/tests/machines/" + name; }

// Labels of one frame whose text is wider than the label, as "name: text (width > label width)".
QStringList CutLabels(const window::form::Frame& frame) {
    QStringList cut;
    for (const auto& control : frame.Controls()) {
        const auto* label = dynamic_cast<const window::form::Label*>(control.get());
        if (!label || !label->Visible()) continue;
        if (label->CaptionWidth() > label->Width())
            cut << QStringLiteral("%1: \"%2\" (%3 > %4)")
                       .arg(QString::fromStdWString(label->Name()), QString::fromStdWString(label->Caption()))
                       .arg(label->CaptionWidth())
                       .arg(label->Width());
    }
    return cut;
}

// Every page, and on a device page every device.
QStringList CutLabelsOfEveryPage(app::FormVeltrix& form) {
    QStringList cut;
    for (int category = 0; category < app::kCategoryCount; ++category) {
        window::form::Frame& frame = form.FrameVeltrix(category);
        cut << CutLabels(frame);
        if (!frame.Find<window::form::HScrollBar>(L"HScrollIndex(" + std::to_wstring(category) + L")")) continue;
        window::form::HScrollBar& index = form.HScrollIndex(category);
        for (int item = index.Min(); item <= index.Max(); ++item) {
            index.SetValue(item);
            cut << CutLabels(frame);
        }
    }
    cut.removeDuplicates();
    return cut;
}

}  // namespace

class TextFitTest : public QObject {
    Q_OBJECT

private slots:
    void everyCaptionAndValueFitsItsLabel_data() {
        QTest::addColumn<QString>("machine");
        for (const char* name : {"laptop.json", "desktop.json", "charging-laptop.json", "old-processor.json"})
            QTest::newRow(name) << QString::fromStdString(MachineFile(name));
        for (const char* tree : {"laptop", "desktop", "debian-vm"})
            QTest::newRow(tree) << QStringLiteral(VELTRIX_SOURCE_DIR "/tests/trees/%1").arg(QString::fromLatin1(tree));
    }

    void everyCaptionAndValueFitsItsLabel() {
        QFETCH(QString, machine);
        platform::MachineOptions options;
        if (machine.endsWith(QStringLiteral(".json")))
            options.machineFile = machine.toStdString();
        else
            options.root = machine.toStdString();
        auto created = platform::CreateMachine(options);
        QVERIFY2(created.machine, created.error.c_str());
        app::FormVeltrix form(*created.machine);
        form.Load();
        const QStringList cut = CutLabelsOfEveryPage(form);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("\n"))));
    }
};

QTEST_MAIN(TextFitTest)
#include "text_fit_test.moc"
