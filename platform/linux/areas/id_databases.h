#pragma once
// The installed PCI and USB ID databases of the machine under the root, each
// read on first use and kept, so naming any number of devices reads each
// file once. A capture keeps only the lines that named something, so a
// captured tree names its devices the same way without carrying the whole
// databases.

#include <memory>
#include <optional>
#include <string>

#include "platform/linux/io/capture_log.h"
#include "platform/linux/parsers/id_database.h"
#include "platform/linux/io/root_fs.h"

namespace platform::linux_backend {

class IdDatabases {
public:
    IdDatabases(const RootFs& fs, CaptureLog* capture) : fs_(fs), capture_(capture) {}

    // "Vendor Device" as the database names them, UTF-8; nothing for an
    // unlisted vendor. A PCI device the vendor's list lacks is "Vendor Device
    // 1c83"; a USB product it lacks gives the vendor alone.
    std::optional<std::string> PciName(std::uint16_t vendor, std::uint16_t device);
    std::optional<std::string> UsbName(std::uint16_t vendor, std::uint16_t product);
    std::optional<std::string> UsbClassName(std::uint8_t deviceClass);

private:
    struct Loaded {
        std::string path;  // where it was found, for the capture
        IdDatabase database;
    };
    Loaded& Load(std::unique_ptr<Loaded>& slot, const char* file);
    void NoteUsed(const Loaded& loaded);

    const RootFs& fs_;
    CaptureLog* capture_;
    std::unique_ptr<Loaded> pci_;
    std::unique_ptr<Loaded> usb_;
};

}  // namespace platform::linux_backend
