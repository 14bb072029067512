// The window layer itself: handles, procedure chains, properties, toolkit
// input as messages, drawing, colours, fonts and the window menu.

#include <QImage>
#include <QMenu>
#include <QPainter>
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
#include "ui_test_support.h"

namespace ui = window::ui;
namespace form = window::form;

namespace {

struct Seen {
    ui::HWND window;
    ui::UINT message;
    ui::WPARAM wParam;
    ui::LPARAM lParam;
};

std::vector<Seen> g_seen;
ui::WNDPROC g_previous = nullptr;
ui::WNDPROC g_previousOuter = nullptr;

// Records what arrives and passes everything on.
ui::LRESULT Recorder(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    g_seen.push_back({window, message, wParam, lParam});
    return ui::CallWindowProc(g_previous, window, message, wParam, lParam);
}

ui::LRESULT OuterRecorder(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    g_seen.push_back({window, message | 0x10000, wParam, lParam});
    return ui::CallWindowProc(g_previousOuter, window, message, wParam, lParam);
}

std::vector<ui::UINT> MessagesOf(ui::HWND window, std::initializer_list<ui::UINT> wanted) {
    std::vector<ui::UINT> out;
    for (const Seen& seen : g_seen) {
        if (seen.window == window && std::find(wanted.begin(), wanted.end(), seen.message) != wanted.end()) out.push_back(seen.message);
    }
    return out;
}

ui::HWND MakeControlWindow(ui::HWND parent, int x, int y, int w, int h) {
    return ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD | ui::WS_VISIBLE, x, y, w, h, parent);
}

}  // namespace

class PlatformTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<form::Form> form_;

private slots:
    void init() {
        g_seen.clear();
        g_previous = g_previousOuter = nullptr;
        form_ = std::make_unique<form::Form>(L"TestForm", 300, 200);
    }
    void cleanup() {
        form_.reset();
        ui_test::FlushDeletes();
    }

    void handlesNameLiveWindowsOnly() {
        QVERIFY(!ui::CreateWindowEx(0, L"NoSuchClass", L"", ui::WS_CHILD, 0, 0, 10, 10, form_->Hwnd()));
        QVERIFY(!ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD, 0, 0, 10, 10, nullptr));
        const ui::HWND window = MakeControlWindow(form_->Hwnd(), 0, 0, 10, 10);
        QVERIFY(ui::IsWindow(window));
        QCOMPARE(ui::GetParent(window), form_->Hwnd());
        QCOMPARE(ui::GetAncestor(window, ui::GA_ROOT), form_->Hwnd());
        QVERIFY(ui::SetProp(window, L"Kept", 7));
        QVERIFY(ui::DestroyWindow(window));
        QVERIFY(!ui::IsWindow(window));
        QCOMPARE(ui::SendMessage(window, ui::WM_USER, 1, 2), 0);
        QCOMPARE(ui::GetProp(window, L"Kept"), ui::HANDLE{0});
        QVERIFY(!ui::SetWindowProc(window, &Recorder));
        QVERIFY(!ui::DestroyWindow(window));
        // A new window never reuses the handle of one that went.
        QVERIFY(MakeControlWindow(form_->Hwnd(), 0, 0, 10, 10) != window);
    }

    void proceduresChainAndPassOn() {
        const ui::HWND window = MakeControlWindow(form_->Hwnd(), 0, 0, 10, 10);
        const ui::WNDPROC classProcedure = ui::GetWindowProc(window);
        g_previous = ui::SetWindowProc(window, &Recorder);
        QVERIFY(g_previous == classProcedure);
        g_previousOuter = ui::SetWindowProc(window, &OuterRecorder);
        QVERIFY(g_previousOuter == &Recorder);
        const std::wstring text = L"caption";
        ui::SendMessage(window, ui::WM_SETTEXT, 0, reinterpret_cast<ui::LPARAM>(&text));
        // The newest procedure first, then the one it replaced, then the class.
        QCOMPARE(g_seen.size(), std::size_t{2});
        QCOMPARE(g_seen[0].message, ui::WM_SETTEXT | 0x10000);
        QCOMPARE(g_seen[1].message, ui::WM_SETTEXT);
        QVERIFY(ui::GetWindowText(window) == L"caption");
        // Taking the outer one off leaves the inner one in place.
        ui::SetWindowProc(window, g_previousOuter);
        g_seen.clear();
        ui::SendMessage(window, ui::WM_USER, 0, 0);
        QCOMPARE(g_seen.size(), std::size_t{1});
        QCOMPARE(ui::CallWindowProc(nullptr, window, ui::WM_USER, 0, 0), 0);
    }

    void propertiesLiveOnTheWindow() {
        const ui::HWND window = MakeControlWindow(form_->Hwnd(), 0, 0, 10, 10);
        const std::size_t before = ui::GetTotalPropCount();
        QVERIFY(!ui::SetProp(window, L"", 1));
        QVERIFY(ui::SetProp(window, L"TabControl", 0x1234));
        QVERIFY(ui::SetProp(window, L"TabControlWindowProc", 0x5678));
        QCOMPARE(ui::GetProp(window, L"TabControl"), ui::HANDLE{0x1234});
        QCOMPARE(ui::GetPropCount(window), std::size_t{2});
        QCOMPARE(ui::GetTotalPropCount(), before + 2);
        // Kept as dynamic properties of the widget, apart from the toolkit's own.
        QVERIFY(ui_test::WidgetOf(window)->property("winprop:TabControl").isValid());
        QCOMPARE(ui::RemoveProp(window, L"TabControl"), ui::HANDLE{0x1234});
        QCOMPARE(ui::GetProp(window, L"TabControl"), ui::HANDLE{0});
        QCOMPARE(ui::RemoveProp(window, L"TabControl"), ui::HANDLE{0});
        ui::DestroyWindow(window);
        QCOMPARE(ui::GetTotalPropCount(), before);
    }

    void toolkitInputArrivesAsMessages() {
        const ui::HWND outer = MakeControlWindow(form_->Hwnd(), 10, 10, 100, 40);
        const ui::HWND inner = ui::CreateWindowEx(0, ui::WC_STATIC, L"", ui::WS_CHILD | ui::WS_VISIBLE | ui::SS_OWNERDRAW,
                                                  0, 0, 100, 40, outer, 7);
        g_previous = ui::SetWindowProc(outer, &Recorder);
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        g_seen.clear();
        // The static lets the mouse through to the window it sits in.
        QTest::mouseClick(ui_test::WidgetOf(outer), Qt::LeftButton, {}, QPoint(30, 12));
        QTest::mouseDClick(ui_test::WidgetOf(outer), Qt::LeftButton, {}, QPoint(30, 12));
        const std::vector<ui::UINT> clicks = MessagesOf(outer, {ui::WM_LBUTTONDOWN, ui::WM_LBUTTONUP, ui::WM_LBUTTONDBLCLK});
        const std::vector<ui::UINT> expected = {ui::WM_LBUTTONDOWN, ui::WM_LBUTTONUP, ui::WM_LBUTTONDBLCLK};
        QCOMPARE(clicks, expected);
        const auto up = std::find_if(g_seen.begin(), g_seen.end(), [](const Seen& s) { return s.message == ui::WM_LBUTTONUP; });
        QCOMPARE(ui::GET_X_LPARAM(up->lParam), 30);
        QCOMPARE(ui::GET_Y_LPARAM(up->lParam), 12);

        // The owner-drawn static asks its parent to draw it.
        g_seen.clear();
        ui_test::Grab(form_->Hwnd());
        const auto draw = std::find_if(g_seen.begin(), g_seen.end(), [](const Seen& s) { return s.message == ui::WM_DRAWITEM; });
        QVERIFY(draw != g_seen.end());
        QCOMPARE(draw->wParam, ui::WPARAM{7});

        g_seen.clear();
        ui::SetFocus(outer);
        QCOMPARE(MessagesOf(outer, {ui::WM_SETFOCUS}).size(), std::size_t{1});
        QCOMPARE(ui::GetFocus(), outer);
        QVERIFY(inner);
    }

    void destroyingAWindowInsideItsOwnMessageIsSafe() {
        const ui::HWND window = MakeControlWindow(form_->Hwnd(), 0, 0, 10, 10);
        g_previous = ui::SetWindowProc(window, [](ui::HWND w, ui::UINT m, ui::WPARAM wp, ui::LPARAM lp) -> ui::LRESULT {
            if (m == ui::WM_USER) ui::DestroyWindow(w);
            return ui::CallWindowProc(g_previous, w, m, wp, lp);
        });
        ui::SendMessage(window, ui::WM_USER, 0, 0);
        QVERIFY(!ui::IsWindow(window));
        ui_test::FlushDeletes();
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

    // "A&B" is drawn as "AB" with the B underlined; with DT_NOPREFIX as it is.
    void drawTextUnderlinesTheAccessKey() {
        QImage marked(60, 20, QImage::Format_RGB32);
        QImage plain(60, 20, QImage::Format_RGB32);
        for (QImage* image : {&marked, &plain}) {
            image->fill(Qt::white);
            const ui::HDC dc = ui::qt::NewImageDeviceContext(*image);
            ui::LOGFONT log;
            log.lfHeight = -11;
            log.lfFaceName = L"MS Sans Serif";
            const ui::HFONT font = ui::CreateFontIndirect(log);
            ui::SelectObject(dc, font);
            ui::SetBkMode(dc, ui::TRANSPARENT);
            ui::RECT area{0, 0, 60, 20};
            if (image == &marked) ui::DrawText(dc, L"A&B", area, ui::DT_SINGLELINE);
            else ui::DrawText(dc, L"AB", area, ui::DT_SINGLELINE);
            ui::qt::DeleteDeviceContext(dc);
            ui::DeleteObject(font);
        }
        // The same letters; below the baseline only the underline differs.
        int differing = 0;
        int underlineRow = -1;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 60; ++x) {
                if (marked.pixel(x, y) != plain.pixel(x, y)) {
                    ++differing;
                    underlineRow = y;
                }
            }
        }
        QVERIFY(differing >= 4);
        QVERIFY(underlineRow >= 10);

        const ui::HDC measure = ui::qt::NewImageDeviceContext(plain);
        ui::RECT withPrefix{0, 0, 100, 20};
        ui::RECT literal{0, 0, 100, 20};
        ui::RECT bare{0, 0, 100, 20};
        ui::DrawText(measure, L"A&B", withPrefix, ui::DT_SINGLELINE | ui::DT_CALCRECT);
        ui::DrawText(measure, L"A&B", literal, ui::DT_SINGLELINE | ui::DT_CALCRECT | ui::DT_NOPREFIX);
        ui::DrawText(measure, L"AB", bare, ui::DT_SINGLELINE | ui::DT_CALCRECT);
        QCOMPARE(withPrefix.right, bare.right);
        QVERIFY(literal.right > bare.right);
        ui::qt::DeleteDeviceContext(measure);
    }

    void drawEdgeSunkenIsTwoRingsOfOnePixel() {
        QImage image(10, 8, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        const ui::HDC dc = ui::qt::NewImageDeviceContext(image);
        ui::RECT area{0, 0, 10, 8};
        QVERIFY(ui::DrawEdge(dc, area, ui::EDGE_SUNKEN, ui::BF_RECT | ui::BF_ADJUST));
        ui::qt::DeleteDeviceContext(dc);
        QCOMPARE(area, (ui::RECT{2, 2, 8, 6}));
        QCOMPARE(ui_test::Pixel(image, 4, 0), ui::GetSysColor(ui::COLOR_BTNSHADOW));
        QCOMPARE(ui_test::Pixel(image, 0, 4), ui::GetSysColor(ui::COLOR_BTNSHADOW));
        QCOMPARE(ui_test::Pixel(image, 4, 1), ui::GetSysColor(ui::COLOR_3DDKSHADOW));
        QCOMPARE(ui_test::Pixel(image, 4, 7), ui::GetSysColor(ui::COLOR_BTNHIGHLIGHT));
        QCOMPARE(ui_test::Pixel(image, 9, 4), ui::GetSysColor(ui::COLOR_BTNHIGHLIGHT));
        QCOMPARE(ui_test::Pixel(image, 4, 6), ui::GetSysColor(ui::COLOR_3DLIGHT));
        QCOMPARE(image.pixelColor(4, 4), QColor(Qt::magenta));
    }

    void colourValuesTranslate() {
        ui::COLORREF rgb = 0;
        QCOMPARE(ui::OleTranslateColor(0x00FF00, 0, &rgb), ui::S_OK);
        QCOMPARE(rgb, ui::COLORREF{0x00FF00});
        QCOMPARE(ui::OleTranslateColor(0x8000000F, 0, &rgb), ui::S_OK);
        QCOMPARE(rgb, ui::qt::FromQColor(QGuiApplication::palette().color(QPalette::Button)));
        QCOMPARE(ui::OleTranslateColor(0x80000012, 0, &rgb), ui::S_OK);
        QCOMPARE(rgb, ui::qt::FromQColor(QGuiApplication::palette().color(QPalette::ButtonText)));
        QCOMPARE(ui::OleTranslateColor(0x80000040, 0, &rgb), ui::E_INVALIDARG);
        QCOMPARE(ui::OleTranslateColor(0x8000FF0F, 0, &rgb), ui::E_INVALIDARG);
        QCOMPARE(ui::OleTranslateColor(0x01000003, 0, &rgb), ui::E_INVALIDARG);
    }

    void storedFontSizesRoundToWholePoints() {
        QCOMPARE(ui::RoundHalfEven(8.25), 8);
        QCOMPARE(ui::RoundHalfEven(8.5), 8);
        QCOMPARE(ui::RoundHalfEven(9.5), 10);
        QCOMPARE(ui::RoundHalfEven(9.75), 10);
        // At 96 dots per inch 12.5 points would be 17 pixels; rounded first it is 16.
        const ui::LOGFONT log = ui::LogFontFromStdFont({L"MS Sans Serif", 12.5, true, true}, 96);
        QCOMPARE(log.lfHeight, -16);
        QCOMPARE(log.lfWeight, ui::FW_BOLD);
        QVERIFY(log.lfItalic);
        QCOMPARE(ui::LogFontFromStdFont({L"MS Sans Serif", 8.25}, 96).lfHeight, -11);
        QCOMPARE(ui::LogFontFromStdFont({L"MS Sans Serif", 8.25}, 120).lfHeight, -13);

        const std::size_t before = ui::GetGdiObjectCount();
        const ui::HFONT font = ui::CreateFontIndirect(log);
        ui::LOGFONT back;
        QVERIFY(ui::GetObject(font, back));
        QVERIFY(back == log);
        QCOMPARE(ui::qt::FindFont(font)->font.pixelSize(), 16);
        QVERIFY(ui::DeleteObject(font));
        QVERIFY(!ui::DeleteObject(font));
        QCOMPARE(ui::GetGdiObjectCount(), before);
    }

    void windowMenuHasTheSystemEntriesFirst() {
        const ui::HMENU menu = ui::GetSystemMenu(form_->Hwnd(), false);
        QVERIFY(menu);
        QCOMPARE(ui::GetSystemMenu(form_->Hwnd(), false), menu);
        QVERIFY(!ui::GetSystemMenu(MakeControlWindow(form_->Hwnd(), 0, 0, 5, 5), false));
        QCOMPARE(ui::GetMenuItemCount(menu), 5);
        QCOMPARE(ui::GetMenuItemID(menu, 0), static_cast<int>(ui::SC_RESTORE));
        QCOMPARE(ui::GetMenuItemID(menu, 4), static_cast<int>(ui::SC_CLOSE));
        QVERIFY(ui::GetMenuState(menu, 3, ui::MF_BYPOSITION) & ui::MF_SEPARATOR);
        // A normal window of fixed size: restore and maximise greyed.
        QVERIFY(ui::GetMenuState(menu, ui::SC_RESTORE, ui::MF_BYCOMMAND) & ui::MF_GRAYED);
        QVERIFY(ui::GetMenuState(menu, ui::SC_MAXIMIZE, ui::MF_BYCOMMAND) & ui::MF_GRAYED);
        QVERIFY(!(ui::GetMenuState(menu, ui::SC_MINIMIZE, ui::MF_BYCOMMAND) & ui::MF_GRAYED));
        QVERIFY(!(ui::GetMenuState(menu, ui::SC_CLOSE, ui::MF_BYCOMMAND) & ui::MF_GRAYED));

        QVERIFY(ui::AppendMenu(menu, ui::MF_STRING | ui::MF_CHECKED, 0, L"&Eerste"));
        QVERIFY(ui::AppendMenu(menu, ui::MF_SEPARATOR, 1, L"ignored"));
        QCOMPARE(ui::GetMenuString(menu, 1, ui::MF_BYCOMMAND), std::wstring());
        ui::MENUITEMINFO info;
        info.fMask = ui::MIIM_STATE | ui::MIIM_TYPE | ui::MIIM_ID;
        info.fState = ui::MFS_GRAYED;
        info.wID = 1;
        info.text = L"Tweede";
        QVERIFY(ui::SetMenuItemInfo(menu, 1, false, info));
        QCOMPARE(ui::GetMenuString(menu, 1, ui::MF_BYCOMMAND), std::wstring(L"Tweede"));
        QCOMPARE(ui::GetMenuState(menu, 1, ui::MF_BYCOMMAND), ui::MF_GRAYED);
        QCOMPARE(ui::GetMenuState(menu, 0, ui::MF_BYCOMMAND), ui::MF_CHECKED);
        // Deleting the program's identifier 0 leaves the system's separator.
        QVERIFY(ui::DeleteMenu(menu, 0, ui::MF_BYCOMMAND));
        QVERIFY(!ui::DeleteMenu(menu, 0, ui::MF_BYCOMMAND));
        QCOMPARE(ui::GetMenuItemCount(menu), 6);
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
