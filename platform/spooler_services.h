#pragma once
// The print spooler: printers, ports and the default printer.
// Every operation of the plain class refuses; a backend overrides those it
// can answer.

namespace platform {

class SpoolerServices {
public:
    virtual ~SpoolerServices() = default;
};

}  // namespace platform
