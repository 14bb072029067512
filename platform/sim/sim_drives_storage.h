#pragma once
// The storage requests a simulated disk or volume answers, written as the
// storage drivers write them: the device descriptor with its texts, the NVMe
// protocol-specific query, and the geometry with the disk's size.

#include <cstdint>
#include <span>

#include "platform/sim/sim_drives.h"

namespace platform::sim {

// STORAGE_DEVICE_DESCRIPTOR with its texts after it; false when `out` cannot
// hold the header.
bool WriteStorageDescriptor(const SimStorageDescriptor& descriptor, std::span<std::uint8_t> out,
                            std::uint32_t& bytesReturned);
// IOCTL_STORAGE_QUERY_PROPERTY on a physical disk: the device property, or
// an NVMe disk's Identify Controller data through the protocol-specific one.
bool AnswerDiskQuery(const SimDisk& disk, std::span<const std::uint8_t> in, std::span<std::uint8_t> out,
                     std::uint32_t& bytesReturned);
// IOCTL_DISK_GET_DRIVE_GEOMETRY_EX: the geometry and DiskSize.
bool AnswerGeometryEx(const SimDisk& disk, std::span<std::uint8_t> out, std::uint32_t& bytesReturned);

}  // namespace platform::sim
