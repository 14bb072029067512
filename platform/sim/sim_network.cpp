#include "platform/sim/sim_network.h"

#include <algorithm>
#include <cstring>

#include "base/bytes.h"
#include "base/codepage.h"
#include "platform/sim/sim_areas.h"
#include "platform/sim/sim_text.h"
#include "platform/sim/sim_drives_reader.h"  // HexBytes: device replies written as hex pairs

namespace platform::sim {

namespace {

constexpr std::uint64_t kMax32 = 0xFFFFFFFFu;

// Registry names compare without case (ASCII letters), as Windows compares them.
unsigned char Folded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

// A value's name as its key's values are kept.
std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) { return static_cast<char>(Folded(c)); });
    return out;
}

// Paths under one key share long beginnings: equal bytes are passed over
// eight at a time, and only where they differ are letters folded.
int CompareFolded(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t i = 0;
    while (i < common) {
        while (i + 8 <= common && std::memcmp(a.data() + i, b.data() + i, 8) == 0) i += 8;
        while (i < common && a[i] == b[i]) ++i;
        if (i == common) break;
        if (Folded(a[i]) != Folded(b[i])) return Folded(a[i]) < Folded(b[i]) ? -1 : 1;
        ++i;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool BeforeFolded(std::string_view a, std::string_view b) { return CompareFolded(a, b) < 0; }

// Text values become single-byte text with their NUL, as the registry keeps REG_SZ.
SimNetwork::Value ReadValue(const Node& node, base::CodePage page) {
    SimNetwork::Value value;
    if (node.IsString()) {
        const std::string text = MachineText(node, page);
        value.data.assign(text.begin(), text.end());
        value.data.push_back(0);
        return value;
    }
    node.OnlyKeys({"type", "hex"});
    value.type = static_cast<std::uint32_t>(node.Unsigned("type", kMax32, registry::kString));
    if (const auto hex = node.Member("hex")) value.data = HexBytes(*hex);
    return value;
}

SimNetwork::Reply ReadReply(const Node& node, bool text, base::CodePage page) {
    SimNetwork::Reply reply;
    std::optional<Node> bytes = node;
    if (node.IsObject()) {
        node.OnlyKeys({"hex", "text", "returned"});
        bytes = node.Member("hex");
        text = false;
        if (const auto t = node.Member("text")) {
            bytes = t;
            text = true;
        }
        if (!bytes) node.Fail("expected \"hex\" or \"text\"");
    }
    if (text) {
        const std::string s = MachineText(*bytes, page);
        reply.bytes.assign(s.begin(), s.end());
        reply.bytes.push_back(0);
    } else {
        reply.bytes = HexBytes(*bytes);
    }
    reply.returned = static_cast<std::uint32_t>(reply.bytes.size());
    if (node.IsObject()) reply.returned = static_cast<std::uint32_t>(node.Unsigned("returned", kMax32, reply.returned));
    return reply;
}

}  // namespace

void ReadRegistrySection(const Node& section, SimAreas& areas) {
    if (!section.IsObject()) section.Fail("expected an object of keys");
    for (const auto& [path, key] : section.Members()) {
        if (!key.IsObject()) key.Fail("expected an object of values");
        SimNetwork::Key k{path.Text(), {}};
        for (const auto& [name, value] : key.Members()) k.values[Lower(name.Text())] = ReadValue(value, areas.codePage);
        areas.network.keys.push_back(std::move(k));
    }
}

void ReadNetworkSection(const Node& section, SimAreas& areas) {
    if (!section.IsObject()) section.Fail("expected an object of cards by service name");
    for (const auto& [service, card] : section.Members()) {
        card.OnlyKeys({"address", "description", "version"});
        SimNetwork::Card c{service.Text(), {}};
        if (const auto n = card.Member("address")) c.replies[ndis::kCurrentAddress] = ReadReply(*n, false, areas.codePage);
        if (const auto n = card.Member("description"))
            c.replies[ndis::kVendorDescription] = ReadReply(*n, true, areas.codePage);
        if (const auto n = card.Member("version")) c.replies[ndis::kDriverVersion] = ReadReply(*n, false, areas.codePage);
        areas.network.cards.push_back(std::move(c));
    }
}

// Every key path names the direct subkeys of the keys above it: a key
// "A\\B\\C" names subkey "B" of "A" and "C" of "A\\B". A name given again
// in another case is the same subkey, spelt as first seen.
const SimNetwork::Index& SimNetwork::Indexed() {
    if (index_) return *index_;
    Index& index = index_.emplace();
    index.keys.reserve(keys.size());
    for (std::uint32_t i = 0; i < keys.size(); ++i) {
        ++visited_;
        index.keys.push_back(i);
        const std::string_view path = keys[i].path;
        for (std::size_t at = path.find('\\'); at != std::string_view::npos; at = path.find('\\', at + 1)) {
            const std::size_t end = std::min(path.find('\\', at + 1), path.size());
            index.subkeys.push_back({path.substr(0, at), path.substr(at + 1, end - at - 1)});
        }
    }
    // The file lists a key's members sorted already; mostly that is this order too.
    const auto byPath = [this](std::uint32_t a, std::uint32_t b) { return BeforeFolded(keys[a].path, keys[b].path); };
    if (!std::is_sorted(index.keys.begin(), index.keys.end(), byPath))
        std::stable_sort(index.keys.begin(), index.keys.end(), byPath);
    const auto bySubkey = [](const Subkey& a, const Subkey& b) {
        const int parent = CompareFolded(a.parent, b.parent);
        return parent != 0 ? parent < 0 : BeforeFolded(a.name, b.name);
    };
    std::stable_sort(index.subkeys.begin(), index.subkeys.end(), bySubkey);
    const auto same = [](const Subkey& a, const Subkey& b) {
        return CompareFolded(a.parent, b.parent) == 0 && CompareFolded(a.name, b.name) == 0;
    };
    index.subkeys.erase(std::unique(index.subkeys.begin(), index.subkeys.end(), same), index.subkeys.end());
    index.cards.reserve(cards.size());
    for (std::uint32_t i = 0; i < cards.size(); ++i) {
        ++visited_;
        index.cards.push_back(i);
    }
    std::stable_sort(index.cards.begin(), index.cards.end(), [this](std::uint32_t a, std::uint32_t b) {
        return BeforeFolded(cards[a].service, cards[b].service);
    });
    return index;
}

std::optional<std::uint32_t> SimNetwork::FindKey(std::string_view path) {
    const auto& byPath = Indexed().keys;
    const auto found = std::lower_bound(byPath.begin(), byPath.end(), path, [this](std::uint32_t i, std::string_view p) {
        return BeforeFolded(keys[i].path, p);
    });
    if (found == byPath.end() || CompareFolded(keys[*found].path, path) != 0) return std::nullopt;
    return *found;
}

std::pair<std::size_t, std::size_t> SimNetwork::SubkeysOf(std::string_view path) {
    const auto& subkeys = Indexed().subkeys;
    const auto first = std::lower_bound(subkeys.begin(), subkeys.end(), path,
                                        [](const Subkey& s, std::string_view p) { return BeforeFolded(s.parent, p); });
    const auto last = std::upper_bound(first, subkeys.end(), path,
                                       [](std::string_view p, const Subkey& s) { return BeforeFolded(p, s.parent); });
    return {static_cast<std::size_t>(first - subkeys.begin()), static_cast<std::size_t>(last - first)};
}

std::optional<registry::Key> SimNetwork::RegOpenKeyEx(registry::Key root, std::string_view subkey) {
    if (root != registry::kLocalMachine) return std::nullopt;
    Open open{std::string(subkey), FindKey(subkey), std::nullopt};
    // A key the file does not have exists when a longer path names it.
    if (!open.key) {
        open.subkeys = SubkeysOf(subkey);
        if (open.subkeys->second == 0) return std::nullopt;
    }
    open_[next_] = std::move(open);
    return next_++;
}

std::optional<std::string> SimNetwork::RegEnumKeyEx(registry::Key key, std::uint32_t index) {
    const auto open = open_.find(key);
    if (open == open_.end()) return std::nullopt;
    auto& subkeys = open->second.subkeys;
    if (!subkeys) subkeys = SubkeysOf(open->second.path);  // once, on the first enumeration
    if (index >= subkeys->second) return std::nullopt;
    return std::string(Indexed().subkeys[subkeys->first + index].name);
}

std::optional<RegistryValueInfo> SimNetwork::RegQueryValueEx(registry::Key key, std::string_view valueName,
                                                             std::span<std::uint8_t> data) {
    const auto open = open_.find(key);
    if (open == open_.end() || !open->second.key) return std::nullopt;
    const Key& k = keys[*open->second.key];
    const auto value = k.values.find(Lower(valueName));
    if (value == k.values.end()) return std::nullopt;
    RegistryValueInfo info{value->second.type, static_cast<std::uint32_t>(value->second.data.size())};
    if (data.empty()) return info;
    if (data.size() < value->second.data.size()) return std::nullopt;
    std::copy(value->second.data.begin(), value->second.data.end(), data.begin());
    return info;
}

void SimNetwork::RegCloseKey(registry::Key key) { open_.erase(key); }

ndis::Handle SimNetwork::CreateFile(std::string_view path) {
    if (path.substr(0, ndis::kDevicePrefix.size()) != ndis::kDevicePrefix) return ndis::kInvalidHandle;
    const std::string_view service = path.substr(ndis::kDevicePrefix.size());
    const auto& byService = Indexed().cards;
    const auto card = std::lower_bound(byService.begin(), byService.end(), service,
                                       [this](std::uint32_t i, std::string_view s) { return BeforeFolded(cards[i].service, s); });
    if (card == byService.end() || CompareFolded(cards[*card].service, service) != 0) return ndis::kInvalidHandle;
    return static_cast<ndis::Handle>(*card + 1);
}

std::optional<std::uint32_t> SimNetwork::DeviceIoControl(ndis::Handle handle, std::uint32_t code,
                                                         std::span<const std::uint8_t> in,
                                                         std::span<std::uint8_t> out) {
    if (handle < 1 || static_cast<std::size_t>(handle) > cards.size() || code != ndis::kQueryGlobalStats ||
        in.size() != ndis::kOidSize)
        return std::nullopt;
    const std::uint32_t oid = *base::ReadLe32(in, 0);
    const auto& replies = cards[static_cast<std::size_t>(handle) - 1].replies;
    const auto reply = replies.find(oid);
    if (reply == replies.end()) return std::nullopt;
    // A driver writes what fits; the count it reports is the file's to choose.
    std::copy_n(reply->second.bytes.begin(), std::min(reply->second.bytes.size(), out.size()), out.begin());
    return reply->second.returned;
}

void SimNetwork::CloseHandle(ndis::Handle) {}

}  // namespace platform::sim
