#include "app/pages/PageRows.h"

#include <stdexcept>

namespace app {

namespace {

using C = RowColumn;

constexpr PageRow kProcessorRows[] = {
    {"LabelProcessorName", "Name:", 1},
    {"LabelProcessorType", "Type:", 2},
    {"LabelProcessorManufacturerid", "Manufacturer ID:", 3},
    {"LabelProcessorProcessors", "Processors:", 4},
    {"LabelProcessorSpeed", "Speed:", 5},
    {"LabelProcessorSerialnumber", "Serial Number:", 6},
    {"LabelProcessorFamilyid", "Family ID:", 7},
    {"LabelProcessorModelid", "Model ID:", 8},
    {"LabelProcessorSteppingid", "Stepping ID:", 9},
    {"LabelProcessorBrandid", "Brand ID:", 10},
    {"LabelProcessorTypeid", "Type ID:", 11},
};

constexpr PageRow kMemoryRows[] = {
    {"LabelMemoryusageTotalphysical", "Total Physical:", 1},
    {"LabelMemoryusageAvailablephysical", "Available Physical:", 2},
    {"LabelMemoryusageTotalvirtual", "Total Virtual:", 3},
    {"LabelMemoryusageAvailablevirtual", "Available Virtual:", 4},
    {"LabelMemoryusageLoad", "Load:", 5},
};

constexpr PageRow kDisplayRows[] = {
    {"LabelDisplayName", "Name:", 1},
    {"LabelDisplayMonitor", "Monitor:", 2},
    {"LabelIndex(2)", "Index:", 3, C::kFull, true},
    {"LabelDisplayResolution", "Resolution:", 4},
    {"LabelDisplayColors", "Colors:", 5},
    {"LabelDisplayRefreshfrequency", "Refresh Frequency:", 6},
    {"LabelDisplaySelected", "Selected:", 7},
};

constexpr PageRow kNetworkRows[] = {
    {"LabelIndex(3)", "Index:", 1, C::kFull, true},
    {"LabelNetworkName", "Name:", 2},
    {"LabelNetworkVersion", "Version:", 3},
    {"LabelNetworkMACaddress", "MAC Address:", 4},
};

constexpr PageRow kSoundRows[] = {
    {"LabelIndex(4)", "Index:", 1, C::kFull, true},
    {"LabelSoundName", "Name:", 2},
    {"LabelSoundVersion", "Version:", 3},
    {"LabelSoundType", "Type:", 4},
};

constexpr PageRow kKeyboardRows[] = {
    {"LabelKeyboardType", "Type:", 1},
    {"LabelKeyboardLayoutid", "Layout ID:", 2},
    {"LabelKeyboardFunctionkeys", "Function Keys:", 3},
    {"LabelKeyboardRepeatdelay", "Repeat Delay:", 4},
    {"LabelKeyboardRepeatspeed", "Repeat Speed:", 5},
    {"LabelKeyboardCapslock", "Caps Lock:", 6},
    {"LabelKeyboardNumlock", "Num Lock:", 7},
    {"LabelKeyboardScrolllock", "Scroll Lock:", 8},
};

constexpr PageRow kMouseRows[] = {
    {"LabelMouseButtons", "Buttons:", 1},
    {"LabelMouseButtonconfiguration", "Button Configuration:", 2},
    {"LabelMouseDoubleclickspeed", "Double-click Speed:", 3},
    {"LabelMouseWheel", "Wheel:", 4},
};

constexpr PageRow kPrinterRows[] = {
    {"LabelIndex(7)", "Index:", 1, C::kFull, true},
    {"LabelPrintersName", "Name:", 2},
    {"LabelPrintersPort", "Port:", 3},
    {"LabelPrintersSelected", "Selected:", 4},
};

constexpr PageRow kJoystickRows[] = {
    {"LabelIndex(8)", "Index:", 1, C::kFull, true},
    {"LabelJoysticksName", "Name:", 2},
    {"LabelJoysticksAxes", "Axes:", 3},
    {"LabelJoysticksButtons", "Buttons:", 4},
};

constexpr PageRow kHardDriveRows[] = {
    {"LabelIndex(9)", "Index:", 1, C::kFull, true},
    {"LabelHarddrivesName", "Name:", 2},
    {"LabelHarddrivesRevision", "Revision:", 3},
    {"LabelHarddrivesSerialnumber", "Serial Number:", 4},
    {"LabelHarddrivesController", "Controller:", 5},
    {"LabelHarddrivesCapacity", "Capacity:", 6},
    {"LabelHarddrivesBytespersector", "Bytes/Sector:", 7},
    {"LabelHarddrivesHeads", "Heads:", 8},
    {"LabelHarddrivesCylinders", "Cylinders:", 9},
    {"LabelHarddrivesTracks", "Tracks:", 10},
    {"LabelHarddrivesSectors", "Sectors:", 11},
};

constexpr PageRow kOpticalDriveRows[] = {
    {"LabelIndex(10)", "Index:", 1, C::kFull, true},
    {"LabelOpticaldrivesName", "Name:", 2},
    {"LabelOpticaldrivesRevision", "Revision:", 3},
    {"LabelOpticaldrivesManufacturer", "Manufacturer:", 4},
    {"LabelOpticaldrivesReadspeed", "Read Speed:", 5},
    {"LabelOpticaldrivesWritespeed", "Write Speed:", 6},
};

constexpr PageRow kLogicalDriveRows[] = {
    {"LabelIndex(11)", "Index:", 1, C::kFull, true},
    {"LabelLogicaldrivesLetter", "Letter:", 2},
    {"LabelLogicaldrivesType", "Type:", 3},
    {"LabelLogicaldrivesFilesystem", "File System:", 4},
    {"LabelLogicaldrivesName", "Name:", 5},
    {"LabelLogicaldrivesSerialnumber", "Serial Number:", 6},
    {"LabelLogicaldrivesCapacity", "Capacity:", 7},
    {"LabelLogicaldrivesFreespace", "Free Space:", 8},
};

constexpr PageRow kPortRows[] = {
    {"LabelIndex(12)", "Index:", 1, C::kFull, true},
    {"LabelPortsName", "Name:", 2},
    {"LabelPortsDescription", "Description:", 3},
    {"LabelPortsMonitor", "Monitor:", 4},
};

constexpr PageRow kUsbRows[] = {
    {"LabelIndex(13)", "Index:", 1, C::kFull, true},
    {"LabelUSBdevicesName", "Name:", 2},
    {"LabelUSBdevicesManufacturer", "Manufacturer:", 3},
    {"LabelUSBdevicesSerialnumber", "Serial Number:", 4},
    {"LabelUSBdevicesDescription", "Description:", 5},
    {"LabelUSBdevicesVendorid", "Vendor ID:", 6},
    {"LabelUSBdevicesProductid", "Product ID:", 7},
    {"LabelUSBdevicesPower", "Power:", 8},
    {"LabelUSBdevicesClass", "Class:", 9, C::kLeft},
    {"LabelUSBdevicesSubclass", "Subclass:", 9, C::kRight},
    {"LabelUSBdevicesPacketsize", "Packet Size:", 10, C::kLeft},
    {"LabelUSBdevicesProtocol", "Protocol:", 10, C::kRight},
    {"LabelUSBdevicesRevision", "Revision:", 11, C::kLeft},
    {"LabelUSBdevicesVersion", "Version:", 11, C::kRight},
};

constexpr PageRow kBatteryRows[] = {
    {"LabelBatteryPowerstatus", "Power Status:", 1},
    {"LabelBatteryChargestatus", "Charge Status:", 2},
    {"LabelBatteryLifepercent", "Life Percent:", 3},
    {"LabelBatteryLifetime", "Life Time:", 4},
};

const std::array<CategoryPage, kCategoryCount> kPages = {{
    {"Processor", 4425, false, kProcessorRows},
    {"Memory Usage", 2265, false, kMemoryRows},
    {"Display", 2985, true, kDisplayRows},
    {"Network", 1905, true, kNetworkRows},
    {"Sound", 1905, true, kSoundRows},
    {"Keyboard", 3345, false, kKeyboardRows},
    {"Mouse", 1905, false, kMouseRows},
    {"Printers", 1905, true, kPrinterRows},
    {"Joysticks", 1905, true, kJoystickRows},
    {"Hard Drives", 4425, true, kHardDriveRows},
    {"Optical Drives", 2625, true, kOpticalDriveRows},
    {"Logical Drives", 3345, true, kLogicalDriveRows},
    {"Ports", 1905, true, kPortRows},
    {"USB Devices", 4410, true, kUsbRows},
    {"Battery", 1905, false, kBatteryRows},
}};

}  // namespace

const CategoryPage& Page(int category) { return kPages.at(static_cast<std::size_t>(category)); }

void NoSuchLabel(std::string_view name) { throw std::out_of_range("no label " + std::string(name)); }

std::string IndexLabelName(int category) { return "LabelIndex(" + std::to_string(category) + ")"; }

std::string ValueLabelName(const char* captionLabel) { return std::string(captionLabel) + "value"; }

}  // namespace app
