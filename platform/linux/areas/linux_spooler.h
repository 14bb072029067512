#pragma once
// The print spooler of a Linux machine: the printers are the print server's
// destinations (CUPS, through libcups; on a captured tree the recorded reply
// "cups"/"destinations"), the ports are the machine's serial and parallel
// ports from sysfs. Both answers are built once, in the spooler's buffer
// layout, so the size query and the request that follows it agree.

#include <optional>
#include <string>

#include "platform/linux/areas/linux_context.h"
#include "platform/spooler_records.h"
#include "platform/spooler_services.h"

namespace platform::linux_backend {

class LinuxSpooler final : public SpoolerServices {
public:
    static constexpr std::string_view kChannel = "cups";
    static constexpr std::string_view kDestinations = "destinations";

    explicit LinuxSpooler(LinuxContext& context) : context_(context) {}

    bool EnumPrinters(std::uint32_t flags, std::uint32_t level, std::span<std::uint8_t> buffer,
                      std::uint32_t& needed, std::uint32_t& returned) override;
    bool EnumPorts(std::uint32_t level, std::span<std::uint8_t> buffer, std::uint32_t& needed,
                   std::uint32_t& returned) override;
    std::optional<std::string> GetDefaultPrinter() override;

private:
    struct Answer {
        SpoolerBuffer packed;
        std::uint32_t count = 0;
    };
    struct PrinterAnswer {
        Answer answer;
        std::optional<std::string> defaultPrinter;
    };

    // Nothing when no print server answered.
    const std::optional<PrinterAnswer>& Printers();
    const Answer& Ports();

    LinuxContext& context_;
    bool printersAsked_ = false;
    std::optional<PrinterAnswer> printers_;
    std::optional<Answer> ports_;
};

}  // namespace platform::linux_backend
