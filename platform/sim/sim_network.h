#pragma once
// The network cards and the registry of a simulated machine: the sections
// "registry" (keys under HKEY_LOCAL_MACHINE with their values) and "network"
// (the cards by service name, with the driver's replies to the NDIS queries).

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/network_services.h"
#include "platform/sim/sim_reader.h"

namespace platform::sim {

struct SimAreas;

class SimNetwork final : public NetworkServices {
public:
    struct Value {
        std::uint32_t type = registry::kString;
        std::vector<std::uint8_t> data;
    };
    struct Key {
        std::string path;  // under HKEY_LOCAL_MACHINE, "\"-separated
        std::map<std::string, Value> values;
    };
    // A driver's reply to one query: the bytes it writes and the count it reports.
    struct Reply {
        std::vector<std::uint8_t> bytes;
        std::uint32_t returned = 0;
    };
    struct Card {
        std::string service;
        std::map<std::uint32_t, Reply> replies;  // by object identifier
    };

    // Fixed once the first request was made: requests find keys and cards
    // through an index made of them then.
    std::vector<Key> keys;
    std::vector<Card> cards;

    std::optional<registry::Key> RegOpenKeyEx(registry::Key root, std::string_view subkey) override;
    std::optional<std::string> RegEnumKeyEx(registry::Key key, std::uint32_t index) override;
    std::optional<RegistryValueInfo> RegQueryValueEx(registry::Key key, std::string_view valueName,
                                                     std::span<std::uint8_t> data) override;
    void RegCloseKey(registry::Key key) override;
    ndis::Handle CreateFile(std::string_view path) override;
    std::optional<std::uint32_t> DeviceIoControl(ndis::Handle handle, std::uint32_t code,
                                                 std::span<const std::uint8_t> in,
                                                 std::span<std::uint8_t> out) override;
    void CloseHandle(ndis::Handle handle) override;

    // How many keys and cards the requests looked through, for tests: each
    // once, when the index is made.
    std::size_t EntriesVisited() const { return visited_; }

private:
    // A subkey's name under the path above it, both views of a key's path.
    struct Subkey {
        std::string_view parent;
        std::string_view name;
    };
    // Sorted lists, searched by halving with names compared without case:
    // made once, without a copy of any path or name.
    struct Index {
        std::vector<std::uint32_t> keys;   // by path; the first of equal paths first
        std::vector<Subkey> subkeys;       // by parent, then name; one of each, as first seen
        std::vector<std::uint32_t> cards;  // by service; the first of equal services first
    };
    const Index& Indexed();
    std::optional<std::uint32_t> FindKey(std::string_view path);
    std::pair<std::size_t, std::size_t> SubkeysOf(std::string_view path);  // their range in the index

    // An open key: the path it names, its key (if the file has one) and,
    // once looked up, the range of its subkeys.
    struct Open {
        std::string path;
        std::optional<std::uint32_t> key;
        std::optional<std::pair<std::size_t, std::size_t>> subkeys;
    };

    std::optional<Index> index_;
    std::size_t visited_ = 0;
    // Open keys by handle.
    std::map<registry::Key, Open> open_;
    registry::Key next_ = 1;
};

void ReadRegistrySection(const Node& section, SimAreas& areas);
void ReadNetworkSection(const Node& section, SimAreas& areas);

}  // namespace platform::sim
