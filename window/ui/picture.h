#pragma once
// A picture: an icon or image a form shows. Copies share the same image.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace window::ui {

class Picture {
public:
    Picture();
    ~Picture();
    Picture(const Picture&);
    Picture& operator=(const Picture&);

    // PNG, BMP, ICO, XPM... from a file or a compiled-in resource (":/...");
    // an empty picture when it cannot be read.
    static Picture Load(std::string_view path);
    static Picture FromBytes(std::span<const std::uint8_t> bytes);

    bool IsEmpty() const;
    int Width() const;
    int Height() const;
    // Where it was loaded from; empty for pictures made from bytes.
    const std::string& Source() const;

    struct Impl;
    const Impl* impl() const { return impl_.get(); }

private:
    std::shared_ptr<const Impl> impl_;
};

}  // namespace window::ui
