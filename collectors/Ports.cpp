#include "collectors/Ports.h"

#include <memory>

#include "collectors/SpoolerAnswer.h"
#include "platform/spooler_services.h"

namespace collectors {

Ports::Ports(platform::Machine& machine) {
    using platform::PortInfo2Layout;
    auto& spooler = machine.Spooler();
    const SpoolerAnswer answer = SpoolerAnswer::Ask(
        [&](std::span<std::uint8_t> buffer, std::uint32_t& needed, std::uint32_t& returned) {
            return spooler.EnumPorts(platform::kSpoolerLevel2, buffer, needed, returned);
        },
        PortInfo2Layout::kSize);
    const base::CodePage page = machine.TextCodePage();
    for (std::size_t i = 0; i < answer.RecordCount(); ++i) {
        auto item = std::make_unique<PortItem>();
        item->description_ = answer.Text(i, PortInfo2Layout::kDescription, page);
        item->monitor_ = answer.Text(i, PortInfo2Layout::kMonitorName, page);
        item->name_ = answer.Text(i, PortInfo2Layout::kPortName, page);
        Add(std::move(item));
    }
    CountPastLimit(answer.RecordsFound() - answer.RecordCount());
}

}  // namespace collectors
