#pragma once
// The machine's serial and parallel ports from sysfs; no port is opened, so
// nothing can block on a modem line or a printer that is switched off.
//
// Serial: /sys/class/tty lists every terminal the kernel has, most of them
// virtual or placeholders. A port is real when it is a ttyS port whose
// "type" attribute is not 0 (an 8250 slot without a UART reads 0), or a
// ttyUSB (USB serial converter), ttyACM (USB modem class) or ttyAMA (ARM
// UART) device. Parallel: /sys/class/ppdev (parportN, the user-space port
// driver) or, when that lists none, /sys/class/printer (lpN).

#include <string>
#include <vector>

#include "platform/linux/io/root_fs.h"

namespace platform::linux_backend {

struct PortFacts {
    std::string path;         // "/dev/ttyS0"
    // The kernel driver serving it: the port device's driver ("serial",
    // "ftdi_sio"), the tty driver of /proc/tty/drivers where the device has
    // none of its own, "ppdev" or "lp" for parallel ports.
    std::string driver;
    std::string description;  // the USB adapter's product name, or "Serial port" / "Parallel port"
};

// Serial ports first (ttyS, ttyUSB, ttyACM, ttyAMA, each by number), then
// the parallel ports by number.
std::vector<PortFacts> ReadPorts(const RootFs& fs);

// The value of KEY= in a sysfs uevent file ("DRIVER=ftdi_sio"), or "".
std::string UeventValue(std::string_view uevent, std::string_view key);

}  // namespace platform::linux_backend
