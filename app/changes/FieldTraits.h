#pragma once
// What each field of a report is to a comparison: part of what names a device
// (its serial, its model, its place), a value that changes by itself (free
// memory, a battery's level, a lock key), or neither, as each category's
// field declarations say. By category number (0-14) and the field's JSON key.

#include <string_view>

#include "app/pages/FieldDeclaration.h"

namespace app::changes {

using app::IdentityRole;

IdentityRole RoleOf(int category, std::string_view jsonKey);
bool IsIdentity(int category, std::string_view jsonKey);
// A value that changes while the hardware stays the same.
bool IsLive(int category, std::string_view jsonKey);

}  // namespace app::changes
