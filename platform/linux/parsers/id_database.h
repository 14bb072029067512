#pragma once
// The PCI and USB ID databases (pci.ids, usb.ids of the hwdata package), read
// at run time. Both share one line format:
//   vvvv  Vendor name            a vendor: four hex digits, two blanks
//   <TAB>dddd  Device name       a device of the vendor above
//   <TAB><TAB>...                subsystems or interfaces (not used here)
//   C cc  Class name             a device class; its subclasses follow with a TAB
// Other sections of the files (AT, HID, R, L ...) start with a keyword line and
// are skipped. The vendors are kept in ascending order, so a vendor is found
// by bisecting the text, with no pass over the whole file; a file out of
// order is still read right, by a linear search when bisection misses. A
// database is read once for all devices.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform::linux_backend {

class IdDatabase {
public:
    IdDatabase() = default;
    explicit IdDatabase(std::string text);

    // Names as the file holds them (UTF-8); nothing when absent.
    std::optional<std::string_view> Vendor(std::uint16_t vendor) const;
    std::optional<std::string_view> Device(std::uint16_t vendor, std::uint16_t device) const;
    std::optional<std::string_view> Class(std::uint8_t deviceClass) const;

    // "Vendor Device", the vendor alone when the device is not listed,
    // nothing when the vendor is not listed.
    std::optional<std::string> VendorAndDevice(std::uint16_t vendor, std::uint16_t device) const;

    // The lines that answered look-ups so far, in file order, each with the
    // vendor or class line it belongs to: a database of just what this
    // machine needed, for a capture.
    std::string UsedLines() const;

private:
    std::optional<std::string_view> Child(std::size_t parentLine, std::uint16_t id, int digits) const;
    void NoteUsed(std::size_t lineStart) const;
    // The offset of the vendor's or class's line, found once and kept.
    std::optional<std::size_t> VendorLine(std::uint16_t vendor) const;
    std::optional<std::size_t> ClassLine(std::uint8_t deviceClass) const;
    std::optional<std::size_t> BisectVendor(std::uint16_t vendor) const;
    // The first line at or after `offset` that is not a child or a comment.
    std::size_t TopLevelLineAt(std::size_t offset) const;

    std::string text_;
    mutable std::unordered_map<std::uint16_t, std::optional<std::size_t>> vendors_;
    mutable std::unordered_map<std::uint8_t, std::optional<std::size_t>> classes_;
    mutable std::vector<std::size_t> used_;  // offsets of lines that answered
};

// Splits "hhhh  name" (or "hh  name" with `digits` 2): the number and the name.
// Nothing unless the digits are hex and two blanks and a name follow.
std::optional<std::pair<std::uint16_t, std::string_view>> ParseIdLine(std::string_view line, int digits);

}  // namespace platform::linux_backend
