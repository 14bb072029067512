#include "window/controls/CommonDialogs.h"

#include <algorithm>
#include <limits>

namespace controls {

namespace ui = window::ui;

std::vector<ui::FileFilter> CommonDialogs::ParseFilter(const std::wstring& filter) {
    std::vector<std::wstring> entries;
    std::size_t start = 0;
    while (start < filter.size()) {
        const std::size_t end = std::min(filter.find(L'\0', start), filter.size());
        if (end == start) break;  // the empty entry that ends the list
        entries.emplace_back(filter.substr(start, end - start));
        start = end + 1;
    }
    std::vector<ui::FileFilter> pairs;
    for (std::size_t i = 0; i + 1 < entries.size(); i += 2) pairs.push_back({entries[i], entries[i + 1]});
    return pairs;
}

bool CommonDialogs::ShowSave() {
    ui::SaveFileRequest request;
    request.owner = owner_;
    request.title = title_;
    request.filters = ParseFilter(filter_);
    request.filterIndex = filterIndex_;
    request.fileName = fileName_;
    request.initialFolder = folderName_;
    request.defaultExtension = fileExtension_;
    request.confirmOverwrite = true;
    const auto result = ui::GetSaveFileName(request);
    if (!result) return false;
    fileName_ = result->path;
    fileTitle_ = result->title;
    filterIndex_ = static_cast<std::uint8_t>(std::clamp(result->filterIndex, 0, int{std::numeric_limits<std::uint8_t>::max()}));
    return true;
}

}  // namespace controls
