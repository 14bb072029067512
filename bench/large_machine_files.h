#pragma once
// Machine files with many entries of one kind, written compact (as a program
// writes them) or pretty-printed (as a person reads them), for the
// benchmarks of large machines.

#include <string>

#include <nlohmann/json.hpp>

namespace bench {

enum class EntryKind { kUsbDevices, kPrinters, kRegistryEntries, kLogicalDrives };

inline const char* EntryKindName(EntryKind kind) {
    switch (kind) {
        case EntryKind::kUsbDevices: return "UsbDevices";
        case EntryKind::kPrinters: return "Printers";
        case EntryKind::kRegistryEntries: return "RegistryEntries";
        case EntryKind::kLogicalDrives: return "LogicalDrives";
    }
    return "";
}

// Device i > 0 sits on port (i - 1) % 8 + 1 of device (i - 1) / 8; every device is a hub of eight ports.
inline std::string UsbDevice(int i) {
    const std::string n = std::to_string(i);
    std::string device = R"({"id": "USB\\D\\)" + n + R"(", "ports": 8, "driver": "{usb}\\)" + n +
                         R"(", "device": "12 01 00 02 09 00 00 40 6B 1D 02 00 06 05 03 02 01 01")";
    if (i > 0)
        device += R"(, "parent": "USB\\D\\)" + std::to_string((i - 1) / 8) + R"(", "port": )" +
                  std::to_string((i - 1) % 8 + 1);
    return device + "}";
}

inline std::string Printer(int i) {
    const std::string n = std::to_string(i);
    return R"({"name": "Printer )" + n + R"(", "port": "USB)" + n + R"(", "driver": "Generic PostScript",
               "comment": "Floor )" + std::to_string(i % 40) + R"(", "location": "Room )" + n + R"("})";
}

// A network card's key in the registry and its card, as two entries of their lists.
inline std::string RegistryEntry(int i) {
    return R"("Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\)" + std::to_string(i) +
           R"(": {"ServiceName": "Card)" + std::to_string(i) + R"(", "Description": "Card"})";
}
inline std::string NetworkCard(int i) {
    return R"("Card)" + std::to_string(i) + R"(": {"address": "00 1B 21 3A 5B 7F", "description": "Card", "version": "0A 04"})";
}

inline std::string LogicalDrive(int i) {
    return R"({"root": "/mnt/volume)" + std::to_string(i) + R"(", "type": 3,
               "volume": {"label": "DATA)" + std::to_string(i) + R"(", "serial": )" + std::to_string(i) +
           R"(, "file_system": "ext4"}, "free_space": {"sectors_per_cluster": 8, "bytes_per_sector": 512,
               "free_clusters": 1000, "total_clusters": 2000}})";
}

template <typename Entry>
std::string Joined(int count, Entry entry) {
    std::string list;
    for (int i = 0; i < count; ++i) list += (i > 0 ? "," : "") + entry(i);
    return list;
}

inline std::string LargeMachineText(EntryKind kind, int count) {
    switch (kind) {
        case EntryKind::kUsbDevices: return R"({"usb": {"devices": [)" + Joined(count, UsbDevice) + "]}}";
        case EntryKind::kPrinters:
            return R"({"spooler": {"default_printer": "Printer 0", "printers": [)" + Joined(count, Printer) + "]}}";
        case EntryKind::kRegistryEntries:
            return R"({"registry": {)" + Joined(count, RegistryEntry) + R"(}, "network": {)" +
                   Joined(count, NetworkCard) + "}}";
        case EntryKind::kLogicalDrives: return R"({"logical_drives": [)" + Joined(count, LogicalDrive) + "]}";
    }
    return "{}";
}

// Compact: no blank between tokens; pretty: one member a line, indented by two.
inline std::string LargeMachineFile(EntryKind kind, int count, bool pretty) {
    const auto document = nlohmann::ordered_json::parse(LargeMachineText(kind, count));
    return pretty ? document.dump(2) : document.dump();
}

}  // namespace bench
