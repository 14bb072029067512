#include "platform/sim/sim_network.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>
#include <unordered_set>

#include "base/bytes.h"
#include "base/codepage.h"
#include "platform/sim/sim_areas.h"
#include "platform/sim/sim_text.h"
#include "platform/sim/sim_drives_reader.h"  // HexBytes: device replies written as hex pairs

namespace platform::sim {

namespace {

constexpr std::uint64_t kMax32 = 0xFFFFFFFFu;

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

// Adds every key path's direct subkeys to the lists of the keys above it: a
// key "A\\B\\C" names subkey "B" of "A" and "C" of "A\\B". Names compare
// without case; the first spelling seen is kept.
void AddSubkeys(const std::string& path, std::unordered_map<std::string, std::vector<std::string>>& subkeys,
                std::unordered_map<std::string, std::unordered_set<std::string>>& seen) {
    const std::string lower = Lower(path);
    for (std::size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1)) {
        const std::size_t end = std::min(path.find('\\', at + 1), path.size());
        const std::string parent = lower.substr(0, at);
        const std::string name = path.substr(at + 1, end - at - 1);
        if (seen[parent].insert(Lower(name)).second) subkeys[parent].push_back(name);
    }
}

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

const SimNetwork::Index& SimNetwork::Indexed() {
    if (index_) return *index_;
    Index& index = index_.emplace();
    std::unordered_map<std::string, std::unordered_set<std::string>> seen;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        ++visited_;
        index.keyByPath.emplace(Lower(keys[i].path), i);
        AddSubkeys(keys[i].path, index.subkeys, seen);
    }
    for (auto& [parent, names] : index.subkeys)
        std::sort(names.begin(), names.end(),
                  [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
    for (std::size_t i = 0; i < cards.size(); ++i) {
        ++visited_;
        index.cardByService.emplace(Lower(cards[i].service), i);
    }
    return index;
}

std::optional<registry::Key> SimNetwork::RegOpenKeyEx(registry::Key root, std::string_view subkey) {
    if (root != registry::kLocalMachine) return std::nullopt;
    const std::string path(subkey);
    const Index& index = Indexed();
    const std::string lower = Lower(path);
    if (!index.keyByPath.contains(lower) && !index.subkeys.contains(lower)) return std::nullopt;
    open_[next_] = path;
    return next_++;
}

std::optional<std::string> SimNetwork::RegEnumKeyEx(registry::Key key, std::uint32_t index) {
    const auto open = open_.find(key);
    if (open == open_.end()) return std::nullopt;
    const auto& subkeys = Indexed().subkeys;
    const auto names = subkeys.find(Lower(open->second));
    if (names == subkeys.end() || index >= names->second.size()) return std::nullopt;
    return names->second[index];
}

std::optional<RegistryValueInfo> SimNetwork::RegQueryValueEx(registry::Key key, std::string_view valueName,
                                                             std::span<std::uint8_t> data) {
    const auto open = open_.find(key);
    if (open == open_.end()) return std::nullopt;
    const auto& byPath = Indexed().keyByPath;
    const auto found = byPath.find(Lower(open->second));
    if (found == byPath.end()) return std::nullopt;
    const Key& k = keys[found->second];
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
    const auto& byService = Indexed().cardByService;
    const auto card = byService.find(Lower(path.substr(ndis::kDevicePrefix.size())));
    return card == byService.end() ? ndis::kInvalidHandle : static_cast<ndis::Handle>(card->second + 1);
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
