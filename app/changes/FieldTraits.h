#pragma once
// What each field of a report is to a comparison: part of what names a device
// (its serial, its model, its place), a value that changes by itself (free
// memory, a battery's level, a lock key), or neither. One narrow question per
// field, by category number (0-14) and the field's JSON key, so the answers
// can come from the category tables themselves once they carry them.

#include <string_view>

namespace app::changes {

enum class IdentityRole {
    kNone,
    kSerial,  // names the device alone, where it has one
    kModel,   // what the device is
    kPlace,   // where it sits: port, drive letter, slot
};

IdentityRole RoleOf(int category, std::string_view jsonKey);
bool IsIdentity(int category, std::string_view jsonKey);
// A value that changes while the hardware stays the same.
bool IsLive(int category, std::string_view jsonKey);

}  // namespace app::changes
