#pragma once
// Internal: a picture is a system icon (PNG and ICO pictures, the program's
// icon resource) or a bitmap (BMP files).

#include "window/win32/ui/system_headers.h"

#include <string>

#include "window/ui/picture.h"

namespace window::ui {

struct Picture::Impl {
    ::HICON icon = nullptr;
    ::HBITMAP bitmap = nullptr;
    int width = 0;
    int height = 0;
    std::string source;

    Impl() = default;
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl() {
        if (icon) ::DestroyIcon(icon);
        if (bitmap) ::DeleteObject(bitmap);
    }
};

namespace win32 {
// Draws the picture at (x, y), at its size or at `width` x `height`.
void DrawPicture(::HDC dc, const Picture& picture, int x, int y, int width, int height);
}  // namespace win32

}  // namespace window::ui
