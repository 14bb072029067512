#include "platform/linux/areas/linux_machine.h"

#include "platform/linux/areas/linux_display.h"
#include "platform/linux/areas/linux_network.h"
#include "platform/linux/areas/linux_usb.h"
#include "platform/linux/areas/linux_multimedia.h"
#include "platform/linux/areas/linux_spooler.h"

namespace platform::linux_backend {

namespace {

// Makes an area over the context on first use.
template <typename Area>
Area& MakeOnce(std::unique_ptr<Area>& slot, LinuxContext& context) {
    if (!slot) slot = std::make_unique<Area>(context);
    return *slot;
}

}  // namespace

LinuxMachine::LinuxMachine(std::string root) : LinuxMachine(LinuxMachineOptions{std::move(root)}) {}

LinuxMachine::LinuxMachine(LinuxMachineOptions options)
    : context_(std::make_unique<LinuxContext>(std::move(options))) {}

LinuxMachine::~LinuxMachine() = default;

const std::string& LinuxMachine::OpenError() const { return context_->error; }

bool LinuxMachine::IsLive() const { return context_->IsLive(); }

// Device areas: one accessor per area, `return MakeOnce(area_, *context_);`.
DisplayServices& LinuxMachine::Display() { return MakeOnce(display_, *context_); }
NetworkServices& LinuxMachine::Network() { return MakeOnce(network_, *context_); }
UsbServices& LinuxMachine::Usb() { return MakeOnce(usb_, *context_); }
DriveServices& LinuxMachine::Drives() { return MakeOnce(drives_, *context_); }
MultimediaServices& LinuxMachine::Multimedia() { return MakeOnce(multimedia_, *context_); }
SpoolerServices& LinuxMachine::Spooler() { return MakeOnce(spooler_, *context_); }

std::unique_ptr<LinuxMachine> OpenLinuxMachine(const std::string& root, std::string& error, bool realWaits,
                                               bool privacy) {
    LinuxMachineOptions options;
    options.root = root;
    options.realWaits = realWaits;
    options.privacy = privacy;
    auto machine = std::make_unique<LinuxMachine>(std::move(options));
    if (!machine->OpenError().empty()) {
        error = machine->OpenError();
        return nullptr;
    }
    return machine;
}

}  // namespace platform::linux_backend
