#include "platform/linux/areas/sysfs_ports.h"

#include <algorithm>
#include <map>
#include <optional>

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

constexpr std::string_view kTtyClass = "/sys/class/tty";
constexpr std::string_view kUsbDevices = "/sys/bus/usb/devices";
constexpr std::string_view kPpdevClass = "/sys/class/ppdev";
constexpr std::string_view kPrinterClass = "/sys/class/printer";
constexpr std::string_view kSerialPort = "Serial port";
constexpr std::string_view kParallelPort = "Parallel port";
constexpr std::string_view kUnknownUartType = "0";  // PORT_UNKNOWN: a slot without a UART
constexpr std::string_view kTtyDrivers = "/proc/tty/drivers";
// Newer kernels put a serial-core "port" device between the tty and the UART's
// own device; its driver says nothing, so the tty driver names the port then.
constexpr std::string_view kSerialCorePortDriver = "port";

// The tty families that are real hardware, in the order they are listed.
enum class TtyKind { Uart, UsbSerial, UsbModem, ArmUart };
struct TtyFamily {
    std::string_view prefix;
    TtyKind kind;
};
constexpr TtyFamily kTtyFamilies[] = {
    {"ttyS", TtyKind::Uart}, {"ttyUSB", TtyKind::UsbSerial}, {"ttyACM", TtyKind::UsbModem}, {"ttyAMA", TtyKind::ArmUart}};

struct NumberedName {
    std::size_t family;
    std::uint64_t number;
    std::string name;
};

// "ttyUSB3" gives its family and 3; names of other families, or with
// anything but digits after the prefix ("ttySAC0"), give nothing.
std::optional<NumberedName> TtyName(const std::string& name) {
    for (std::size_t i = 0; i < std::size(kTtyFamilies); ++i) {
        const std::string_view prefix = kTtyFamilies[i].prefix;
        if (!StartsWith(name, prefix) || name.size() == prefix.size()) continue;
        if (const auto number = ParseDecimal(std::string_view(name).substr(prefix.size())))
            return NumberedName{i, *number, name};
    }
    return std::nullopt;
}

std::optional<std::uint64_t> NumberAfter(const std::string& name, std::string_view prefix) {
    if (!StartsWith(name, prefix) || name.size() == prefix.size()) return std::nullopt;
    return ParseDecimal(std::string_view(name).substr(prefix.size()));
}

std::string Attribute(const RootFs& fs, const std::string& path) {
    const auto content = fs.ReadFile(path);
    return content ? AttributeValue(*content).value_or("") : std::string();
}

// The tty driver whose device nodes start with `nodePrefix` ("/dev/ttyS"),
// from the lines "serial  /dev/ttyS  4 64-111 serial" of /proc/tty/drivers.
std::string TtyDriver(const RootFs& fs, std::string_view nodePrefix) {
    const auto drivers = fs.ReadFile(kTtyDrivers);
    if (!drivers) return {};
    for (std::string_view line : SplitLines(*drivers)) {
        const auto fields = SplitBlanks(line);
        if (fields.size() >= 2 && fields[1] == nodePrefix) return std::string(fields[0]);
    }
    return {};
}

std::string DriverOf(const RootFs& fs, const std::string& classEntry, std::string_view familyPrefix) {
    const auto uevent = fs.ReadFile(classEntry + "/device/uevent");
    std::string driver = uevent ? UeventValue(*uevent, "DRIVER") : std::string();
    if (driver.empty() || driver == kSerialCorePortDriver) driver = TtyDriver(fs, "/dev/" + std::string(familyPrefix));
    return driver;
}

// USB serial ports are children of their USB interface ("1-2:1.0/ttyUSB0",
// "1-2:1.0/tty/ttyACM0"); the interface's device ("1-2") has the product
// name. Found by walking down from /sys/bus/usb/devices, because a captured
// tree holds resolved directories in which ".." does not lead to a parent.
std::map<std::string, std::string, std::less<>> UsbProductsByPort(const RootFs& fs) {
    std::map<std::string, std::string, std::less<>> products;
    const auto entries = fs.ListDirectory(kUsbDevices);
    if (!entries) return products;
    for (const auto& entry : *entries) {
        const std::size_t colon = entry.name.find(':');
        if (colon == std::string::npos || !entry.isDirectory) continue;
        const std::string interfaceDir = std::string(kUsbDevices) + "/" + entry.name;
        std::vector<std::string> ports;
        if (const auto children = fs.ListDirectory(interfaceDir)) {
            for (const auto& child : *children) {
                if (StartsWith(child.name, "ttyUSB")) ports.push_back(child.name);
                if (child.name != "tty" || !child.isDirectory) continue;
                if (const auto ttys = fs.ListDirectory(interfaceDir + "/tty"))
                    for (const auto& tty : *ttys) ports.push_back(tty.name);
            }
        }
        if (ports.empty()) continue;
        const std::string product = Attribute(fs, std::string(kUsbDevices) + "/" + entry.name.substr(0, colon) + "/product");
        for (const auto& port : ports) products.emplace(port, product);
    }
    return products;
}

bool IsRealUart(const RootFs& fs, const std::string& classEntry) {
    const auto type = fs.ReadFile(classEntry + "/type");
    if (!type) return false;
    const auto value = AttributeValue(*type);
    return value && !value->empty() && *value != kUnknownUartType;
}

void AddSerialPorts(const RootFs& fs, std::vector<PortFacts>& ports) {
    const auto entries = fs.ListDirectory(kTtyClass);
    if (!entries) return;
    std::vector<NumberedName> names;
    for (const auto& entry : *entries)
        if (auto name = TtyName(entry.name)) names.push_back(std::move(*name));
    std::sort(names.begin(), names.end(), [](const NumberedName& a, const NumberedName& b) {
        return a.family != b.family ? a.family < b.family : a.number < b.number;
    });
    std::optional<std::map<std::string, std::string, std::less<>>> usbProducts;
    for (const auto& name : names) {
        const std::string entry = std::string(kTtyClass) + "/" + name.name;
        const TtyKind kind = kTtyFamilies[name.family].kind;
        if (kind == TtyKind::Uart && !IsRealUart(fs, entry)) continue;
        PortFacts port{"/dev/" + name.name, DriverOf(fs, entry, kTtyFamilies[name.family].prefix),
                       std::string(kSerialPort)};
        if (kind == TtyKind::UsbSerial || kind == TtyKind::UsbModem) {
            if (!usbProducts) usbProducts = UsbProductsByPort(fs);
            const auto found = usbProducts->find(name.name);
            if (found != usbProducts->end() && !found->second.empty()) port.description = found->second;
        }
        ports.push_back(std::move(port));
    }
}

// Parallel ports of one class directory, by number; the class driver
// ("ppdev", "lp") is the driver of the device node.
bool AddParallelPorts(const RootFs& fs, std::string_view classDir, std::string_view prefix, std::string_view driver,
                      std::vector<PortFacts>& ports) {
    const auto entries = fs.ListDirectory(classDir);
    if (!entries) return false;
    std::vector<std::pair<std::uint64_t, std::string>> names;
    for (const auto& entry : *entries)
        if (const auto number = NumberAfter(entry.name, prefix)) names.emplace_back(*number, entry.name);
    std::sort(names.begin(), names.end());
    for (const auto& [number, name] : names)
        ports.push_back(PortFacts{"/dev/" + name, std::string(driver), std::string(kParallelPort)});
    return !names.empty();
}

}  // namespace

std::string UeventValue(std::string_view uevent, std::string_view key) {
    for (std::string_view line : SplitLines(uevent)) {
        line = Trim(line);
        if (line.size() > key.size() && StartsWith(line, key) && line[key.size()] == '=')
            return std::string(line.substr(key.size() + 1));
    }
    return {};
}

std::vector<PortFacts> ReadPorts(const RootFs& fs) {
    std::vector<PortFacts> ports;
    AddSerialPorts(fs, ports);
    if (!AddParallelPorts(fs, kPpdevClass, "parport", "ppdev", ports))
        AddParallelPorts(fs, kPrinterClass, "lp", "lp", ports);
    return ports;
}

}  // namespace platform::linux_backend
