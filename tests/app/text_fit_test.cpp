// Every caption and value of every page fits its label in the fonts the
// window asks for, as the desktop maps them: Liberation Sans, metric
// compatible with the design font, must be installed (scripts/install-deps.sh),
// since a wider substitute cuts captions mid-letter.

#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

#include <memory>
#include <string>

#include "app/FormVeltrix.h"
#include "app/pages/Categories.h"
#include "label_fit.h"
#include "platform/machine_factory.h"

namespace {

std::string MachineFile(const char* name) { return std::string(VELTRIX_SOURCE_DIR) + "/tests/machines/" + name; }

QString Lines(const std::vector<std::wstring>& cut) {
    QStringList lines;
    for (const auto& line : cut) lines << QString::fromStdWString(line);
    return lines.join(QStringLiteral("\n"));
}

}  // namespace

class TextFitTest : public QObject {
    Q_OBJECT

private slots:
    void everyCaptionAndValueFitsItsLabel_data() {
        QTest::addColumn<QString>("machine");
        for (const char* name :
             {"laptop.json", "desktop.json", "charging-laptop.json", "old-processor.json", "gaming-desktop.json"})
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
        const auto cut = testing_support::CutLabelsOfEveryPage(form);
        QVERIFY2(cut.empty(), qPrintable(Lines(cut)));
    }

    // The widest face the window may be drawn in: Liberation Sans at full
    // width (Arial's widths), which Wine takes for "MS Sans Serif" in a
    // prefix without Wine's own fonts, and whose widths Windows' scalable
    // substitute of it about has. Every caption's text fits its box there.
    void everyCaptionFitsItsBoxInTheWidestFace() {
        auto created = platform::CreateMachine([] {
            platform::MachineOptions options;
            options.machineFile = MachineFile("desktop.json");
            return options;
        }());
        QVERIFY2(created.machine, created.error.c_str());
        app::FormVeltrix form(*created.machine);
        form.Load();
        QFont face(QStringLiteral("Liberation Sans"));
        face.setPointSizeF(8.25);
        QVERIFY2(QFontInfo(face).family() == QStringLiteral("Liberation Sans"), "Liberation Sans is not installed");
        const QFontMetrics metrics(face);
        QStringList cut;
        for (int category = 0; category < app::kCategoryCount; ++category) {
            for (const app::PageRow& row : app::CategoryRowOf(category).page.rows) {
                const std::wstring name(row.label, row.label + std::char_traits<char>::length(row.label));
                const auto* label = form.FrameVeltrix(category).Find<window::form::Label>(name);
                QVERIFY2(label, row.label);
                const int width = metrics.horizontalAdvance(QString::fromWCharArray(row.dutchCaption));
                if (width > label->Width())
                    cut << QStringLiteral("%1: %2 > %3").arg(QLatin1String(row.label)).arg(width).arg(label->Width());
            }
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("\n"))));
    }
};

QTEST_MAIN(TextFitTest)
#include "text_fit_test.moc"
