#pragma once
// The operating system as the collectors see it: the kernel services every
// machine has, and one interface per device area. A backend that lacks an
// area inherits the plain one, which refuses every request, so adding an
// area breaks no backend and no test double.

#include "platform/kernel_services.h"

namespace platform {

class DriveServices;
class DisplayServices;
class NetworkServices;
class MultimediaServices;
class SpoolerServices;
class UsbServices;

class Machine : public KernelServices {
public:
    // Physical disks, optical drives, volumes (platform/drive_services.h).
    virtual DriveServices& Drives();
    // Display adapters, monitors and modes (platform/display_services.h).
    virtual DisplayServices& Display();
    // Network adapters and the registry that lists them (platform/network_services.h).
    virtual NetworkServices& Network();
    // Wave devices and joysticks (platform/multimedia_services.h).
    virtual MultimediaServices& Multimedia();
    // Printers and ports (platform/spooler_services.h).
    virtual SpoolerServices& Spooler();
    // USB device setup and hubs (platform/usb_services.h).
    virtual UsbServices& Usb();
};

}  // namespace platform
