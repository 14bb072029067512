// A picture's copies share one image, whatever the side keeps in it.
#include "window/ui/picture.h"

namespace window::ui {

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(const Picture&) = default;
Picture& Picture::operator=(const Picture&) = default;

}  // namespace window::ui
