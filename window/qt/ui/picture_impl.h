#pragma once
// Internal: the image behind a Picture.

#include <QImage>

#include <string>

#include "window/ui/picture.h"

namespace window::ui {

struct Picture::Impl {
    QImage image;
    std::string source;
};

}  // namespace window::ui
