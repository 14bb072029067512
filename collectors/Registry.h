#pragma once
// The two registry reads the network collector makes: the names of a key's
// subkeys, and a string value. Both report success as a boolean and never
// raise an error to the caller.

#include <cstdint>
#include <string>
#include <vector>

#include "base/codepage.h"
#include "platform/network_services.h"

namespace collectors {

class Registry {
public:
    // Texts are decoded from the machine's code page `page`.
    Registry(platform::NetworkServices& services, base::CodePage page) : services_(services), page_(page) {}

    // The names of the direct subkeys of `subkey`, in the registry's order,
    // as the machine gives them: they are the keys of later requests. True
    // when the key could be opened (with or without subkeys); on false
    // `numberkeys` is 0 and `keys` empty.
    bool EnumerateKeys(platform::registry::Key rootkey, const std::string& subkey, std::int16_t& numberkeys,
                       std::vector<std::string>& keys);

    // A string value (REG_SZ, REG_EXPAND_SZ as stored, REG_MULTI_SZ with its
    // inner NULs) without its final NUL. True only for those types with at
    // least one byte of data; `valuedata` is "" unless true.
    bool ReadStringValue(platform::registry::Key rootkey, const std::string& subkey, const std::string& valuename,
                         std::wstring& valuedata, std::uint32_t& valuetype);
    // The same value as the machine holds it, for a name a later request uses.
    bool ReadStringValue(platform::registry::Key rootkey, const std::string& subkey, const std::string& valuename,
                         std::string& valuedata, std::uint32_t& valuetype);

private:
    bool ReadRawValue(platform::registry::Key rootkey, const std::string& subkey, const std::string& valuename,
                      std::vector<std::uint8_t>& data, std::uint32_t& valuetype);

    platform::NetworkServices& services_;
    base::CodePage page_;
};

}  // namespace collectors
