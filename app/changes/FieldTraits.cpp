#include "app/changes/FieldTraits.h"

#include <algorithm>
#include <array>

#include "app/pages/PageRows.h"

namespace app::changes {

namespace {

// Up to four keys per role; the rest stay empty.
using Keys = std::array<std::string_view, 4>;

struct Traits {
    Keys serial;
    Keys model;
    Keys place;
    Keys live;
};

// By category number, in tab order. A single-object category names no device
// (there is one of it); only its live values are listed. A display's items
// are its modes: a mode is what it is, so every one of its numbers names it.
constexpr Traits kTraits[kCategoryCount] = {
    /* Processor */ {{}, {}, {}, {"Speed"}},
    /* MemoryUsage */ {{}, {}, {}, {"AvailablePhysical", "AvailableVirtual", "Load"}},
    /* Display */ {{}, {"ScreenWidth", "ScreenHeight", "ColorBits", "RefreshFrequency"}, {}, {}},
    /* Network */ {{"MACAddress"}, {"Name"}, {}, {}},
    /* Sound */ {{}, {"Name", "SoundType"}, {}, {}},
    /* Keyboard */ {{}, {}, {}, {"CapsLockStatus", "NumLockStatus", "ScrollLockStatus"}},
    /* Mouse */ {},
    /* Printers */ {{}, {"Name"}, {}, {}},
    /* Joysticks */ {{}, {"Name"}, {}, {}},
    /* HardDrives */ {{"SerialNumber"}, {"Name"}, {"Controller"}, {}},
    /* OpticalDrives */ {{}, {"Manufacturer", "Name"}, {}, {}},
    /* LogicalDrives */ {{"SerialNumber"}, {"Name", "FileSystem"}, {"Letter"}, {"FreeSpace"}},
    /* Ports */ {{}, {}, {"Name"}, {}},
    /* USBDevices */ {{"SerialNumber"}, {"VendorID", "ProductID", "Name"}, {}, {}},
    /* Battery */ {{}, {}, {}, {"PowerStatus", "ChargeStatus", "LifePercent", "LifeTime"}},
};

const Traits& TraitsOf(int category) {
    static constexpr Traits kNothing{};
    if (category < 0 || category >= kCategoryCount) return kNothing;
    return kTraits[category];
}

bool Holds(const Keys& keys, std::string_view key) {
    return !key.empty() && std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

IdentityRole RoleOf(int category, std::string_view jsonKey) {
    const Traits& traits = TraitsOf(category);
    if (Holds(traits.serial, jsonKey)) return IdentityRole::kSerial;
    if (Holds(traits.model, jsonKey)) return IdentityRole::kModel;
    if (Holds(traits.place, jsonKey)) return IdentityRole::kPlace;
    return IdentityRole::kNone;
}

bool IsIdentity(int category, std::string_view jsonKey) { return RoleOf(category, jsonKey) != IdentityRole::kNone; }

bool IsLive(int category, std::string_view jsonKey) { return Holds(TraitsOf(category).live, jsonKey); }

}  // namespace app::changes
