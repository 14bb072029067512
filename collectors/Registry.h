#pragma once
// The two registry reads the network collector makes: the names of a key's
// subkeys, and a string value. Both report success as a boolean and never
// raise an error to the caller.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/network_services.h"

namespace collectors {

class Registry {
public:
    explicit Registry(platform::NetworkServices& services) : services_(services) {}

    // The names of the direct subkeys of `subkey`, in the registry's order.
    // True when the key could be opened (with or without subkeys); on false
    // `numberkeys` is 0 and `keys` empty.
    bool EnumerateKeys(platform::registry::Key rootkey, const std::string& subkey, std::int16_t& numberkeys,
                       std::vector<std::wstring>& keys);

    // A string value (REG_SZ, REG_EXPAND_SZ as stored, REG_MULTI_SZ with its
    // inner NULs) without its final NUL. True only for those types with at
    // least one byte of data; `valuedata` is "" unless true.
    bool ReadStringValue(platform::registry::Key rootkey, const std::string& subkey, const std::string& valuename,
                         std::wstring& valuedata, std::uint32_t& valuetype);

private:
    bool ReadRawValue(platform::registry::Key rootkey, const std::string& subkey, const std::string& valuename,
                      std::vector<std::uint8_t>& data, std::uint32_t& valuetype);

    platform::NetworkServices& services_;
};

}  // namespace collectors
