// The spooler's printers and ports read back out of its packed level-2
// answers, and the default printer.
#include "base/bytes.h"
#include "platform/recording/recording_areas.h"

namespace platform::recording {

namespace {

// "\\server\queue": how Windows names a printer connection.
bool ServerQueueName(const FileJson& name) {
    if (!name.is_string()) return false;
    const std::string text = name.get<std::string>();
    const std::size_t slash = text.size() >= 5 && text.starts_with("\\\\") ? text.find('\\', 2) : std::string::npos;
    return slash != std::string::npos && slash > 2 && slash + 1 < text.size();
}

// The size query (an empty buffer) decides on its own when it fails without
// a size (no spooler) or succeeds (nothing to list); otherwise the records
// come with the second request.
bool SizeQueryDecides(FileJson& section, const char* list, const char* sizeKey, bool ok, std::uint32_t needed) {
    if (ok) {
        section[list] = FileJson::array();
        section[sizeKey] = true;
        return true;
    }
    if (needed == 0) {
        section[list] = nullptr;
        return true;
    }
    return false;
}

}  // namespace

FileJson RecordingSpooler::PointerText(std::span<const std::uint8_t> buffer, std::size_t field) const {
    const std::uint32_t offset = base::ReadLe32(buffer, field).value_or(0);
    if (offset == 0 || offset >= buffer.size()) return nullptr;
    return record_.Text(ZeroEnded(buffer, offset));
}

bool RecordingSpooler::EnumPrinters(std::uint32_t flags, std::uint32_t level, std::span<std::uint8_t> buffer,
                                    std::uint32_t& needed, std::uint32_t& returned) {
    const bool ok = real_.EnumPrinters(flags, level, buffer, needed, returned);
    FileJson& spooler = record_.file["spooler"];
    if (buffer.empty()) {
        SizeQueryDecides(spooler, "printers", "printers_size_query_succeeds", ok, needed);
        return ok;
    }
    if (!ok) return ok;
    using L = PrinterInfo2Layout;
    FileJson printers = FileJson::array();
    for (std::uint32_t i = 0; i < returned && (i + 1) * L::kSize <= buffer.size(); ++i) {
        const std::size_t at = i * L::kSize;
        printers.push_back({{"server", PointerText(buffer, at + L::kServerName)},
                            {"name", PointerText(buffer, at + L::kPrinterName)},
                            {"share", PointerText(buffer, at + L::kShareName)},
                            {"port", PointerText(buffer, at + L::kPortName)},
                            {"driver", PointerText(buffer, at + L::kDriverName)},
                            {"comment", PointerText(buffer, at + L::kComment)},
                            {"location", PointerText(buffer, at + L::kLocation)}});
    }
    // The connections come after the local printers: the last ones named
    // \\server\queue when the request asked for connections.
    if (flags & kPrinterEnumConnections)
        for (auto p = printers.rbegin(); p != printers.rend() && ServerQueueName((*p)["name"]); ++p)
            (*p)["connection"] = true;
    spooler["printers"] = printers;
    return ok;
}

bool RecordingSpooler::EnumPorts(std::uint32_t level, std::span<std::uint8_t> buffer, std::uint32_t& needed,
                                 std::uint32_t& returned) {
    const bool ok = real_.EnumPorts(level, buffer, needed, returned);
    FileJson& spooler = record_.file["spooler"];
    if (buffer.empty()) {
        SizeQueryDecides(spooler, "ports", "ports_size_query_succeeds", ok, needed);
        return ok;
    }
    if (!ok) return ok;
    using L = PortInfo2Layout;
    FileJson ports = FileJson::array();
    for (std::uint32_t i = 0; i < returned && (i + 1) * L::kSize <= buffer.size(); ++i) {
        const std::size_t at = i * L::kSize;
        ports.push_back({{"name", PointerText(buffer, at + L::kPortName)},
                         {"monitor", PointerText(buffer, at + L::kMonitorName)},
                         {"description", PointerText(buffer, at + L::kDescription)},
                         {"type", base::ReadLe32(buffer, at + L::kPortType).value_or(0)}});
    }
    spooler["ports"] = ports;
    return ok;
}

std::optional<std::string> RecordingSpooler::GetDefaultPrinter() {
    auto name = real_.GetDefaultPrinter();
    record_.file["spooler"]["default_printer"] = name ? FileJson(record_.Text(*name)) : FileJson(nullptr);
    return name;
}

}  // namespace platform::recording
