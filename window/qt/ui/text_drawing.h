#pragma once
// Internal: text the way DrawText lays it out, shared by the device context
// and the form's labels.

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>
#include <string_view>
#include <vector>

#include "window/ui/types.h"

class QPainter;
class QPaintDevice;

namespace window::ui::qt {

// Text with its access-key markers taken out.
struct PrefixedText {
    QString text;
    std::vector<int> underlined;  // positions in `text`
};

// "&x" underlines x, "&&" is one "&", a "&" at the very end stays as it is.
// With `noPrefix` the text is taken literally; with `hidePrefix` the markers
// are removed but nothing is underlined.
PrefixedText ParsePrefix(std::wstring_view text, bool noPrefix, bool hidePrefix = false);

struct TextStyle {
    QFont font;
    QColor color;
    std::optional<QColor> background;  // filled behind each line when set
};

// Lays out and (when `painter` is not null and DT_CALCRECT is not given)
// draws `text` in `rect` with the DT_ format flags. Returns the height of
// the text; with DT_CALCRECT sets rect's right and bottom to fit it.
int DrawFormattedText(QPainter* painter, QPaintDevice* device, const TextStyle& style, std::wstring_view text,
                      RECT& rect, unsigned format);

}  // namespace window::ui::qt
