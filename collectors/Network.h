#pragma once
// The network cards: each card the registry lists whose driver answers the
// hardware-address request becomes one item, in the registry's order, with
// its address, its description and its driver version.

#include <string>

#include "collectors/Collection.h"
#include "platform/machine.h"
#include "platform/network_services.h"

namespace collectors {

class NetworkItem {
public:
    const std::wstring& MACAddress() const { return macAddress_; }  // "00-0C-29-3A-5B-7F"
    const std::wstring& Name() const { return name_; }
    const std::wstring& Version() const { return version_; }  // "4.10": major.minor

private:
    friend class Network;
    std::wstring macAddress_;
    std::wstring name_;
    std::wstring version_;
};

class Network : public Collection<NetworkItem> {
public:
    explicit Network(platform::Machine& machine);

    // The sizes of the request buffers: what the driver may fill, and one
    // spare byte so that a text always ends.
    static constexpr std::size_t kAddressBuffer = 7;
    static constexpr std::size_t kDescriptionBuffer = 257;
    static constexpr std::size_t kVersionBuffer = 3;
};

}  // namespace collectors
