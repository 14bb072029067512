#pragma once
// Whether a page of the Veltrix window fits: every box on it (caption and
// value labels, the index box and its scroll bar) lies inside the page's
// frame, no box covers another, and a label's text, the widest it can be
// given, stays narrower than its box (a static that its text fills to the
// last pixel cuts the last letter under Wine). Boxes and widths are read from
// the window as the toolkit's side made and measures them, so the same
// checks run on the Qt side and on the Win32 side.

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

#include "window/form/frame.h"
#include "window/form/label.h"
#include "window/ui/window.h"

namespace testing_support {

// A box in its frame's pixels: left and top inside, right and bottom outside.
struct PageBox {
    std::wstring name;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

inline PageBox BoxOf(const window::form::Control& control) {
    return {control.Name(), control.Left(), control.Top(), control.Left() + control.Width(),
            control.Top() + control.Height()};
}

// A window that is not one of the frame's own controls (the index box).
inline PageBox BoxOfWindow(std::wstring name, window::ui::HWND window) {
    window::ui::RECT rect{};
    window::ui::GetWindowRect(window, rect);
    return {std::move(name), rect.left, rect.top, rect.right, rect.bottom};
}

inline std::vector<PageBox> BoxesOf(const window::form::Frame& frame) {
    std::vector<PageBox> boxes;
    for (const auto& control : frame.Controls()) boxes.push_back(BoxOf(*control));
    return boxes;
}

inline std::wstring Describe(const PageBox& box) {
    return box.name + L" (" + std::to_wstring(box.left) + L"," + std::to_wstring(box.top) + L")-(" +
           std::to_wstring(box.right) + L"," + std::to_wstring(box.bottom) + L")";
}

// "X passes its frame (w x h)" for a box not wholly inside a frame of that
// size, "X overlaps Y" for two boxes sharing a pixel; boxes that only touch
// (a caption ending where its value begins) share none.
inline std::vector<std::wstring> BoxesThatDoNotFit(int frameWidth, int frameHeight, const std::vector<PageBox>& boxes) {
    std::vector<std::wstring> misfits;
    const std::wstring frameSize = std::to_wstring(frameWidth) + L" x " + std::to_wstring(frameHeight);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const PageBox& box = boxes[i];
        if (box.left < 0 || box.top < 0 || box.right > frameWidth || box.bottom > frameHeight)
            misfits.push_back(Describe(box) + L" passes its frame (" + frameSize + L")");
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            const PageBox& other = boxes[j];
            if (box.left < other.right && other.left < box.right && box.top < other.bottom && other.top < box.bottom)
                misfits.push_back(Describe(box) + L" overlaps " + Describe(other));
        }
    }
    return misfits;
}

// The texts of `texts` that the label cuts, as "name: "text" (width >= box)";
// the label keeps its own caption afterwards.
inline std::vector<std::wstring> TextsThatDoNotFit(window::form::Label& label, const std::vector<std::wstring>& texts) {
    std::vector<std::wstring> cut;
    const std::wstring own = label.Caption();
    for (const std::wstring& text : texts) {
        label.SetCaption(text);
        const int width = label.CaptionWidth();
        if (width >= label.Width())
            cut.push_back(label.Name() + L": \"" + text + L"\" (" + std::to_wstring(width) + L" >= " +
                          std::to_wstring(label.Width()) + L")");
    }
    label.SetCaption(own);
    return cut;
}

// The entries of a ";"-separated display list.
inline std::vector<std::wstring> ListEntries(std::wstring_view list) {
    std::vector<std::wstring> entries;
    for (std::size_t start = 0;;) {
        const std::size_t end = list.find(L';', start);
        entries.emplace_back(list.substr(start, end - start));
        if (end == std::wstring_view::npos) return entries;
        start = end + 1;
    }
}

// Whether `text` is a count in the unit `suffix` (" KB"): digits and the
// separators between them, then the unit.
inline bool IsCountIn(const std::wstring& text, const std::wstring& suffix) {
    if (text.size() <= suffix.size() || !text.ends_with(suffix)) return false;
    const auto digitsEnd = text.end() - static_cast<std::ptrdiff_t>(suffix.size());
    return std::iswdigit(text.front()) &&
           std::all_of(text.begin(), digitsEnd, [](wchar_t c) { return std::iswdigit(c) || !std::iswalpha(c); });
}

}  // namespace testing_support
