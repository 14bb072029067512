// An image is a window of the toolkit's class that draws its picture over
// whatever lies beneath (an icon keeps its transparent pixels).
#include "window/win32/form/form_windows.h"

#include "window/form/image.h"

#include "window/ui/gdi.h"
#include "window/ui/window.h"
#include "window/win32/ui/picture_impl.h"

namespace window::form {

namespace {

ui::LRESULT ImageProcedure(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    win32::ControlState* state = win32::StateOf(window);
    auto* image = state ? dynamic_cast<Image*>(state->control) : nullptr;
    if (win32::PassOtherButtons(window, message, wParam, lParam)) return 0;
    switch (message) {
        case ui::WM_ERASEBKGND: return 1;
        case ui::WM_PAINT: {
            if (!image || image->Picture().IsEmpty()) return 0;
            ui::PAINTSTRUCT paint;
            const ::HDC dc = ui::win32::NativeDc(ui::BeginPaint(window, paint));
            ui::RECT area;
            ui::GetClientRect(window, area);
            const ui::Picture& picture = image->Picture();
            const int width = image->Stretch() ? area.Width() : picture.Width();
            const int height = image->Stretch() ? area.Height() : picture.Height();
            ui::win32::DrawPicture(dc, picture, 0, 0, ui::win32::ScaleToScreen(width), ui::win32::ScaleToScreen(height));
            return 0;
        }
        case ui::WM_LBUTTONUP:
            if (image && !state->afterDoubleClick) image->Click.Raise();
            if (state) state->afterDoubleClick = false;
            return 0;
        case ui::WM_LBUTTONDBLCLK:
            if (state) state->afterDoubleClick = true;
            if (image) image->DblClick.Raise();
            return 0;
        default: return ui::DefWindowProc(window, message, wParam, lParam);
    }
}

}  // namespace

Image::Image(ui::HWND parent, std::wstring name, const Bounds& bounds)
    : Control(win32::CreateControlWindow(L"VeltrixImage", ui::win32::ToolkitClass(), 0, WS_EX_TRANSPARENT, parent, name,
                                         bounds, &ImageProcedure, false),
              name) {}

void Image::SetPicture(const ui::Picture& picture) {
    picture_ = picture;
    win32::RepaintThrough(Hwnd());
}

void Image::SetStretch(bool stretch) {
    stretch_ = stretch;
    win32::RepaintThrough(Hwnd());
}

}  // namespace window::form
