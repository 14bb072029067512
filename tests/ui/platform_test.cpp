// The window layer's Qt side: the access-key rule's parsing, where
// properties live, the palette, fonts, and the window menu it draws.

#include <QMenu>
#include <QTest>

#include <memory>
#include <vector>

#include "window/form/form.h"
#include "window/ui/gdi.h"
#include "window/ui/menu.h"
#include "window/qt/ui/gdi_objects.h"
#include "window/qt/ui/text_drawing.h"
#include "window/ui/stdfont.h"
#include "window/ui/window.h"
#include "fixtures.h"
#include "ui_test_support.h"

namespace ui = window::ui;
namespace form = window::form;

namespace {

using window_cases::MakeControlWindow;
using window_cases::Seen;

std::vector<Seen> g_seen;
ui::WNDPROC g_previous = nullptr;

// Records what arrives and passes everything on.
ui::LRESULT Recorder(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    g_seen.push_back({window, message, wParam, lParam});
    return ui::CallWindowProc(g_previous, window, message, wParam, lParam);
}

std::vector<ui::UINT> MessagesOf(ui::HWND window, std::initializer_list<ui::UINT> wanted) {
    return window_cases::MessagesOf(g_seen, window, wanted);
}

}  // namespace

class PlatformTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<form::Form> form_;

private slots:
    void init() {
        g_seen.clear();
        g_previous = nullptr;
        form_ = std::make_unique<form::Form>(L"TestForm", 300, 200);
    }
    void cleanup() {
        form_.reset();
        ui_test::FlushDeletes();
    }

    // The layer's behaviour is tested on both sides (tests/window_cases);
    // here what is the Qt side's own: where it keeps a window's properties,
    // the palette behind the system colours, the font a LOGFONT makes, and
    // the window menu it draws itself.
    void propertiesAreDynamicPropertiesOfTheWidget() {
        const ui::HWND window = MakeControlWindow(form_->Hwnd(), 0, 0, 10, 10);
        QVERIFY(ui::SetProp(window, L"TabControl", 0x1234));
        // Kept apart from Qt's own by their prefix.
        QVERIFY(ui_test::WidgetOf(window)->property("winprop:TabControl").isValid());
        QVERIFY(!ui_test::WidgetOf(window)->property("TabControl").isValid());
    }

    void prefixRule_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("noPrefix");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("underlined");
        QTest::newRow("marker") << "A&B" << false << "AB" << 1;
        QTest::newRow("literal") << "A&B" << true << "A&B" << -1;
        QTest::newRow("doubled") << "A&&B" << false << "A&B" << -1;
        QTest::newRow("trailing") << "AB&" << false << "AB&" << -1;
        QTest::newRow("first") << "&Over" << false << "Over" << 0;
    }
    void prefixRule() {
        QFETCH(QString, text);
        QFETCH(bool, noPrefix);
        QFETCH(QString, shown);
        QFETCH(int, underlined);
        const auto parsed = ui::qt::ParsePrefix(text.toStdWString(), noPrefix);
        QCOMPARE(parsed.text, shown);
        QCOMPARE(parsed.underlined.empty() ? -1 : parsed.underlined.front(), underlined);
    }

    void systemColoursAreTheDesktopPalettes() {
        QCOMPARE(ui::GetSysColor(ui::COLOR_BTNFACE), ui::qt::FromQColor(QGuiApplication::palette().color(QPalette::Button)));
        QCOMPARE(ui::GetSysColor(ui::COLOR_BTNTEXT), ui::qt::FromQColor(QGuiApplication::palette().color(QPalette::ButtonText)));
    }

    void aFontIsMadeAtItsPixelHeight() {
        const ui::HFONT font = ui::CreateFontIndirect(ui::LogFontFromStdFont({L"MS Sans Serif", 12.5, true, true}, 96));
        QCOMPARE(ui::qt::FindFont(font)->font.pixelSize(), 16);
        QVERIFY(ui::DeleteObject(font));
    }

    // Restore, minimise, maximise, a separator, close: no move or size,
    // which the window manager does on Linux.
    void theWindowMenuHasFiveSystemEntries() {
        const ui::HMENU menu = ui::GetSystemMenu(form_->Hwnd(), false);
        QCOMPARE(ui::GetMenuItemCount(menu), 5);
        QCOMPARE(ui::GetMenuItemID(menu, 0), static_cast<int>(ui::SC_RESTORE));
        QCOMPARE(ui::GetMenuItemID(menu, 4), static_cast<int>(ui::SC_CLOSE));
        QVERIFY(ui::GetMenuState(menu, 3, ui::MF_BYPOSITION) & ui::MF_SEPARATOR);
        // A normal window of fixed size: restore and maximise greyed from
        // the start (the system greys its entries as the menu opens).
        QVERIFY(ui::GetMenuState(menu, ui::SC_RESTORE, ui::MF_BYCOMMAND) & ui::MF_GRAYED);
        QVERIFY(ui::GetMenuState(menu, ui::SC_MAXIMIZE, ui::MF_BYCOMMAND) & ui::MF_GRAYED);
        QVERIFY(!(ui::GetMenuState(menu, ui::SC_MINIMIZE, ui::MF_BYCOMMAND) & ui::MF_GRAYED));
        QVERIFY(!(ui::GetMenuState(menu, ui::SC_CLOSE, ui::MF_BYCOMMAND) & ui::MF_GRAYED));
        // The system reports a greyed entry as exactly MF_GRAYED here.
        QVERIFY(ui::AppendMenu(menu, ui::MF_STRING | ui::MF_GRAYED, 0, L"Eerste"));
        QCOMPARE(ui::GetMenuState(menu, 0, ui::MF_BYCOMMAND), ui::MF_GRAYED);
    }

    void pickingAnEntrySendsItsCommand() {
        const ui::HMENU menu = ui::GetSystemMenu(form_->Hwnd(), false);
        ui::AppendMenu(menu, ui::MF_STRING, 0, L"Opslaan &Als...");
        g_previous = ui::SetWindowProc(form_->Hwnd(), &Recorder);
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        // Alt+Space opens the window menu.
        QTest::keyClick(ui_test::WidgetOf(form_->Hwnd()), Qt::Key_Space, Qt::AltModifier);
        QMenu* popup = nullptr;
        QTRY_VERIFY((popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
        QCOMPARE(popup->actions().size(), 6);  // four entries, a separator, ours
        QVERIFY(!popup->findChild<QAction*>(QStringLiteral("windowMenuItem%1").arg(ui::SC_RESTORE))->isEnabled());
        popup->findChild<QAction*>(QStringLiteral("windowMenuItem0"))->trigger();
        popup->close();
        QTRY_COMPARE(MessagesOf(form_->Hwnd(), {ui::WM_SYSCOMMAND}).size(), std::size_t{1});
        const auto command = std::find_if(g_seen.begin(), g_seen.end(), [](const Seen& s) { return s.message == ui::WM_SYSCOMMAND; });
        QCOMPARE(command->wParam, ui::WPARAM{0});

        // The system's close closes the window.
        QVERIFY(ui::ShowWindowMenu(form_->Hwnd(), ui::POINT{0, 0}));
        QTRY_VERIFY((popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
        popup->findChild<QAction*>(QStringLiteral("windowMenuItem%1").arg(ui::SC_CLOSE))->trigger();
        popup->close();
        QTRY_VERIFY(!form_->Visible());
    }
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
