#include "window/ui/internal/window_list_line.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

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

bool WriteWindowListFile(const char* path, const std::string& lines) {
    const std::string partial = std::string(path) + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(lines.data(), 1, lines.size(), file) == lines.size();
    if (std::fclose(file) != 0 || !written) {
        std::remove(partial.c_str());
        return false;
    }
    // One step from nothing to the whole list (MoveFileEx with replacing on
    // Windows, rename(2) here).
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) std::remove(partial.c_str());
    return !error;
}

}  // namespace window::ui
