#include "platform/recording/masked_machine_file.h"

#include <cstdlib>
#include <random>
#include <set>
#include <vector>

#include "base/bytes.h"
#include "platform/linux/privacy/binary_identifiers.h"

namespace platform::recording {

namespace {

using linux_backend::IdentifierMask;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kNvmeSerial = 4, kNvmeSerialLength = 20;  // Identify Controller SN
constexpr std::size_t kSerialIndex = 16;                        // the device descriptor's iSerialNumber
constexpr const char* kSerialLeaf = "0x00000003";               // CPUID: the processor serial number

Bytes FromHex(const std::string& text) {
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == ' ') continue;
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
        ++i;
    }
    return bytes;
}

void MaskText(FileJson& value, const IdentifierMask& mask) {
    if (!value.is_string()) return;
    std::string text = value.get<std::string>();
    mask.Text(text);
    value = text;
}

// Every occurrence of each value in the texts of `node`, masked as the value is.
void MaskEvery(FileJson& node, const std::set<std::string>& values, const IdentifierMask& mask) {
    if (node.is_structured()) {
        for (auto& child : node) MaskEvery(child, values, mask);
        return;
    }
    if (!node.is_string()) return;
    std::string text = node.get<std::string>();
    for (const std::string& value : values) {
        if (value.empty()) continue;
        std::string masked = value;
        mask.Text(masked);
        for (std::size_t at = text.find(value); at != std::string::npos; at = text.find(value, at + masked.size()))
            text.replace(at, value.size(), masked);
    }
    node = text;
}

void MaskDisks(FileJson& disks, const IdentifierMask& mask) {
    for (auto& disk : disks) {
        if (disk.contains("identify") && disk["identify"].is_string()) {
            Bytes data = FromHex(disk["identify"].get<std::string>());
            linux_backend::MaskIdentifyData(data, mask);
            disk["identify"] = HexPairs(data);
        }
        if (disk.contains("nvme_identify") && disk["nvme_identify"].is_string()) {
            Bytes data = FromHex(disk["nvme_identify"].get<std::string>());
            if (data.size() >= kNvmeSerial + kNvmeSerialLength)
                mask.Text(std::span(reinterpret_cast<char*>(data.data()) + kNvmeSerial, kNvmeSerialLength));
            disk["nvme_identify"] = HexPairs(data);
        }
        if (disk.contains("descriptor")) MaskText(disk["descriptor"]["serial"], mask);
    }
}

void MaskAddresses(FileJson& network, const IdentifierMask& mask) {
    for (auto& card : network) {
        if (!card.contains("address") || !card["address"].contains("hex")) continue;
        FileJson& hex = card["address"]["hex"];
        std::string text = hex.get<std::string>();
        mask.Mac(text);  // six pairs of hex digits, as a MAC address is written
        hex = text;
    }
}

void MaskVolumeSerials(FileJson& drives, const IdentifierMask& mask) {
    for (auto& drive : drives) {
        if (!drive.contains("volume") || !drive["volume"].contains("serial")) continue;
        auto serial = drive["volume"]["serial"].get<std::uint32_t>();
        auto* bytes = reinterpret_cast<std::uint8_t*>(&serial);
        mask.Binary(std::span(bytes, sizeof serial));
        drive["volume"]["serial"] = serial;
    }
}

// USB serial numbers: the string the device descriptor names as its serial;
// Windows names a device with a serial after it, so every text that holds
// it is masked the same way.
std::set<std::string> UsbSerials(const FileJson& usb) {
    std::set<std::string> serials;
    if (!usb.contains("devices") || !usb["devices"].is_array()) return serials;
    for (const auto& device : usb["devices"]) {
        if (!device.contains("device") || !device.contains("strings")) continue;
        const Bytes descriptor = FromHex(device["device"].get<std::string>());
        if (descriptor.size() <= kSerialIndex || descriptor[kSerialIndex] == 0) continue;
        const std::string index = std::to_string(descriptor[kSerialIndex]);
        if (device["strings"].contains(index) && device["strings"][index].is_string())
            serials.insert(device["strings"][index].get<std::string>());
    }
    return serials;
}

// The host of "\\host\queue" and of a record's server field.
std::set<std::string> PrintServers(const FileJson& spooler) {
    std::set<std::string> hosts;
    const auto add = [&](const FileJson& text) {
        if (!text.is_string()) return;
        const std::string name = text.get<std::string>();
        if (!name.starts_with("\\\\")) return;
        const std::size_t end = name.find('\\', 2);
        hosts.insert(name.substr(2, end == std::string::npos ? std::string::npos : end - 2));
    };
    if (spooler.contains("printers") && spooler["printers"].is_array())
        for (const auto& printer : spooler["printers"]) {
            if (printer.contains("server")) add(printer["server"]);
            if (printer.contains("name")) add(printer["name"]);
        }
    if (spooler.contains("default_printer")) add(spooler["default_printer"]);
    hosts.erase("");
    return hosts;
}

// "C:\Users\<name>\...": the name of every user folder a text names.
void UserNames(const FileJson& node, std::set<std::string>& names) {
    if (node.is_structured()) {
        for (const auto& child : node) UserNames(child, names);
        return;
    }
    if (!node.is_string()) return;
    const std::string text = node.get<std::string>();
    for (std::size_t at = text.find("\\Users\\"); at != std::string::npos; at = text.find("\\Users\\", at + 1)) {
        const std::size_t start = at + 7, end = text.find('\\', start);
        const std::string name = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!name.empty() && name != "Public" && name != "Default") names.insert(name);
    }
}

// The processor serial number: ECX and EDX of CPUID leaf 3, masked in the
// leaf's reply as the privacy filter masks it.
void MaskProcessorSerial(FileJson& processor, const IdentifierMask& mask) {
    if (!processor.contains("cpuid") || !processor["cpuid"].contains(kSerialLeaf)) return;
    FileJson& registers = processor["cpuid"][kSerialLeaf];
    Bytes reply;
    for (const auto& value : registers) base::AppendLe32(reply, value.get<std::uint32_t>());
    linux_backend::MaskCpuidSerial(reply, mask);
    for (std::size_t i = 0; i < registers.size(); ++i) registers[i] = base::ReadLe32(reply, 4 * i).value_or(0);
}

}  // namespace

void MaskMachineFile(FileJson& file, const IdentifierMask& mask) {
    if (file.contains("processor")) MaskProcessorSerial(file["processor"], mask);
    if (file.contains("disks")) MaskDisks(file["disks"], mask);
    if (file.contains("network")) MaskAddresses(file["network"], mask);
    if (file.contains("logical_drives")) MaskVolumeSerials(file["logical_drives"], mask);
    std::set<std::string> texts;
    if (file.contains("usb")) texts = UsbSerials(file["usb"]);
    if (file.contains("spooler")) texts.merge(PrintServers(file["spooler"]));
    UserNames(file, texts);
    for (const char* section : {"usb", "spooler", "aspi", "logical_drives", "registry", "optical_drives"})
        if (file.contains(section)) MaskEvery(file[section], texts, mask);
}

linux_backend::HashKey CaptureMaskKey() {
    if (const char* material = std::getenv("VELTRIX_PRIVACY_KEY"); material && *material) {
        const std::string_view text(material);
        return {linux_backend::KeyedHash({0x56656C7472697831u, 1}, text),
                linux_backend::KeyedHash({0x56656C7472697832u, 2}, text)};
    }
    std::random_device random;
    const auto draw = [&] { return (std::uint64_t{random()} << 32) | random(); };
    return {draw(), draw()};
}

}  // namespace platform::recording
