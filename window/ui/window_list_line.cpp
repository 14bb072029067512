#include "window/ui/internal/window_list_line.h"

#include <cstdlib>

#include "base/codepage.h"

namespace window::ui {

namespace {

// UTF-8 with the characters that would break the line written as escapes.
std::string Field(std::wstring_view text) {
    std::string out;
    for (const char c : base::EncodeUtf8(text)) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

std::string WindowListLine(std::wstring_view name, std::wstring_view className, const RECT& area, bool shown,
                           std::wstring_view text) {
    return Field(name) + '\t' + Field(className) + '\t' + std::to_string(area.left) + ',' + std::to_string(area.top) +
           ',' + std::to_string(area.right) + ',' + std::to_string(area.bottom) + '\t' + (shown ? "shown" : "hidden") +
           '\t' + Field(text) + '\n';
}

const char* WindowListPath() {
    const char* path = std::getenv("VELTRIX_WINDOW_LIST");
    return path && *path ? path : nullptr;
}

}  // namespace window::ui
