#pragma once
// Printers, ports and the default printer of the Windows machine.

#include "platform/spooler_services.h"

namespace platform::win32 {

class WindowsSpooler final : public SpoolerServices {
public:
    bool EnumPrinters(std::uint32_t flags, std::uint32_t level, std::span<std::uint8_t> buffer, std::uint32_t& needed,
                      std::uint32_t& returned) override;
    bool EnumPorts(std::uint32_t level, std::span<std::uint8_t> buffer, std::uint32_t& needed,
                   std::uint32_t& returned) override;
    std::optional<std::string> GetDefaultPrinter() override;
};

}  // namespace platform::win32
