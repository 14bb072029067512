#include "platform/linux/areas/id_databases.h"

#include <cstdio>

namespace platform::linux_backend {

namespace {

// Where Debian's hwdata package puts the files, and where older systems keep them.
constexpr const char* kDirectories[] = {"/usr/share/hwdata/", "/usr/share/misc/"};

}  // namespace

IdDatabases::Loaded& IdDatabases::Load(std::unique_ptr<Loaded>& slot, const char* file) {
    if (slot) return *slot;
    slot = std::make_unique<Loaded>();
    // Read past the capture log: the capture gets only the lines used (NoteUsed).
    const RootFs quiet(fs_.Root());
    for (const char* directory : kDirectories) {
        const std::string path = std::string(directory) + file;
        if (auto text = quiet.ReadFile(path)) {
            slot->path = path;
            slot->database = IdDatabase(std::move(*text));
            break;
        }
    }
    return *slot;
}

void IdDatabases::NoteUsed(const Loaded& loaded) {
    if (capture_ && !loaded.path.empty()) capture_->NoteFile(loaded.path, loaded.database.UsedLines());
}

std::optional<std::string> IdDatabases::PciName(std::uint16_t vendor, std::uint16_t device) {
    Loaded& loaded = Load(pci_, "pci.ids");
    auto name = loaded.database.VendorAndDevice(vendor, device);
    if (!name) return std::nullopt;
    NoteUsed(loaded);
    // A device the database does not list yet is named by its number, the
    // way PCI listings show it: "NVIDIA Corporation Device 1c83".
    if (!loaded.database.Device(vendor, device)) {
        char number[16];
        std::snprintf(number, sizeof number, " Device %04x", device);
        *name += number;
    }
    return name;
}

std::optional<std::string> IdDatabases::UsbName(std::uint16_t vendor, std::uint16_t product) {
    Loaded& loaded = Load(usb_, "usb.ids");
    auto name = loaded.database.VendorAndDevice(vendor, product);
    if (name) NoteUsed(loaded);
    return name;
}

std::optional<std::string> IdDatabases::UsbClassName(std::uint8_t deviceClass) {
    Loaded& loaded = Load(usb_, "usb.ids");
    const auto name = loaded.database.Class(deviceClass);
    if (!name) return std::nullopt;
    NoteUsed(loaded);
    return std::string(*name);
}

}  // namespace platform::linux_backend
