#include "platform/machine.h"

#include "platform/display_services.h"
#include "platform/drive_services.h"
#include "platform/multimedia_services.h"
#include "platform/network_services.h"
#include "platform/spooler_services.h"
#include "platform/usb_services.h"

namespace platform {

namespace {

// One plain instance per area, shared by every backend that lacks it: it
// holds no state, and every request it gets is refused.
template <typename Area>
Area& Refusing() {
    static Area area;
    return area;
}

}  // namespace

DriveServices& Machine::Drives() { return Refusing<DriveServices>(); }
DisplayServices& Machine::Display() { return Refusing<DisplayServices>(); }
NetworkServices& Machine::Network() { return Refusing<NetworkServices>(); }
MultimediaServices& Machine::Multimedia() { return Refusing<MultimediaServices>(); }
SpoolerServices& Machine::Spooler() { return Refusing<SpoolerServices>(); }
UsbServices& Machine::Usb() { return Refusing<UsbServices>(); }

}  // namespace platform
