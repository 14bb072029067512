// The form engine's controls as Qt paints them, and the standard dialogs
// for real (the toolkit's shared cases, tests/window_cases, answer them
// through the dialog seam on both sides).

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

#include "window/controls/CommonDialogs.h"
#include "window/form/command_button.h"
#include "window/form/form.h"
#include "window/form/frame.h"
#include "window/form/hscrollbar.h"
#include "window/form/label.h"
#include "window/form/line.h"
#include "window/ui/gdi.h"
#include "window/ui/window.h"
#include "ui_test_support.h"

namespace ui = window::ui;
namespace form = window::form;

namespace {

const std::wstring kReportFilter(L"Tekstdocument (*.txt)\0*.txt\0\0", 29);

// A button of `owner` that holds the keyboard focus, as a control of the
// main window does when a dialog opens from it.
QWidget* FocusedButton(form::Form& owner) {
    form::CommandButton& button = owner.AddCommandButton(L"CommandFocus", form::Twips(120, 120, 1215, 375), L"Focus");
    QWidget* widget = ui_test::WidgetOf(button.Hwnd());
    widget->setFocus(Qt::OtherFocusReason);
    return widget;
}

// After a dialog: its owner is the active window again and the control that
// had the focus has it again.
bool FocusCameBack(form::Form& owner, QWidget* focused) {
    QWidget* window = ui_test::WidgetOf(owner.Hwnd());
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == window && QApplication::focusWidget() == focused; }, 1000);
}

}  // namespace

class FormTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<form::Form> form_;

private slots:
    void init() { form_ = std::make_unique<form::Form>(L"FormVeltrix", form::TwipsToPixels(9255), form::TwipsToPixels(6330)); }
    void cleanup() {
        form_.reset();
        ui_test::FlushDeletes();
    }

    // A control's widget carries its name, so Qt's tools find it.
    void controlsWidgetsCarryTheirNames() {
        form::Frame& page = form_->AddFrame(L"FrameVeltrix(9)", form::Twips(9360, 1680, 8775, 4425));
        form::Label& label = page.AddLabel(L"LabelHarddrivesModel", form::Twips(240, 360, 1695, 255), L"Model:");
        QCOMPARE(ui_test::WidgetOf(form_->Hwnd())->findChild<QWidget*>(QStringLiteral("LabelHarddrivesModel")),
                 ui_test::WidgetOf(label.Hwnd()));
    }

    void labelsPaintTheirColours() {
        form::Label& label = form_->AddLabel(L"Value", {10, 10, 120, 17}, L"Onbekend");
        label.SetBackColor(ui::RGB(255, 255, 0));
        label.SetForeColor(ui::RGB(128, 0, 0));
        const QImage image = ui_test::Grab(label.Hwnd());
        QCOMPARE(ui_test::Pixel(image, 118, 1), ui::RGB(255, 255, 0));
        bool dark = false;
        for (int x = 0; x < 60; ++x) {
            for (int y = 0; y < 17; ++y) {
                const QColor c = image.pixelColor(x, y);
                dark |= c.red() >= 120 && c.red() <= 170 && c.green() < 60 && c.blue() < 60;
            }
        }
        QVERIFY(dark);
        label.SetEnabled(false);
        QVERIFY(!label.Enabled());
        QVERIFY(ui_test::Grab(label.Hwnd()) != image);


    }

    void scrollBarShowsAFocusMark() {
        form::HScrollBar& bar = form_->AddHScrollBar(L"HScrollIndex(9)", form::Twips(2535, 315, 495, 285));
        bar.SetMax(4);
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        auto* widget = static_cast<QScrollBar*>(ui_test::WidgetOf(bar.Hwnd()));
        // The form gives its first control the focus when it is shown.
        widget->clearFocus();
        QTRY_VERIFY(!widget->hasFocus());
        const QImage unfocused = widget->grab().toImage();
        widget->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(widget->hasFocus());
        const QImage focused = widget->grab().toImage();
        int changed = 0;
        for (int y = 0; y < focused.height(); ++y)
            for (int x = 0; x < focused.width(); ++x) changed += focused.pixel(x, y) != unfocused.pixel(x, y);
        QVERIFY2(changed > 0, "the scroll bar looks the same with and without the keyboard");
        widget->clearFocus();
        QTRY_VERIFY(!widget->hasFocus());
        QCOMPARE(widget->grab().toImage(), unfocused);
    }

    void linesAndPointers() {
        form::Line& line = form_->AddLine(L"LineUpper", 0, 61, 320, 61);
        line.SetBorderColor(0x808080);
        QCOMPARE(line.GetBounds(), (form::Bounds{0, 61, 320, 1}));
        QCOMPARE(ui_test::Pixel(ui_test::Grab(line.Hwnd()), 100, 0), ui::RGB(128, 128, 128));
        form_->SetMousePointer(form::MousePointer::Hourglass);
        QCOMPARE(ui_test::WidgetOf(form_->Hwnd())->cursor().shape(), Qt::WaitCursor);
        form_->SetMousePointer(form::MousePointer::Default);
        QCOMPARE(ui_test::WidgetOf(form_->Hwnd())->cursor().shape(), Qt::ArrowCursor);
    }

    void modalFormReturnsWhenItCloses() {
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        QWidget* focused = FocusedButton(*form_);
        form::Form about(L"FormAbout", form::TwipsToPixels(5055), form::TwipsToPixels(1755), {form::BorderStyle::FixedDialog});
        form::CommandButton& ok = about.AddCommandButton(L"CommandOK", form::Twips(1920, 1275, 1215, 375), L"OK");
        ok.SetDefault(true);
        ok.Click.Connect([&] { about.Unload(); });
        int unloaded = 0;
        about.Unloaded.Connect([&] { ++unloaded; });
        QTimer::singleShot(20, [&] {
            QVERIFY(about.Visible());
            QTest::keyClick(ui_test::WidgetOf(about.Hwnd()), Qt::Key_Return);
        });
        about.ShowModal(form_->Hwnd());
        QVERIFY(!about.Visible());
        QCOMPARE(unloaded, 1);
        QVERIFY(FocusCameBack(*form_, focused));
        // Centred over its owner.
        const QRect owner = ui_test::WidgetOf(form_->Hwnd())->geometry();
        QVERIFY(std::abs(ui_test::WidgetOf(about.Hwnd())->geometry().center().x() - owner.center().x()) <= 1);
    }

    // The real dialog: the caption, the filter as written, the proposed name,
    // and a question before an existing file is replaced.
    void realSaveDialogAsksBeforeReplacing() {
        QTemporaryDir folder;
        QFile existing(folder.filePath(QStringLiteral("Processor.txt")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        QWidget* focused = FocusedButton(*form_);

        controls::CommonDialogs dialogs;
        dialogs.SetFilter(kReportFilter);
        dialogs.SetOwnerHwnd(form_->Hwnd());
        dialogs.SetTitle(L"Opslaan Als");
        dialogs.SetFileName(L"Processor");
        dialogs.SetFolderName(folder.path().toStdWString());

        QStringList seen;
        bool asked = false;
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                asked = true;
                box->button(QMessageBox::Yes)->click();
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && seen.isEmpty()) {
                seen << dialog->windowTitle() << dialog->selectedNameFilter()
                     << dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            }
        });
        driver.start(20);
        QVERIFY(dialogs.ShowSave());
        driver.stop();
        QCOMPARE(seen.value(0), QStringLiteral("Opslaan Als"));
        QVERIFY(seen.value(1).startsWith(QStringLiteral("Tekstdocument (*.txt)")));
        QCOMPARE(seen.value(2), QStringLiteral("Processor"));
        QVERIFY(asked);
        QCOMPARE(QString::fromStdWString(dialogs.FileName()), folder.filePath(QStringLiteral("Processor.txt")));
        QVERIFY(dialogs.FileTitle() == L"Processor.txt");
        QCOMPARE(dialogs.FilterIndex(), std::uint8_t{1});
        // Answering "Ja" to the question leaves the keyboard with the window.
        QVERIFY(FocusCameBack(*form_, focused));
    }

    void realMessageBoxGivesTheFocusBack() {
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        QWidget* focused = FocusedButton(*form_);
        QString shown;
        QTimer::singleShot(20, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->button(QMessageBox::Yes)->click();
            }
        });
        QCOMPARE(ui::MessageBox(form_->Hwnd(), L"Vervangen?", L"Veltrix", ui::MB_YESNO | ui::MB_ICONQUESTION), ui::IDYES);
        QCOMPARE(shown, QStringLiteral("Vervangen?"));
        QVERIFY(FocusCameBack(*form_, focused));
    }
};

QTEST_MAIN(FormTest)
#include "form_test.moc"
