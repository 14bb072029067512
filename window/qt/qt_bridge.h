#pragma once
// The bridge between the two halves of the toolkit's Qt side: what of
// window/qt/ui the form controls' widgets (window/qt/form) build on.
// window/qt/form includes this header and nothing else under window/qt/ui;
// what is not offered here stays internal to the ui side.
//
// Offered:
// - windows: RegisterWindow, WindowClassInfo, Hosted (a widget that leaves
//   the window registry when destroyed), WidgetOf, ToQString;
// - text: ParsePrefix, TextStyle, DrawFormattedText (the DrawText rules);
// - fonts and colours: MakeQFont, FindFont, ToQColor;
// - pictures: ImageOf;
// - modal windows: FocusReturn (the keyboard back to the owner afterwards);
// - accessibility: AccessibleWindow (what every window shows a screen
//   reader), NotifyTextChanged.

#include <QImage>

#include "window/ui/picture.h"
#include "window/qt/ui/accessible_window.h"
#include "window/qt/ui/focus_return.h"
#include "window/qt/ui/gdi_objects.h"
#include "window/qt/ui/registry.h"
#include "window/qt/ui/text_drawing.h"

namespace window::ui::qt {

// The image a picture holds (empty for an empty picture).
const QImage& ImageOf(const Picture& picture);

}  // namespace window::ui::qt
