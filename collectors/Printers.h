#pragma once
// The printers of the local print spooler, in the order of its answer; the
// one whose name equals the default printer's name, letter case included,
// is Selected.

#include <string>

#include "collectors/Collection.h"
#include "platform/machine.h"

namespace collectors {

class PrinterItem {
public:
    const std::wstring& Name() const { return name_; }
    const std::wstring& Port() const { return port_; }
    const std::wstring& DriverName() const { return driverName_; }
    const std::wstring& Comment() const { return comment_; }
    const std::wstring& Location() const { return location_; }
    bool Selected() const { return selected_; }

private:
    friend class Printers;
    std::wstring name_, port_, driverName_, comment_, location_;
    bool selected_ = false;
};

class Printers : public Collection<PrinterItem> {
public:
    explicit Printers(platform::Machine& machine);
};

}  // namespace collectors
