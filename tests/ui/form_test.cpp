// The form engine's controls, the stored-settings store and its text, and
// the standard dialogs: answered by a script, and once for real.

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

#include "window/controls/PropertyBag.h"
#include "window/controls/StoredForm.h"
#include "window/controls/CommonDialogs.h"
#include "window/form/command_button.h"
#include "window/form/form.h"
#include "window/form/frame.h"
#include "window/form/hscrollbar.h"
#include "window/form/label.h"
#include "window/form/line.h"
#include "window/ui/dialog_script.h"
#include "window/ui/gdi.h"
#include "window/ui/window.h"
#include "ui_test_support.h"

namespace ui = window::ui;
namespace form = window::form;
using controls::PropertyBag;
using controls::StoredForm;

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

    void designPositionsAreTwips() {
        QCOMPARE(form_->ClientWidth(), 617);
        QCOMPARE(form_->ClientHeight(), 422);
        QCOMPARE(form::Twips(120, 1080, 9015, 5145), (form::Bounds{8, 72, 601, 343}));
        QCOMPARE(form::TwipsToPixels(2535 - 45), 166);
        QCOMPARE(form::TwipsToPixels(-15), -1);
    }

    void controlsAreFoundByName() {
        form::Frame& page = form_->AddFrame(L"FrameVeltrix(9)", form::Twips(9360, 1680, 8775, 4425));
        form::Label& label = page.AddLabel(L"LabelHarddrivesModel", form::Twips(240, 360, 1695, 255), L"Model:");
        QCOMPARE(form_->Find<form::Label>(L"LabelHarddrivesModel"), &label);
        QVERIFY(!form_->Find<form::HScrollBar>(L"LabelHarddrivesModel"));
        QVERIFY(!form_->FindControl(L"Nothing"));
        QCOMPARE(ui_test::WidgetOf(form_->Hwnd())->findChild<QWidget*>(QStringLiteral("LabelHarddrivesModel")),
                 ui_test::WidgetOf(label.Hwnd()));
        QCOMPARE(label.GetBounds(), (form::Bounds{16, 24, 113, 17}));
        // Pages are parked outside and moved in at run time, in pixels.
        page.Move(16, 112);
        QCOMPARE(page.Left(), 16);
        page.SetVisible(false);
        QVERIFY(!page.Visible());
        QVERIFY(label.Visible());
        QVERIFY(!ui_test::WidgetOf(label.Hwnd())->isVisibleTo(ui_test::WidgetOf(form_->Hwnd())));
    }

    void labelsPaintTheirColoursAndRaiseClicks() {
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

        int clicks = 0;
        int doubleClicks = 0;
        label.SetEnabled(true);
        label.Click.Connect([&] { ++clicks; });
        label.DblClick.Connect([&] { ++doubleClicks; });
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        QTest::mouseClick(ui_test::WidgetOf(label.Hwnd()), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseDClick(ui_test::WidgetOf(label.Hwnd()), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(ui_test::WidgetOf(label.Hwnd()), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicks, 1);
        QCOMPARE(doubleClicks, 1);

        label.SetCaption(L"A&B");
        const int withMnemonic = label.CaptionWidth();
        label.SetUseMnemonic(false);
        QVERIFY(label.CaptionWidth() > withMnemonic);
    }

    void scrollBarRangeValueAndChange() {
        form::HScrollBar& bar = form_->AddHScrollBar(L"HScrollIndex(9)", form::Twips(2535, 315, 495, 285));
        int changes = 0;
        bar.Change.Connect([&] { ++changes; });
        // An empty list: Max one below Min, the value stays at Min.
        bar.SetMax(-1);
        QCOMPARE(bar.Max(), -1);
        QCOMPARE(bar.Value(), 0);
        QCOMPARE(changes, 0);
        bar.SetMax(4);
        bar.SetValue(2);
        QCOMPARE(changes, 1);
        bar.SetValue(2);
        bar.SetValue(7);
        QCOMPARE(bar.Value(), 2);
        QCOMPARE(changes, 1);
        // A smaller range moves the value into it.
        bar.SetMax(1);
        QCOMPARE(bar.Value(), 1);
        QCOMPARE(changes, 2);
        // The user's arrow click raises Change too.
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        auto* widget = static_cast<QScrollBar*>(ui_test::WidgetOf(bar.Hwnd()));
        widget->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(bar.Value(), 0);
        QCOMPARE(changes, 3);
        bar.SetEnabled(false);
        QVERIFY(!widget->isEnabled());
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

    void timerTicksWhileEnabledWithAnInterval() {
        form::Timer& timer = form_->AddTimer(L"TimerVeltrix");
        int ticks = 0;
        timer.Tick.Connect([&] { ++ticks; });
        QTest::qWait(30);
        QCOMPARE(ticks, 0);  // no interval yet
        timer.SetInterval(10);
        QTRY_VERIFY(ticks >= 2);
        timer.SetEnabled(false);
        const int stopped = ticks;
        QTest::qWait(40);
        QCOMPARE(ticks, stopped);
        QCOMPARE(form_->FindTimer(L"TimerVeltrix"), &timer);
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
        QVERIFY(form_->TextWidth(L"www.example.org") > form_->TextWidth(L"www"));
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

    void propertyBagLeavesDefaultsOut() {
        PropertyBag bag;
        bag.WriteLong(L"Count", 0, 0);
        bag.WriteBool(L"MultiRow", true, false);
        bag.WriteString(L"TabText(3)", L"Netwerk", L"");
        bag.WriteFont(L"Font", {L"Verdana", 9.75, true}, {});
        QVERIFY(!bag.Contains(L"Count"));
        QCOMPARE(bag.Values().size(), std::size_t{3});
        QCOMPARE(bag.ReadLong(L"Count", 15), 15);
        QVERIFY(bag.ReadBool(L"MultiRow", false));
        QCOMPARE(bag.ReadLong(L"MultiRow", 0), -1);
        QVERIFY(bag.ReadString(L"MultiRow", L"fallback") == L"fallback");
        QVERIFY(bag.ReadFont(L"Font", {}).bold);
        // Writing the default again takes the key out.
        bag.WriteBool(L"MultiRow", false, false);
        QVERIFY(!bag.Contains(L"MultiRow"));
        controls::ChangedProperties changed;
        changed.Mark(L"TabText(3)");
        QVERIFY(changed.Contains(L"TabText(3)"));
        QVERIFY(!changed.Contains(L"TabText(2)"));
    }

    void storedFormTextRoundTrips() {
        const char text[] =
            "' comment\n"
            "# another\n"
            "\n"
            "InfoFrameVeltrix.BackColor=&H00796150&\r\n"
            "InfoFrameVeltrix.Text=\"Veltrix \"\"1.0\"\" = goed.\"\n"
            "TabControlVeltrix.Count = 15\n"
            "TabControlVeltrix.MultiRow=true\n"
            "SunkenLabelIndex(2).Font=Font(\"MS Sans Serif\", 8.25, Bold, Underline)\n"
            "SunkenLabelIndex(2).ForeColor=-2147483630\n";
        std::string error;
        const auto stored = StoredForm::Parse(text, &error);
        QVERIFY2(stored, error.c_str());
        QCOMPARE(stored->Bag(L"InfoFrameVeltrix").ReadLong(L"BackColor", 0), 0x796150);
        QVERIFY(stored->Bag(L"InfoFrameVeltrix").ReadString(L"Text", L"") == L"Veltrix \"1.0\" = goed.");
        QCOMPARE(stored->Bag(L"TabControlVeltrix").ReadLong(L"Count", 0), 15);
        QVERIFY(stored->Bag(L"TabControlVeltrix").ReadBool(L"MultiRow", false));
        const ui::StdFont font = stored->Bag(L"SunkenLabelIndex(2)").ReadFont(L"Font", {});
        QCOMPARE(font.size, 8.25);
        QVERIFY(font.bold && font.underline && !font.italic);
        QCOMPARE(static_cast<ui::OLE_COLOR>(stored->Bag(L"SunkenLabelIndex(2)").ReadLong(L"ForeColor", 0)), ui::OLE_COLOR{0x80000012});
        QVERIFY(stored->Bag(L"Absent").Values().empty());
        const auto again = StoredForm::Parse(stored->Format());
        QVERIFY(again);
        QCOMPARE(again->Format(), stored->Format());
        QVERIFY(again->Bag(L"SunkenLabelIndex(2)") == stored->Bag(L"SunkenLabelIndex(2)"));
        // A size with more than six digits is written in full, so it reads back the same.
        const auto precise = StoredForm::Parse("A.Font=Font(\"Arial\", 8.2555555)");
        QVERIFY(precise);
        QVERIFY(StoredForm::Parse(precise->Format())->Bag(L"A") == precise->Bag(L"A"));
    }

    void storedFormTextNamesTheLineItCannotRead_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("error");
        QTest::newRow("no equals") << QByteArray("A.Count=1\nA.Count 1\n") << QByteArray("line 2: expected Control.Key=Value");
        QTest::newRow("no key") << QByteArray("Count=1") << QByteArray("line 1: expected a control name");
        QTest::newRow("open quote") << QByteArray("A.Text=\"abc") << QByteArray("line 1: the text has no closing quote");
        QTest::newRow("after quote") << QByteArray("A.Text=\"a\" b") << QByteArray("line 1: something follows");
        QTest::newRow("too big") << QByteArray("A.Count=4294967296") << QByteArray("line 1: the number does not fit");
        QTest::newRow("bad hex") << QByteArray("A.Color=&HXYZ&") << QByteArray("line 1: not a hex digit");
        QTest::newRow("word") << QByteArray("A.Enabled=Yes") << QByteArray("line 1: expected True, False");
        QTest::newRow("font size") << QByteArray("A.Font=Font(\"Arial\", big)") << QByteArray("line 1: the font's size");
        QTest::newRow("font effect") << QByteArray("A.Font=Font(\"Arial\", 8, Wide)") << QByteArray("line 1: a font's effects");
        // Sizes no whole-point or pixel arithmetic can hold.
        QTest::newRow("font size infinite") << QByteArray("A.Font=Font(\"Arial\", inf)") << QByteArray("line 1: the font's size is larger");
        QTest::newRow("font size huge") << QByteArray("A.Font=Font(\"Arial\", 1e79)") << QByteArray("line 1: the font's size is larger");
    }
    void storedFormTextNamesTheLineItCannotRead() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, error);
        std::string why;
        QVERIFY(!StoredForm::Parse(text.toStdString(), &why));
        QVERIFY2(QByteArray::fromStdString(why).startsWith(error), why.c_str());
    }

    void saveDialogInputsAndResults() {
        ui::testing::DialogScript script;
        controls::CommonDialogs dialogs;
        QCOMPARE(dialogs.FilterIndex(), std::uint8_t{1});
        dialogs.SetFilter(kReportFilter);
        dialogs.SetOwnerHwnd(form_->Hwnd());
        dialogs.SetTitle(L"Opslaan Als");
        dialogs.SetFileName(L"Processor");
        script.CancelSave();
        QVERIFY(!dialogs.ShowSave());
        QVERIFY(dialogs.FileName() == L"Processor");
        QVERIFY(dialogs.FileTitle().empty());

        script.ChooseFile(L"/home/gebruiker/Documenten/Processor.txt", 1);
        QVERIFY(dialogs.ShowSave());
        QVERIFY(dialogs.FileName() == L"/home/gebruiker/Documenten/Processor.txt");
        QVERIFY(dialogs.FileTitle() == L"Processor.txt");
        QCOMPARE(dialogs.FilterIndex(), std::uint8_t{1});

        QCOMPARE(script.SaveDialogs().size(), std::size_t{2});
        const ui::SaveFileRequest& asked = script.SaveDialogs().front();
        QCOMPARE(asked.owner, form_->Hwnd());
        QVERIFY(asked.title == L"Opslaan Als");
        QVERIFY(asked.fileName == L"Processor");
        QCOMPARE(asked.filterIndex, 1);
        QVERIFY(asked.confirmOverwrite);
        QCOMPARE(asked.filters.size(), std::size_t{1});
        QVERIFY(asked.filters[0].description == L"Tekstdocument (*.txt)");
        QVERIFY(asked.filters[0].patterns == L"*.txt");
        // Unanswered: cancelled. The last choice is proposed again.
        QVERIFY(!dialogs.ShowSave());
        QVERIFY(script.SaveDialogs()[2].fileName == L"/home/gebruiker/Documenten/Processor.txt");
        QCOMPARE(script.PendingAnswers(), std::size_t{0});
    }

    void rawFilterLists() {
        using controls::CommonDialogs;
        QCOMPARE(CommonDialogs::ParseFilter(kReportFilter).size(), std::size_t{1});
        const auto two = CommonDialogs::ParseFilter(std::wstring(L"Tekst\0*.txt\0Alles\0*.*\0\0", 24));
        QCOMPARE(two.size(), std::size_t{2});
        QVERIFY(two[1].patterns == L"*.*");
        // Without the closing NULs, and a description without its pattern.
        QCOMPARE(CommonDialogs::ParseFilter(std::wstring(L"Tekst\0*.txt", 11)).size(), std::size_t{1});
        QCOMPARE(CommonDialogs::ParseFilter(std::wstring(L"Tekst\0*.txt\0Alles", 17)).size(), std::size_t{1});
        QVERIFY(CommonDialogs::ParseFilter(L"").empty());
    }

    void messageBoxesAndAddressesAreScripted() {
        ui::testing::DialogScript script;
        script.AnswerMessageBox(ui::IDOK);
        QCOMPARE(ui::MessageBox(form_->Hwnd(), L"Fout bij het opslaan van /tmp/x.txt", L"Veltrix", ui::MB_OK | ui::MB_ICONEXCLAMATION), ui::IDOK);
        QCOMPARE(ui::MessageBox(form_->Hwnd(), L"Nog een", L"Veltrix", ui::MB_YESNO), ui::IDCANCEL);
        QCOMPARE(script.MessageBoxes().size(), std::size_t{2});
        QVERIFY(script.MessageBoxes()[0].text == L"Fout bij het opslaan van /tmp/x.txt");
        QVERIFY(script.MessageBoxes()[0].caption == L"Veltrix");
        QCOMPARE(script.MessageBoxes()[0].type, ui::MB_OK | ui::MB_ICONEXCLAMATION);
        QVERIFY(ui::OpenUrl(L"https://www.example.org"));
        QCOMPARE(script.OpenedUrls(), std::vector<std::wstring>{L"https://www.example.org"});
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
