// EnumPrintersA and EnumPortsA at level 2, and the default printer. The
// system's records hold pointers of the process's width; the machine
// interface's buffer holds the same texts, byte for byte, at offsets
// (spooler_records.h), so the answer is read once and packed again.

#include "platform/win32/windows_spooler.h"

#include <vector>

#include "platform/win32/win32_api.h"

namespace platform::win32 {

namespace {

std::optional<std::string> Text(const char* text) {
    if (!text) return std::nullopt;
    return std::string(text);
}

// The two-call protocol: ask for the size, then for the records; again if
// the answer grew in between.
template <typename Enumerate>
std::optional<std::vector<BYTE>> AskSpooler(Enumerate enumerate, DWORD& count) {
    DWORD needed = 0;
    count = 0;
    if (enumerate(nullptr, 0, &needed, &count)) return std::vector<BYTE>{};
    for (int attempt = 0; attempt < 3 && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
        std::vector<BYTE> buffer(needed);
        if (enumerate(buffer.data(), needed, &needed, &count)) return buffer;
    }
    return std::nullopt;
}

}  // namespace

bool WindowsSpooler::EnumPrinters(std::uint32_t flags, std::uint32_t level, std::span<std::uint8_t> buffer,
                                  std::uint32_t& needed, std::uint32_t& returned) {
    needed = returned = 0;
    if (level != kSpoolerLevel2) return false;
    DWORD count = 0;
    const auto answer = AskSpooler(
        [&](BYTE* out, DWORD size, DWORD* need, DWORD* got) {
            return ::EnumPrintersA(flags, nullptr, 2, out, size, need, got) != FALSE;
        },
        count);
    if (!answer) return false;
    std::vector<PrinterInfo2> printers;
    const auto* records = reinterpret_cast<const PRINTER_INFO_2A*>(answer->data());
    for (DWORD i = 0; i < count; ++i) {
        const PRINTER_INFO_2A& r = records[i];
        printers.push_back({Text(r.pServerName), Text(r.pPrinterName), Text(r.pShareName), Text(r.pPortName),
                            Text(r.pDriverName), Text(r.pComment), Text(r.pLocation)});
    }
    return AnswerSpoolerRequest(PackPrinterInfo2(printers), static_cast<std::uint32_t>(printers.size()), buffer,
                                needed, returned);
}

bool WindowsSpooler::EnumPorts(std::uint32_t level, std::span<std::uint8_t> buffer, std::uint32_t& needed,
                               std::uint32_t& returned) {
    needed = returned = 0;
    if (level != kSpoolerLevel2) return false;
    DWORD count = 0;
    const auto answer = AskSpooler(
        [&](BYTE* out, DWORD size, DWORD* need, DWORD* got) {
            return ::EnumPortsA(nullptr, 2, out, size, need, got) != FALSE;
        },
        count);
    if (!answer) return false;
    std::vector<PortInfo2> ports;
    const auto* records = reinterpret_cast<const PORT_INFO_2A*>(answer->data());
    for (DWORD i = 0; i < count; ++i) {
        const PORT_INFO_2A& r = records[i];
        ports.push_back({Text(r.pPortName), Text(r.pMonitorName), Text(r.pDescription), r.fPortType});
    }
    return AnswerSpoolerRequest(PackPortInfo2(ports), static_cast<std::uint32_t>(ports.size()), buffer, needed,
                                returned);
}

std::optional<std::string> WindowsSpooler::GetDefaultPrinter() {
    DWORD size = 0;
    if (::GetDefaultPrinterA(nullptr, &size) || ::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0)
        return std::nullopt;
    std::vector<char> name(size);
    if (!::GetDefaultPrinterA(name.data(), &size)) return std::nullopt;
    return std::string(name.data());
}

}  // namespace platform::win32
