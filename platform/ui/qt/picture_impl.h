#pragma once
// Internal: the image behind a Picture.

#include <QImage>

#include <string>

#include "platform/ui/picture.h"

namespace platform::ui {

struct Picture::Impl {
    QImage image;
    std::string source;
};

}  // namespace platform::ui
