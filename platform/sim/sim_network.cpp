#include "platform/sim/sim_network.h"

#include <algorithm>
#include <cctype>

#include "base/bytes.h"
#include "base/codepage.h"
#include "platform/sim/sim_areas.h"
#include "platform/sim/sim_drives_reader.h"  // HexBytes: device replies written as hex pairs

namespace platform::sim {

namespace {

constexpr std::uint64_t kMax32 = 0xFFFFFFFFu;

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

// The direct subkeys of `path`, in the registry's (alphabetical) order.
std::vector<std::string> SubkeysOf(const std::vector<SimNetwork::Key>& keys, const std::string& path) {
    std::vector<std::string> names;
    const std::string prefix = Lower(path) + "\\";
    for (const auto& key : keys) {
        const std::string lower = Lower(key.path);
        if (lower.compare(0, prefix.size(), prefix) != 0) continue;
        std::string name = key.path.substr(prefix.size());
        name = name.substr(0, name.find('\\'));
        if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return Lower(n) == Lower(name); }))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
    return names;
}

// Text values become single-byte text with their NUL, as the registry keeps REG_SZ.
SimNetwork::Value ReadValue(const Node& node) {
    SimNetwork::Value value;
    if (node.Json().is_string()) {
        const std::string text = base::EncodeWindows1252(base::DecodeUtf8(node.Text()));
        value.data.assign(text.begin(), text.end());
        value.data.push_back(0);
        return value;
    }
    node.OnlyKeys({"type", "hex"});
    value.type = static_cast<std::uint32_t>(node.Unsigned("type", kMax32, registry::kString));
    if (const auto hex = node.Member("hex")) value.data = HexBytes(*hex);
    return value;
}

SimNetwork::Reply ReadReply(const Node& node, bool text) {
    SimNetwork::Reply reply;
    std::optional<Node> bytes = node;
    if (node.Json().is_object()) {
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
        const std::string s = base::EncodeWindows1252(base::DecodeUtf8(bytes->Text()));
        reply.bytes.assign(s.begin(), s.end());
        reply.bytes.push_back(0);
    } else {
        reply.bytes = HexBytes(*bytes);
    }
    reply.returned = static_cast<std::uint32_t>(reply.bytes.size());
    if (node.Json().is_object()) reply.returned = static_cast<std::uint32_t>(node.Unsigned("returned", kMax32, reply.returned));
    return reply;
}

}  // namespace

void ReadRegistrySection(const Node& section, SimAreas& areas) {
    if (!section.Json().is_object()) section.Fail("expected an object of keys");
    for (const auto& item : section.Json().items()) {
        const Node key(item.value(), section.Place() + "/" + item.key());
        if (!item.value().is_object()) key.Fail("expected an object of values");
        SimNetwork::Key k{item.key(), {}};
        for (const auto& value : item.value().items())
            k.values[Lower(value.key())] = ReadValue(Node(value.value(), key.Place() + "/" + value.key()));
        areas.network.keys.push_back(std::move(k));
    }
}

void ReadNetworkSection(const Node& section, SimAreas& areas) {
    if (!section.Json().is_object()) section.Fail("expected an object of cards by service name");
    for (const auto& item : section.Json().items()) {
        const Node card(item.value(), section.Place() + "/" + item.key());
        card.OnlyKeys({"address", "description", "version"});
        SimNetwork::Card c{item.key(), {}};
        if (const auto n = card.Member("address")) c.replies[ndis::kCurrentAddress] = ReadReply(*n, false);
        if (const auto n = card.Member("description")) c.replies[ndis::kVendorDescription] = ReadReply(*n, true);
        if (const auto n = card.Member("version")) c.replies[ndis::kDriverVersion] = ReadReply(*n, false);
        areas.network.cards.push_back(std::move(c));
    }
}

std::optional<registry::Key> SimNetwork::RegOpenKeyEx(registry::Key root, std::string_view subkey) {
    if (root != registry::kLocalMachine) return std::nullopt;
    const std::string path(subkey);
    const bool exists = std::any_of(keys.begin(), keys.end(), [&](const Key& k) { return Lower(k.path) == Lower(path); }) ||
                        !SubkeysOf(keys, path).empty();
    if (!exists) return std::nullopt;
    open_[next_] = path;
    return next_++;
}

std::optional<std::string> SimNetwork::RegEnumKeyEx(registry::Key key, std::uint32_t index) {
    const auto open = open_.find(key);
    if (open == open_.end()) return std::nullopt;
    const auto names = SubkeysOf(keys, open->second);
    if (index >= names.size()) return std::nullopt;
    return names[index];
}

std::optional<RegistryValueInfo> SimNetwork::RegQueryValueEx(registry::Key key, std::string_view valueName,
                                                             std::span<std::uint8_t> data) {
    const auto open = open_.find(key);
    if (open == open_.end()) return std::nullopt;
    for (const auto& k : keys) {
        if (Lower(k.path) != Lower(open->second)) continue;
        const auto value = k.values.find(Lower(valueName));
        if (value == k.values.end()) return std::nullopt;
        RegistryValueInfo info{value->second.type, static_cast<std::uint32_t>(value->second.data.size())};
        if (data.empty()) return info;
        if (data.size() < value->second.data.size()) return std::nullopt;
        std::copy(value->second.data.begin(), value->second.data.end(), data.begin());
        return info;
    }
    return std::nullopt;
}

void SimNetwork::RegCloseKey(registry::Key key) { open_.erase(key); }

ndis::Handle SimNetwork::CreateFile(std::string_view path) {
    if (path.substr(0, ndis::kDevicePrefix.size()) != ndis::kDevicePrefix) return ndis::kInvalidHandle;
    const auto service = Lower(path.substr(ndis::kDevicePrefix.size()));
    for (std::size_t i = 0; i < cards.size(); ++i)
        if (Lower(cards[i].service) == service) return static_cast<ndis::Handle>(i + 1);
    return ndis::kInvalidHandle;
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
