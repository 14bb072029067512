#include "window/ui/picture.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include "window/qt/ui/picture_impl.h"

namespace window::ui {

Picture Picture::Load(std::string_view path) {
    Picture picture;
    QImage image(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
    if (image.isNull()) return picture;
    auto impl = std::make_shared<Impl>();
    impl->image = std::move(image);
    impl->source = std::string(path);
    picture.impl_ = std::move(impl);
    return picture;
}

Picture Picture::FromBytes(std::span<const std::uint8_t> bytes) {
    Picture picture;
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()))) return picture;
    auto impl = std::make_shared<Impl>();
    impl->image = std::move(image);
    picture.impl_ = std::move(impl);
    return picture;
}

bool Picture::IsEmpty() const { return !impl_ || impl_->image.isNull(); }
int Picture::Width() const { return impl_ ? impl_->image.width() : 0; }
int Picture::Height() const { return impl_ ? impl_->image.height() : 0; }

const std::string& Picture::Source() const {
    static const std::string none;
    return impl_ ? impl_->source : none;
}

}  // namespace window::ui

namespace window::ui::qt {

const QImage& ImageOf(const Picture& picture) {
    static const QImage kEmpty;
    return picture.impl() ? picture.impl()->image : kEmpty;
}

}  // namespace window::ui::qt
