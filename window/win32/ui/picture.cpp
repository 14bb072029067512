// Pictures as the system draws them. A PNG is read as an icon image
// (CreateIconFromResourceEx takes PNG data); the program's compiled-in
// icons (":/veltrix/veltrix-<size>.png") are the executable's icon resource
// at that size; ICO and BMP files are loaded by the system.
#include "window/win32/ui/picture_impl.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "window/win32/ui/registry.h"

namespace window::ui {

namespace {

// The program's icon resource (veltrix.rc).
constexpr int kIconResource = 1;
constexpr std::string_view kCompiledIconPrefix = ":/veltrix/veltrix-";
// Compiled-in pictures and files larger than this are not pictures.
constexpr std::size_t kLargestPicture = 16 * 1024 * 1024;

void MeasureIcon(Picture::Impl& impl) {
    ::ICONINFO info{};
    if (!::GetIconInfo(impl.icon, &info)) return;
    ::BITMAP bitmap{};
    const ::HBITMAP shape = info.hbmColor ? info.hbmColor : info.hbmMask;
    if (::GetObjectA(shape, sizeof(bitmap), &bitmap)) {
        impl.width = bitmap.bmWidth;
        impl.height = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;
    }
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
}

std::shared_ptr<Picture::Impl> FromIconBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > kLargestPicture) return nullptr;
    auto impl = std::make_shared<Picture::Impl>();
    impl->icon = ::CreateIconFromResourceEx(const_cast<::PBYTE>(bytes.data()), static_cast<::DWORD>(bytes.size()), TRUE,
                                            0x00030000, 0, 0, LR_DEFAULTCOLOR);
    if (!impl->icon) return nullptr;
    MeasureIcon(*impl);
    return impl;
}

// The resource's image drawn at the size's screen pixels, so that the icon
// stays sharp at any resolution; the picture's size is the design's.
std::shared_ptr<Picture::Impl> FromResource(int size) {
    auto impl = std::make_shared<Picture::Impl>();
    const int pixels = win32::ScaleToScreen(size);
    impl->icon = static_cast<::HICON>(::LoadImageA(win32::Instance(), MAKEINTRESOURCEA(kIconResource), IMAGE_ICON,
                                                   pixels, pixels, LR_DEFAULTCOLOR));
    if (!impl->icon) return nullptr;
    impl->width = size;
    impl->height = size;
    return impl;
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

Picture Picture::Load(std::string_view path) {
    Picture picture;
    std::shared_ptr<Impl> impl;
    if (path.rfind(kCompiledIconPrefix, 0) == 0) {
        const std::string_view size = path.substr(kCompiledIconPrefix.size());
        impl = FromResource(std::atoi(std::string(size).c_str()));
    } else if (EndsWith(path, ".ico") || EndsWith(path, ".bmp")) {
        const bool icon = EndsWith(path, ".ico");
        const ::HANDLE loaded = ::LoadImageA(nullptr, std::string(path).c_str(), icon ? IMAGE_ICON : IMAGE_BITMAP, 0, 0,
                                             LR_LOADFROMFILE | LR_DEFAULTSIZE);
        if (loaded) {
            impl = std::make_shared<Impl>();
            if (icon) {
                impl->icon = static_cast<::HICON>(loaded);
                MeasureIcon(*impl);
            } else {
                impl->bitmap = static_cast<::HBITMAP>(loaded);
                ::BITMAP bitmap{};
                ::GetObjectA(impl->bitmap, sizeof(bitmap), &bitmap);
                impl->width = bitmap.bmWidth;
                impl->height = bitmap.bmHeight;
            }
        }
    } else {
        std::ifstream file{std::string(path), std::ios::binary};
        std::vector<std::uint8_t> bytes;
        if (file) bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        impl = FromIconBytes(bytes);
    }
    if (impl) {
        impl->source = std::string(path);
        picture.impl_ = std::move(impl);
    }
    return picture;
}

Picture Picture::FromBytes(std::span<const std::uint8_t> bytes) {
    Picture picture;
    picture.impl_ = FromIconBytes(bytes);
    return picture;
}

bool Picture::IsEmpty() const { return !impl_; }
int Picture::Width() const { return impl_ ? impl_->width : 0; }
int Picture::Height() const { return impl_ ? impl_->height : 0; }

const std::string& Picture::Source() const {
    static const std::string none;
    return impl_ ? impl_->source : none;
}

void win32::DrawPicture(::HDC dc, const Picture& picture, int x, int y, int width, int height) {
    const Picture::Impl* impl = picture.impl();
    if (!dc || !impl) return;
    if (impl->icon) {
        ::DrawIconEx(dc, x, y, impl->icon, width, height, 0, nullptr, DI_NORMAL);
        return;
    }
    const ::HDC source = ::CreateCompatibleDC(dc);
    const ::HGDIOBJ previous = ::SelectObject(source, impl->bitmap);
    ::SetStretchBltMode(dc, HALFTONE);
    ::StretchBlt(dc, x, y, width, height, source, 0, 0, impl->width, impl->height, SRCCOPY);
    ::SelectObject(source, previous);
    ::DeleteDC(source);
}

}  // namespace window::ui
