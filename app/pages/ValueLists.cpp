#include "app/pages/ValueLists.h"

namespace app {

std::optional<std::wstring> ListEntry(std::wstring_view list, int index) {
    if (index < 0) return std::nullopt;
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        const std::size_t separator = list.find(L';', start);
        if (separator == std::wstring_view::npos) return std::nullopt;
        start = separator + 1;
    }
    const std::size_t end = list.find(L';', start);
    return std::wstring(list.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start));
}

std::optional<std::wstring> GetListValue(std::wstring_view list, bool valid, int index, std::wstring_view fallback) {
    if (!valid) return std::wstring(fallback);
    return ListEntry(list, index);
}

}  // namespace app
