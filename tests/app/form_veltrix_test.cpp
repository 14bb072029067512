// The Veltrix window on simulated machines, offscreen: a fresh window per case.

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sys/stat.h>

#include "app/pages/DutchTexts.h"
#include "app/FormAbout.h"
#include "app/FormVeltrix.h"
#include "app/ModuleVeltrix.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
#include "platform/linux/areas/linux_machine.h"
#include "window/ui/dialog_script.h"
#include "window/ui/messages.h"
#include "window/ui/tab_strip.h"
#include "window/ui/window.h"
#include "sim_fixture.h"
#include "ui_test_support.h"

using app::FormVeltrix;
namespace ui = window::ui;

namespace {

// A device list for the index controls: `count` joysticks named "Stick k".
class FakeJoysticks final : public app::DevicePage {
public:
    explicit FakeJoysticks(std::int16_t count) : count_(count) {}
    std::int16_t Count() override { return count_; }
    void WriteItemFields(std::int16_t item, app::FieldSink& sink, const format::FormatEx&) override {
        sink.Write("LabelJoysticksName", app::FieldKind::kText, {true, L"Stick " + std::to_wstring(item), 0, L"Onbekend"});
        sink.Write("LabelJoysticksAxes", app::FieldKind::kText, {item != 0, std::to_wstring(item), 0, L"Onbekend"});
        sink.Write("LabelJoysticksButtons", app::FieldKind::kText, {true, L"4", 0, L"Onbekend"});
    }

private:
    std::int16_t count_;
};

struct Window {
    std::unique_ptr<platform::sim::SimMachine> machine;
    std::unique_ptr<FormVeltrix> form;
};

Window Open(const std::string& machineFile, std::int16_t joysticks = -1) {
    Window w;
    w.machine = testing_support::SimMachineFile(machineFile);
    w.form = std::make_unique<FormVeltrix>(*w.machine);
    if (joysticks >= 0) w.form->Collectors().SetDevices(app::kJoysticks, std::make_unique<FakeJoysticks>(joysticks));
    w.form->Load();
    return w;
}

int VisibleFrames(FormVeltrix& form, int* which) {
    int visible = 0;
    for (int i = 0; i < app::kCategoryCount; ++i) {
        if (form.FrameVeltrix(i).Visible()) {
            ++visible;
            *which = i;
        }
    }
    return visible;
}

std::string ReadFile(const std::string& path) { return testing_support::ReadFile(path); }

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("veltrix-window-" + std::to_string(::getpid()) + "-" + name))
        .string();
}

std::string RunReport(const std::string& args) {
    std::string command = std::string(VELTRIX_REPORT) + " " + args;
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

void ClickTab(FormVeltrix& form, int index) {
    ui::RECT r{};
    QVERIFY(ui::SendMessage(form.TabControlVeltrix().ControlHwnd(), ui::TCM_GETITEMRECT, static_cast<ui::WPARAM>(index),
                            reinterpret_cast<ui::LPARAM>(&r)));
    QTest::mouseClick(ui_test::WidgetOf(form.TabControlVeltrix().ControlHwnd()), Qt::LeftButton, {}, ui_test::Center(r));
}

// Picks one of the window menu's own entries, as the menu does.
void PickMenuItem(FormVeltrix& form, int index) {
    ui::SendMessage(form.Form().Hwnd(), ui::WM_SYSCOMMAND, static_cast<ui::WPARAM>(index), 0);
}

}  // namespace

class FormVeltrixTest : public QObject {
    Q_OBJECT

private slots:
    // The labels show every character of a name, and its controls escaped.
    void valueLabelsShowNamesWholeAndControlsEscaped() {
        Window w;
        w.machine = testing_support::SimFrom(R"({"code_page": "utf-8", "joysticks": {"devices": [
            {"slot": 0, "name": "G\u00e4mepad \u2122 \u5317\u4eac", "axes": 2, "buttons": 4},
            {"slot": 1, "name": "Cru\u001b[2J\u001b]0;pw\u0007zer\n\u0085", "axes": 2, "buttons": 4}]}})");
        w.form = std::make_unique<FormVeltrix>(*w.machine);
        w.form->Load();
        FormVeltrix& f = *w.form;
        QCOMPARE(f.ValueLabel("LabelJoysticksName").Caption(), std::wstring(L"G\u00e4mepad \u2122 \u5317\u4eac"));
        f.HScrollIndex(app::kJoysticks).SetValue(1);
        QCOMPARE(f.ValueLabel("LabelJoysticksName").Caption(), std::wstring(L"Cru\\x1B[2J\\x1B]0;pw\\x07zer\\x0A\\x85"));
    }

    void startupShowsOnlyTheProcessorPage() {
        auto w = Open("laptop.json");
        int shown = -1;
        QCOMPARE(VisibleFrames(*w.form, &shown), 1);
        QCOMPARE(shown, 0);
        QCOMPARE(w.form->FrameVeltrix(0).Left(), 240 / 15);
        QCOMPARE(w.form->FrameVeltrix(0).Top(), 1680 / 15);
        QCOMPARE(w.form->Form().ClientWidth(), 617);
        QCOMPARE(w.form->Form().ClientHeight(), 422);
        QCOMPARE(w.form->TimerVeltrix().Interval(), 500);
        QVERIFY(w.form->TimerVeltrix().Enabled());
    }

    void aTabClickShowsThatPageAtTheSamePlace() {
        auto w = Open("laptop.json");
        QVERIFY(ui_test::ShowActive(w.form->Form().Hwnd()));
        for (int k : {5, 14, 0, 9, 9}) {
            ClickTab(*w.form, k);
            int shown = -1;
            QCOMPARE(VisibleFrames(*w.form, &shown), 1);
            QCOMPARE(shown, k);
            QCOMPARE(w.form->FrameVeltrix(k).Left(), FormVeltrix::kPageLeft);
            QCOMPARE(w.form->FrameVeltrix(k).Top(), FormVeltrix::kPageTop);
        }
    }

    void valuesAreDarkBlueAndFallbacksDarkRed() {
        auto w = Open("old-processor.json");
        auto& name = w.form->ValueLabel("LabelProcessorName");
        QCOMPARE(name.Caption(), std::wstring(L"Onbekend"));
        QCOMPARE(name.ForeColor(), app::kFallbackColor);
        auto& family = w.form->ValueLabel("LabelProcessorFamilyid");
        QCOMPARE(family.Caption(), std::wstring(L"4"));
        QCOMPARE(family.ForeColor(), app::kValidColor);
        QCOMPARE(w.form->ValueLabel("LabelProcessorSpeed").Caption(), std::wstring(L"66,666666 MHz"));
        QCOMPARE(w.form->ValueLabel("LabelMouseButtons").Caption(), std::wstring(L"Niet aanwezig"));
        QCOMPARE(w.form->ValueLabel("LabelMouseButtons").ForeColor(), app::kFallbackColor);
        QCOMPARE(w.form->ValueLabel("LabelMemoryusageLoad").Caption(), std::wstring(L"Onbekend"));
        QCOMPARE(app::kValidColor, 0x800000u);
        QCOMPARE(app::kFallbackColor, 0x000080u);
    }

    void theKeyboardPageShowsRealMilliseconds() {
        auto w = Open("desktop.json");
        QCOMPARE(w.form->ValueLabel("LabelKeyboardRepeatdelay").Caption(), std::wstring(L"500 ms"));
        QCOMPARE(w.form->ValueLabel("LabelKeyboardRepeatspeed").Caption(), std::wstring(L"33 ms"));
        QCOMPARE(w.form->ValueLabel("LabelKeyboardNumlock").Caption(), std::wstring(L"Aan"));
    }

    void everyTextIsDutch() {
        auto w = Open("desktop.json");
        FormVeltrix& f = *w.form;
        for (int k = 0; k < app::kCategoryCount; ++k) {
            QCOMPARE(f.TabControlVeltrix().Tab2(static_cast<std::int16_t>(k))->Text(), app::DutchTabText(k));
            for (const app::PageRow& row : app::Page(k).rows) {
                QCOMPARE(f.CaptionLabel(row.label).Caption(), app::DutchCaption(row.designCaption));
                QVERIFY(!f.CaptionLabel(row.label).Caption().empty());
            }
        }
        QCOMPARE(f.ValueLabel("LabelBatteryChargestatus").Tag(),
                 std::wstring(L"Hoog;Laag;Kritisch;Aan het laden;;;;Geen systeembatterij"));
        QCOMPARE(f.ValueLabel("LabelMouseButtonconfiguration").Tag(), std::wstring(L";Rechtshandig;Linkshandig"));
        QCOMPARE(f.ValueLabel("LabelLogicaldrivesType").Tag(),
                 std::wstring(L"Onbekend;Geen hoofdmap;Verwisselbaar;Vast;Netwerk;CD-ROM;RAM Schijf;DVD"));
        QCOMPARE(f.SystemMenuVeltrix().SystemMenuItem(1)->Text(), std::wstring(L"Opslaan &Als..."));
        QCOMPARE(f.SystemMenuVeltrix().SystemMenuItem(2)->Text(), std::wstring(L"Opslaan A&lle Als..."));
        QCOMPARE(f.SystemMenuVeltrix().SystemMenuItem(4)->Text(), std::wstring(L"&Over Veltrix..."));
        QCOMPARE(f.SystemMenuVeltrix().SystemMenuItem(0)->Style(), controls::SystemMenuItem::kStyleSeparator);
        QCOMPARE(f.Form().Caption(), std::wstring(L"Veltrix"));
        QCOMPARE(f.InfoFrameVeltrix().Text(), std::wstring(L"Veltrix"));
        QCOMPARE(f.ValueLabel("LabelBatteryChargestatus").Caption(), std::wstring(L"Geen systeembatterij"));
    }

    void anEmptyCategoryDisablesItsIndexControlsAndCaptions() {
        auto w = Open("laptop.json");
        FormVeltrix& f = *w.form;
        for (int k : {app::kDisplay, app::kNetwork, app::kSound, app::kPrinters, app::kJoysticks, app::kHardDrives,
                      app::kOpticalDrives, app::kLogicalDrives, app::kPorts, app::kUSBDevices}) {
            QVERIFY(!f.LabelIndex(k).Enabled());
            QVERIFY(!f.SunkenLabelIndex(k).Enabled());
            QVERIFY(!f.HScrollIndex(k).Enabled());
            QCOMPARE(f.HScrollIndex(k).Max(), -1);
            QCOMPARE(f.SunkenLabelIndex(k).Text(), std::wstring());
            for (const app::PageRow& row : app::Page(k).rows) {
                QVERIFY(!f.CaptionLabel(row.label).Enabled());
                if (!row.isIndexRow) QCOMPARE(f.ValueLabel(row.label).Caption(), std::wstring());
            }
        }
        QVERIFY(f.CaptionLabel("LabelKeyboardType").Enabled());
    }

    void oneDeviceDisablesOnlyTheScrollBar() {
        auto w = Open("laptop.json", 1);
        FormVeltrix& f = *w.form;
        QVERIFY(f.LabelIndex(app::kJoysticks).Enabled());
        QVERIFY(f.SunkenLabelIndex(app::kJoysticks).Enabled());
        QVERIFY(!f.HScrollIndex(app::kJoysticks).Enabled());
        QCOMPARE(f.SunkenLabelIndex(app::kJoysticks).Text(), std::wstring(L"0"));
        QCOMPARE(f.ValueLabel("LabelJoysticksName").Caption(), std::wstring(L"Stick 0"));
        QCOMPARE(f.ValueLabel("LabelJoysticksAxes").Caption(), std::wstring(L"Onbekend"));
        QCOMPARE(f.ValueLabel("LabelJoysticksAxes").ForeColor(), app::kFallbackColor);
    }

    void movingTheScrollBarShowsThatDevice() {
        auto w = Open("laptop.json", 3);
        FormVeltrix& f = *w.form;
        window::form::HScrollBar& bar = f.HScrollIndex(app::kJoysticks);
        QVERIFY(bar.Enabled());
        QCOMPARE(bar.Min(), 0);
        QCOMPARE(bar.Max(), 2);
        for (int k : {2, 1, 0}) {
            bar.SetValue(k);
            QCOMPARE(f.SunkenLabelIndex(app::kJoysticks).Text(), std::to_wstring(k));
            QCOMPARE(f.ValueLabel("LabelJoysticksName").Caption(), L"Stick " + std::to_wstring(k));
        }
        bar.SetValue(3);  // outside the range: nothing changes
        QCOMPARE(f.SunkenLabelIndex(app::kJoysticks).Text(), std::wstring(L"0"));
    }

    void theKeyboardReachesTheIndexScrollBar() {
        auto w = Open("laptop.json", 3);
        FormVeltrix& f = *w.form;
        QVERIFY(ui_test::ShowActive(f.Form().Hwnd()));
        ClickTab(f, app::kJoysticks);
        QWidget* strip = ui_test::WidgetOf(f.TabControlVeltrix().ControlHwnd());
        QWidget* bar = ui_test::WidgetOf(f.HScrollIndex(app::kJoysticks).Hwnd());
        QTRY_VERIFY(strip->hasFocus());
        // Tab leaves the strip for the page's scroll bar; an arrow there moves to the next device.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_VERIFY(bar->hasFocus());
        QTest::keyClick(bar, Qt::Key_Right);
        QTRY_COMPARE(f.SunkenLabelIndex(app::kJoysticks).Text(), std::wstring(L"1"));
        QCOMPARE(f.ValueLabel("LabelJoysticksName").Caption(), std::wstring(L"Stick 1"));
    }

    void aTickRewritesTheLiveRowsOnHiddenPages() {
        auto w = Open("laptop.json");
        FormVeltrix& f = *w.form;
        QCOMPARE(f.ValueLabel("LabelKeyboardCapslock").Caption(), std::wstring(L"Aan"));
        QCOMPARE(f.ValueLabel("LabelBatteryPowerstatus").Caption(), std::wstring(L"Niet aangesloten"));
        w.machine->Advance();
        f.TimerVeltrix_Timer();
        QVERIFY(!f.FrameVeltrix(app::kKeyboard).Visible());
        QCOMPARE(f.ValueLabel("LabelKeyboardCapslock").Caption(), std::wstring(L"Uit"));
        QCOMPARE(f.ValueLabel("LabelMemoryusageLoad").Caption(), std::wstring(L"61 %"));
        QCOMPARE(f.ValueLabel("LabelBatteryLifepercent").Caption(), std::wstring(L"30%"));
        QCOMPARE(f.ValueLabel("LabelBatteryChargestatus").Caption(), std::wstring(L"Laag"));
        QCOMPARE(f.ValueLabel("LabelBatteryLifetime").Caption(), std::wstring(L"00:30:00"));
        w.machine->Advance();
        // The real timer does the same within an interval.
        QTRY_COMPARE_WITH_TIMEOUT(f.ValueLabel("LabelBatteryPowerstatus").Caption(), std::wstring(L"Aangesloten"), 2000);
        QCOMPARE(f.ValueLabel("LabelBatteryLifetime").Caption(), std::wstring(L"Onbekend"));
        QCOMPARE(f.ValueLabel("LabelBatteryLifetime").ForeColor(), app::kFallbackColor);
        QCOMPARE(f.ValueLabel("LabelKeyboardCapslock").Caption(), std::wstring(L"Aan"));  // toggled, held down
        // Start-up values that the tick leaves alone.
        QCOMPARE(f.ValueLabel("LabelKeyboardRepeatspeed").Caption(), std::wstring(L"49 ms"));
    }

    void savingAllAsksWithTheReportsFilterAndWritesWhatTheCommandWrites() {
        for (const char* machine : {"laptop.json", "desktop.json"}) {
            auto w = Open(machine);
            ui::testing::DialogScript script;
            const std::string path = TempPath("all.txt");
            script.ChooseFile(std::wstring(path.begin(), path.end()));
            PickMenuItem(*w.form, FormVeltrix::kMenuSaveAllAs);
            QCOMPARE(script.SaveDialogs().size(), std::size_t{1});
            const ui::SaveFileRequest& asked = script.SaveDialogs()[0];
            QCOMPARE(asked.title, std::wstring(L"Opslaan Alle Als"));
            QCOMPARE(asked.fileName, std::wstring(L"Veltrix"));
            QCOMPARE(asked.filters.size(), std::size_t{1});
            QCOMPARE(asked.filters[0].description, std::wstring(L"Tekstdocument (*.txt)"));
            QCOMPARE(asked.filters[0].patterns, std::wstring(L"*.txt"));
            QCOMPARE(asked.filterIndex, 1);
            QVERIFY(asked.confirmOverwrite);
            QCOMPARE(script.MessageBoxes().size(), std::size_t{0});
            const std::string saved = ReadFile(path);
            QCOMPARE(saved, RunReport("--machine " + testing_support::SourcePath(std::string("tests/machines/") + machine)));
            std::filesystem::remove(path);
        }
    }

    void savingOneCategoryProposesItsTabText() {
        auto w = Open("laptop.json");
        QVERIFY(ui_test::ShowActive(w.form->Form().Hwnd()));
        ClickTab(*w.form, app::kBattery);
        ui::testing::DialogScript script;
        const std::string path = TempPath("one.txt");
        script.ChooseFile(std::wstring(path.begin(), path.end()));
        PickMenuItem(*w.form, FormVeltrix::kMenuSaveAs);
        QCOMPARE(script.SaveDialogs().at(0).title, std::wstring(L"Opslaan Als"));
        QCOMPARE(script.SaveDialogs().at(0).fileName, std::wstring(L"Batterij"));
        QCOMPARE(ReadFile(path), RunReport("--category 14 --machine " + testing_support::SourcePath("tests/machines/laptop.json")));
        std::filesystem::remove(path);
    }

    void aCancelledDialogWritesNothing() {
        auto w = Open("laptop.json");
        ui::testing::DialogScript script;
        script.CancelSave();
        PickMenuItem(*w.form, FormVeltrix::kMenuSaveAllAs);
        QCOMPARE(script.SaveDialogs().size(), std::size_t{1});
        QCOMPARE(script.MessageBoxes().size(), std::size_t{0});
        QCOMPARE(w.form->Dialogs().FileName(), std::wstring(L"Veltrix"));
    }

    void aReadOnlyFileGetsTheFailureMessageAndKeepsItsContent() {
        auto w = Open("laptop.json");
        const std::string path = TempPath("readonly.txt");
        { std::ofstream(path) << "kept"; }
        ::chmod(path.c_str(), 0444);
        ui::testing::DialogScript script;
        script.ChooseFile(std::wstring(path.begin(), path.end()));
        script.AnswerMessageBox(ui::IDOK);
        PickMenuItem(*w.form, FormVeltrix::kMenuSaveAllAs);
        QCOMPARE(script.MessageBoxes().size(), std::size_t{1});
        const auto& box = script.MessageBoxes()[0];
        QCOMPARE(box.text, L"Fout bij het opslaan van " + std::wstring(path.begin(), path.end()));
        QCOMPARE(box.caption, std::wstring(L"Veltrix"));
        QCOMPARE(box.type, ui::MB_OK | ui::MB_ICONEXCLAMATION);
        QCOMPARE(ReadFile(path), std::string("kept"));
        ::chmod(path.c_str(), 0644);
        std::filesystem::remove(path);
    }

    void theWindowsReportEqualsTheCommandsOnThisMachine() {
        // One machine, one set of collectors: the window's texts and the
        // translated texts must give the same bytes.
        platform::linux_backend::LinuxMachine machine("/");
        FormVeltrix form(machine);
        form.Load();
        const app::TranslatedWindowTexts texts;
        const auto fromCommand = app::ReportWriter(form.Collectors(), texts).Compose(app::kAllCategories);
        ui::testing::DialogScript script;
        const std::string path = TempPath("live.txt");
        script.ChooseFile(std::wstring(path.begin(), path.end()));
        form.SaveReport(L"Veltrix", app::kAllCategories);
        QVERIFY(fromCommand.has_value());
        QCOMPARE(ReadFile(path), *fromCommand);
        std::filesystem::remove(path);
    }

    void theAboutBoxShowsNameVersionAndLink() {
        app::FormAbout about;
        about.SetApplication(L"Veltrix 2.15");
        about.SetCopyright(app::kCopyright);
        about.SetWebsite(app::kWebsite);
        about.SetCaption(app::CaptionFromMenuText(L"&Over Veltrix..."));
        about.Form_Load();
        QCOMPARE(about.Form().Caption(), std::wstring(L"Over Veltrix"));
        QCOMPARE(about.LabelApplication().Caption(), std::wstring(L"Veltrix 2.15"));
        QCOMPARE(about.LabelWebsite().Width(), about.LabelWebsite().CaptionWidth());
        QVERIFY(about.LabelWebsite().Width() < window::form::TwipsToPixels(3855));
        ui::testing::DialogScript script;
        about.LabelWebsite_Click();
        QCOMPARE(script.OpenedUrls().size(), std::size_t{1});
        QCOMPARE(script.OpenedUrls()[0], std::wstring(app::kWebsite));
    }

    void theAboutEntryOpensTheBoxWithTheProgramsVersion() {
        auto w = Open("laptop.json");
        std::wstring caption;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) return;
            caption = box->windowTitle().toStdWString();
            box->close();
        });
        PickMenuItem(*w.form, FormVeltrix::kMenuAbout);
        QCOMPARE(caption, std::wstring(L"Over Veltrix"));
        QCOMPARE(FormVeltrix::AboutApplicationText(), std::wstring(L"Veltrix 1.0"));
    }
};

QTEST_MAIN(FormVeltrixTest)
#include "form_veltrix_test.moc"
