#include "collectors/Registry.h"

#include "base/codepage.h"

namespace collectors {

namespace reg = platform::registry;

bool Registry::EnumerateKeys(reg::Key rootkey, const std::string& subkey, std::int16_t& numberkeys,
                             std::vector<std::string>& keys) {
    numberkeys = 0;
    keys.clear();
    const auto key = services_.RegOpenKeyEx(rootkey, subkey);
    if (!key) return false;
    for (std::uint32_t index = 0; numberkeys < INT16_MAX; ++index) {
        auto name = services_.RegEnumKeyEx(*key, index);
        if (!name) break;
        if (name->size() > reg::kMaxKeyName) name->resize(base::FitToField(page_, *name, reg::kMaxKeyName).size());
        keys.push_back(std::move(*name));
        ++numberkeys;
    }
    services_.RegCloseKey(*key);
    return true;
}

bool Registry::ReadRawValue(reg::Key rootkey, const std::string& subkey, const std::string& valuename,
                            std::vector<std::uint8_t>& data, std::uint32_t& valuetype) {
    const auto key = services_.RegOpenKeyEx(rootkey, subkey);
    if (!key) return false;
    bool ok = false;
    if (const auto info = services_.RegQueryValueEx(*key, valuename)) {
        data.assign(static_cast<std::size_t>(info->size), 0);
        const auto read = services_.RegQueryValueEx(*key, valuename, std::span(data));
        if (read && read->size > 0 && read->size <= info->size) {
            valuetype = read->type;
            data.resize(read->size);
            ok = true;
        }
    }
    services_.RegCloseKey(*key);
    return ok;
}

bool Registry::ReadStringValue(reg::Key rootkey, const std::string& subkey, const std::string& valuename,
                               std::wstring& valuedata, std::uint32_t& valuetype) {
    valuedata.clear();
    std::string bytes;
    if (!ReadStringValue(rootkey, subkey, valuename, bytes, valuetype)) return false;
    valuedata = base::DecodeText(page_, bytes);
    return true;
}

bool Registry::ReadStringValue(reg::Key rootkey, const std::string& subkey, const std::string& valuename,
                               std::string& valuedata, std::uint32_t& valuetype) {
    valuedata.clear();
    std::vector<std::uint8_t> data;
    if (!ReadRawValue(rootkey, subkey, valuename, data, valuetype)) return false;
    if (valuetype != reg::kString && valuetype != reg::kExpandString && valuetype != reg::kMultiString) return false;
    // The stored bytes without the final NUL; inner NULs of a multi-string
    // stay. A string stored without its NUL keeps its last character.
    std::size_t length = data.size();
    if (data.back() == 0) --length;
    valuedata.assign(reinterpret_cast<const char*>(data.data()), length);
    return true;
}

}  // namespace collectors
