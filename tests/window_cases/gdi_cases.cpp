// Drawing: fonts made at whole points and counted until given back, colour
// values, the sunken edge and the access-key rule of DrawText, drawn into a
// bitmap on either side.
#include <gtest/gtest.h>

#include "side.h"
#include "window/controls/Colors.h"
#include "window/ui/gdi.h"
#include "window/ui/stdfont.h"

namespace ui = window::ui;

namespace {

TEST(WindowDrawing, StoredFontSizesRoundToWholePointsAndFontsAreCountedUntilGivenBack) {
    EXPECT_EQ(ui::RoundHalfEven(8.25), 8);
    EXPECT_EQ(ui::RoundHalfEven(8.5), 8);
    EXPECT_EQ(ui::RoundHalfEven(9.5), 10);
    EXPECT_EQ(ui::RoundHalfEven(9.75), 10);
    // At 96 dots per inch 12.5 points would be 17 pixels; rounded first it is 16.
    const ui::LOGFONT log = ui::LogFontFromStdFont({L"MS Sans Serif", 12.5, true, true}, 96);
    EXPECT_EQ(log.lfHeight, -16);
    EXPECT_EQ(log.lfWeight, ui::FW_BOLD);
    EXPECT_TRUE(log.lfItalic);
    EXPECT_EQ(ui::LogFontFromStdFont({L"MS Sans Serif", 8.25}, 96).lfHeight, -11);
    EXPECT_EQ(ui::LogFontFromStdFont({L"MS Sans Serif", 8.25}, 120).lfHeight, -13);

    const std::size_t before = ui::GetGdiObjectCount();
    const ui::HFONT font = ui::CreateFontIndirect(log);
    const ui::HBRUSH brush = ui::CreateSolidBrush(ui::RGB(0, 0, 128));
    ASSERT_TRUE(font && brush);
    EXPECT_EQ(ui::GetGdiObjectCount(), before + 2);
    ui::LOGFONT back;
    ASSERT_TRUE(ui::GetObject(font, back));
    EXPECT_EQ(back, log);
    EXPECT_TRUE(ui::DeleteObject(font));
    EXPECT_TRUE(ui::DeleteObject(brush));
    EXPECT_FALSE(ui::DeleteObject(font));
    EXPECT_EQ(ui::GetGdiObjectCount(), before);
}

TEST(WindowDrawing, ColourValuesTranslateToTheSystemsColours) {
    ui::COLORREF rgb = 0;
    EXPECT_EQ(ui::OleTranslateColor(0x00FF00, 0, &rgb), ui::S_OK);
    EXPECT_EQ(rgb, ui::COLORREF{0x00FF00});
    EXPECT_EQ(ui::OleTranslateColor(0x8000000F, 0, &rgb), ui::S_OK);
    EXPECT_EQ(rgb, ui::GetSysColor(ui::COLOR_BTNFACE));
    EXPECT_EQ(ui::OleTranslateColor(0x80000012, 0, &rgb), ui::S_OK);
    EXPECT_EQ(rgb, ui::GetSysColor(ui::COLOR_BTNTEXT));
    EXPECT_EQ(ui::OleTranslateColor(0x80000040, 0, &rgb), ui::E_INVALIDARG);
    EXPECT_EQ(ui::OleTranslateColor(0x8000FF0F, 0, &rgb), ui::E_INVALIDARG);
    EXPECT_EQ(ui::OleTranslateColor(0x01000003, 0, &rgb), ui::E_INVALIDARG);
    // The controls' own translation: a system colour, a plain one, an unknown index.
    EXPECT_EQ(controls::Colors::Translate(0x8000000F), static_cast<std::int32_t>(ui::GetSysColor(ui::COLOR_BTNFACE)));
    EXPECT_EQ(controls::Colors::Translate(0x00FF00), 0x00FF00);
    EXPECT_EQ(controls::Colors::Translate(0x800000FF), -1);
}

TEST(WindowDrawing, ASunkenEdgeIsTwoRingsOfOnePixel) {
    const ui::COLORREF magenta = ui::RGB(255, 0, 255);
    side::Canvas canvas(10, 8, magenta);
    ui::RECT area{0, 0, 10, 8};
    EXPECT_TRUE(ui::DrawEdge(canvas.Dc(), area, ui::EDGE_SUNKEN, ui::BF_RECT | ui::BF_ADJUST));
    EXPECT_EQ(area, (ui::RECT{2, 2, 8, 6}));
    EXPECT_EQ(canvas.Pixel(4, 0), ui::GetSysColor(ui::COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(0, 4), ui::GetSysColor(ui::COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(4, 1), ui::GetSysColor(ui::COLOR_3DDKSHADOW));
    EXPECT_EQ(canvas.Pixel(4, 7), ui::GetSysColor(ui::COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(9, 4), ui::GetSysColor(ui::COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(4, 6), ui::GetSysColor(ui::COLOR_3DLIGHT));
    EXPECT_EQ(canvas.Pixel(4, 4), magenta);
}

// "A&B" is drawn as "AB" with the B underlined; with DT_NOPREFIX as it is.
TEST(WindowDrawing, DrawTextUnderlinesTheAccessKeyAndNoPrefixTakesTheTextLiterally) {
    const ui::COLORREF white = ui::RGB(255, 255, 255);
    side::Canvas marked(60, 20, white);
    side::Canvas plain(60, 20, white);
    ui::LOGFONT log;
    log.lfHeight = -11;
    log.lfFaceName = L"MS Sans Serif";
    const ui::HFONT font = ui::CreateFontIndirect(log);
    const ui::HFONT markedFont = ui::SelectObject(marked.Dc(), font);
    const ui::HFONT plainFont = ui::SelectObject(plain.Dc(), font);
    for (side::Canvas* canvas : {&marked, &plain}) {
        ui::SetBkMode(canvas->Dc(), ui::TRANSPARENT);
        ui::RECT area{0, 0, 60, 20};
        ui::DrawText(canvas->Dc(), canvas == &marked ? L"A&B" : L"AB", area, ui::DT_SINGLELINE);
    }
    // The same letters; below the baseline only the underline differs.
    int differing = 0;
    int underlineRow = -1;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 60; ++x) {
            if (marked.Pixel(x, y) != plain.Pixel(x, y)) {
                ++differing;
                underlineRow = y;
            }
        }
    }
    EXPECT_GE(differing, 4);
    EXPECT_GE(underlineRow, 10);

    ui::RECT withPrefix{0, 0, 100, 20};
    ui::RECT literal{0, 0, 100, 20};
    ui::RECT bare{0, 0, 100, 20};
    ui::DrawText(plain.Dc(), L"A&B", withPrefix, ui::DT_SINGLELINE | ui::DT_CALCRECT);
    ui::DrawText(plain.Dc(), L"A&B", literal, ui::DT_SINGLELINE | ui::DT_CALCRECT | ui::DT_NOPREFIX);
    ui::DrawText(plain.Dc(), L"AB", bare, ui::DT_SINGLELINE | ui::DT_CALCRECT);
    EXPECT_EQ(withPrefix.right, bare.right);
    EXPECT_GT(literal.right, bare.right);
    ui::SelectObject(marked.Dc(), markedFont);
    ui::SelectObject(plain.Dc(), plainFont);
    ui::DeleteObject(font);
}

}  // namespace
