#pragma once
// The ports the print spooler knows, in the order of its answer.

#include <string>

#include "collectors/Collection.h"
#include "platform/machine.h"

namespace collectors {

class PortItem {
public:
    const std::wstring& Name() const { return name_; }
    const std::wstring& Monitor() const { return monitor_; }
    const std::wstring& Description() const { return description_; }

private:
    friend class Ports;
    std::wstring name_, monitor_, description_;
};

class Ports : public Collection<PortItem> {
public:
    explicit Ports(platform::Machine& machine);
};

}  // namespace collectors
