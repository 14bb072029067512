// The registry keys the collectors opened, enumerated and read, and the NDIS
// replies of the network cards they asked.
#include "base/bytes.h"
#include "platform/recording/recording_areas.h"

namespace platform::recording {

namespace {

const char* ReplyKey(std::uint32_t oid) {
    switch (oid) {
        case ndis::kCurrentAddress: return "address";
        case ndis::kVendorDescription: return "description";
        case ndis::kDriverVersion: return "version";
        default: return nullptr;
    }
}

std::string_view AsText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

FileJson& RecordingNetwork::Key(const std::string& path) {
    FileJson& key = record_.file["registry"][path];
    if (!key.is_object()) key = FileJson::object();
    return key;
}

std::optional<registry::Key> RecordingNetwork::RegOpenKeyEx(registry::Key root, std::string_view subkey) {
    const auto key = real_.RegOpenKeyEx(root, subkey);
    if (key && root == registry::kLocalMachine) {
        keys_[*key] = std::string(subkey);
        Key(std::string(subkey));
    }
    return key;
}

std::optional<std::string> RecordingNetwork::RegEnumKeyEx(registry::Key key, std::uint32_t index) {
    auto name = real_.RegEnumKeyEx(key, index);
    if (const auto open = keys_.find(key); name && open != keys_.end()) Key(open->second + "\\" + *name);
    return name;
}

// A value is kept as its type and exact bytes; a string that reads back to
// the same bytes is kept as the text it is.
std::optional<RegistryValueInfo> RecordingNetwork::RegQueryValueEx(registry::Key key, std::string_view valueName,
                                                                   std::span<std::uint8_t> data) {
    const auto info = real_.RegQueryValueEx(key, valueName, data);
    const auto open = keys_.find(key);
    if (!info || open == keys_.end()) return info;
    FileJson& value = Key(open->second)[std::string(valueName)];
    if (data.empty()) {
        // The size alone: kept until the data is read.
        if (value.is_null()) value = {{"type", info->type}, {"hex", HexPairs(std::vector<std::uint8_t>(info->size))}};
        return info;
    }
    const auto bytes = data.first(std::min<std::size_t>(info->size, data.size()));
    const std::string_view text = AsText(bytes);
    if (info->type == registry::kString && !text.empty() && text.back() == '\0' &&
        record_.TextKeepsBytes(text.substr(0, text.size() - 1)))
        value = record_.Text(text.substr(0, text.size() - 1));
    else
        value = {{"type", info->type}, {"hex", HexPairs(bytes)}};
    return info;
}

void RecordingNetwork::RegCloseKey(registry::Key key) {
    keys_.erase(key);
    real_.RegCloseKey(key);
}

ndis::Handle RecordingNetwork::CreateFile(std::string_view path) {
    const ndis::Handle handle = real_.CreateFile(path);
    if (handle != ndis::kInvalidHandle && path.starts_with(ndis::kDevicePrefix)) {
        const std::string service(path.substr(ndis::kDevicePrefix.size()));
        cards_[handle] = service;
        FileJson& card = record_.file["network"][service];
        if (!card.is_object()) card = FileJson::object();
    }
    return handle;
}

// A reply is the bytes the driver wrote and the count it reported.
std::optional<std::uint32_t> RecordingNetwork::DeviceIoControl(ndis::Handle handle, std::uint32_t code,
                                                               std::span<const std::uint8_t> in,
                                                               std::span<std::uint8_t> out) {
    const auto returned = real_.DeviceIoControl(handle, code, in, out);
    const auto card = cards_.find(handle);
    const auto oid = base::ReadLe32(in, 0);
    const char* key = oid && in.size() == ndis::kOidSize && code == ndis::kQueryGlobalStats ? ReplyKey(*oid) : nullptr;
    if (!returned || card == cards_.end() || !key) return returned;
    const auto bytes = std::span<const std::uint8_t>(out).first(std::min<std::size_t>(*returned, out.size()));
    FileJson reply;
    const std::string_view text = AsText(bytes);
    if (*oid == ndis::kVendorDescription && !text.empty() && text.back() == '\0' &&
        record_.TextKeepsBytes(text.substr(0, text.size() - 1)))
        reply = {{"text", record_.Text(text.substr(0, text.size() - 1))}};
    else
        reply = {{"hex", HexPairs(bytes)}};
    if (*returned != bytes.size()) reply["returned"] = *returned;
    record_.file["network"][card->second][key] = reply;
    return returned;
}

void RecordingNetwork::CloseHandle(ndis::Handle handle) {
    cards_.erase(handle);
    real_.CloseHandle(handle);
}

}  // namespace platform::recording
