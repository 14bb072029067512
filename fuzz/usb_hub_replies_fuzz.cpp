// What a hub answers about the device on its port, read by the USB
// collector: string descriptors whose length byte claims any size, device
// and configuration descriptors of any length, and a driver key name whose
// ActualLength says anything. The input is cut into those replies; whatever
// they claim, the collector reads only what the replies hold.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "collectors/USBDevices.h"
#include "fuzz_check.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_reader.h"
#include "platform/sim/sim_usb.h"

namespace {

// The next piece of the input: a length byte, then that many bytes.
std::vector<std::uint8_t> Piece(const std::uint8_t*& data, std::size_t& size) {
    if (size == 0) return {};
    std::size_t length = std::min<std::size_t>(data[0], size - 1);
    std::vector<std::uint8_t> piece(data + 1, data + 1 + length);
    data += 1 + length;
    size -= 1 + length;
    return piece;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::sim::SimMachine machine(platform::sim::ParseMachineText("{}"));
    auto& usb = dynamic_cast<platform::sim::SimUsb&>(machine.Usb());
    platform::sim::SimUsb::Device hub;
    hub.id = "HUB";
    hub.driver = "hub";
    hub.ports = 2;
    platform::sim::SimUsb::Device device;
    device.id = "DEV";
    device.parent = "HUB";
    device.port = 2;
    device.driver = "dev";
    namespace usbc = platform::usb;
    const auto actual = Piece(data, size);
    if (const auto length = base::ReadLe32(actual, 0)) device.actualLength = *length;
    device.descriptors[usbc::kDeviceDescriptorType << 8] = Piece(data, size);
    device.descriptors[usbc::kConfigurationDescriptorType << 8] = Piece(data, size);
    device.descriptors[usbc::kStringDescriptorType << 8] = Piece(data, size);
    for (std::uint16_t index = 1; size > 0 && index < 256; ++index)
        device.descriptors[static_cast<std::uint16_t>(usbc::kStringDescriptorType << 8 | index)] = Piece(data, size);
    usb.devices = {hub, device};

    const collectors::USBDevices devices(machine);
    FUZZ_CHECK(devices.Count() <= 1);
    if (const auto* item = devices.Item(0)) {
        // A string descriptor holds at most 253 bytes of text: 126 characters.
        FUZZ_CHECK(item->Name().size() <= 126);
        FUZZ_CHECK(item->Manufacturer().size() <= 126);
        FUZZ_CHECK(item->SerialNumber().size() <= 126);
        FUZZ_CHECK(item->Power() >= 0 && item->Power() <= 510);
        FUZZ_CHECK(item->Revision().size() <= 6 && item->Version().size() <= 6);
    }
    return 0;
}
