#pragma once
// The recording decorators of the device areas: each forwards every request
// to the machine it records and keeps what was answered in the record, under
// the keys the machine file reads it from.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/display_services.h"
#include "platform/drive_services.h"
#include "platform/multimedia_services.h"
#include "platform/network_services.h"
#include "platform/recording/machine_record.h"
#include "platform/spooler_services.h"
#include "platform/usb_services.h"

namespace platform::recording {

class RecordingDisplay final : public DisplayServices {
public:
    RecordingDisplay(DisplayServices& real, MachineRecord& record) : real_(real), record_(record) {}
    bool EnumDisplayDevices(std::optional<std::string_view> device, std::uint32_t index,
                            std::span<std::uint8_t> record) override;
    bool EnumDisplaySettings(std::optional<std::string_view> device, std::uint32_t mode,
                             std::span<std::uint8_t> record) override;
    display::DeviceContext GetDC() override { return real_.GetDC(); }
    int GetDeviceCaps(display::DeviceContext dc, int index) override;
    void ReleaseDC(display::DeviceContext dc) override { real_.ReleaseDC(dc); }

private:
    DisplayServices& real_;
    MachineRecord& record_;
};

// The registry keys and the network cards' NDIS replies.
class RecordingNetwork final : public NetworkServices {
public:
    RecordingNetwork(NetworkServices& real, MachineRecord& record) : real_(real), record_(record) {}
    std::optional<registry::Key> RegOpenKeyEx(registry::Key root, std::string_view subkey) override;
    std::optional<std::string> RegEnumKeyEx(registry::Key key, std::uint32_t index) override;
    std::optional<RegistryValueInfo> RegQueryValueEx(registry::Key key, std::string_view valueName,
                                                     std::span<std::uint8_t> data = {}) override;
    void RegCloseKey(registry::Key key) override;
    ndis::Handle CreateFile(std::string_view path) override;
    std::optional<std::uint32_t> DeviceIoControl(ndis::Handle handle, std::uint32_t code,
                                                 std::span<const std::uint8_t> in,
                                                 std::span<std::uint8_t> out) override;
    void CloseHandle(ndis::Handle handle) override;

private:
    FileJson& Key(const std::string& path);

    NetworkServices& real_;
    MachineRecord& record_;
    std::map<registry::Key, std::string> keys_;
    std::map<ndis::Handle, std::string> cards_;
};

class RecordingMultimedia final : public MultimediaServices {
public:
    RecordingMultimedia(MultimediaServices& real, MachineRecord& record) : real_(real), record_(record) {}
    std::uint32_t waveInGetNumDevs() override;
    std::uint32_t waveInGetDevCaps(std::uint32_t device, std::span<std::uint8_t> caps) override;
    std::uint32_t waveOutGetNumDevs() override;
    std::uint32_t waveOutGetDevCaps(std::uint32_t device, std::span<std::uint8_t> caps) override;
    std::uint32_t joyGetNumDevs() override;
    std::uint32_t joyGetDevCaps(std::uint32_t joystick, std::span<std::uint8_t> caps) override;
    std::uint32_t joyGetPosEx(std::uint32_t joystick, std::span<std::uint8_t> info) override;

    // The device lists in order, once every request is made.
    void Finish();

private:
    std::uint32_t WaveCaps(const char* list, std::uint32_t device, std::span<const std::uint8_t> caps,
                           std::uint32_t result);

    MultimediaServices& real_;
    MachineRecord& record_;
    std::map<std::string, std::map<std::uint32_t, FileJson>> wave_;  // "inputs", "outputs" by device
    std::map<std::uint32_t, FileJson> joysticks_;
};

class RecordingSpooler final : public SpoolerServices {
public:
    RecordingSpooler(SpoolerServices& real, MachineRecord& record) : real_(real), record_(record) {}
    bool EnumPrinters(std::uint32_t flags, std::uint32_t level, std::span<std::uint8_t> buffer, std::uint32_t& needed,
                      std::uint32_t& returned) override;
    bool EnumPorts(std::uint32_t level, std::span<std::uint8_t> buffer, std::uint32_t& needed,
                   std::uint32_t& returned) override;
    std::optional<std::string> GetDefaultPrinter() override;

private:
    FileJson PointerText(std::span<const std::uint8_t> buffer, std::size_t field) const;

    SpoolerServices& real_;
    MachineRecord& record_;
};

class RecordingUsb final : public UsbServices {
public:
    RecordingUsb(UsbServices& real, MachineRecord& record) : real_(real), record_(record) {}
    usb::DeviceList SetupDiGetClassDevs(std::string_view interfaceClass, std::uint32_t flags) override;
    std::optional<usb::DeviceInstance> SetupDiEnumDeviceInfo(usb::DeviceList list, std::uint32_t index) override;
    std::optional<std::string> SetupDiGetDeviceRegistryProperty(usb::DeviceList list, usb::DeviceInstance device,
                                                                std::uint32_t property) override;
    void SetupDiDestroyDeviceInfoList(usb::DeviceList list) override { real_.SetupDiDestroyDeviceInfoList(list); }
    std::optional<usb::DeviceInstance> CM_Get_Parent(usb::DeviceInstance device) override;
    std::optional<std::string> CM_Get_Device_ID(usb::DeviceInstance device) override;
    usb::Handle CreateFile(std::string_view path) override;
    std::optional<std::uint32_t> DeviceIoControl(usb::Handle hub, std::uint32_t code,
                                                 std::span<std::uint8_t> record) override;
    void CloseHandle(usb::Handle hub) override;

    // The device list in enumeration order, each device on its hub's port.
    void Finish();

private:
    struct Device {
        std::optional<std::string> id, parentId, description, driver;
        std::optional<usb::DeviceInstance> parent;
        FileJson fields = FileJson::object();  // what its hub answered about it
    };
    struct Port {
        std::string hubId;
        std::uint32_t port = 0;
        std::optional<std::wstring> driverKey;
        std::optional<std::uint32_t> actualLength;
        FileJson fields = FileJson::object();
    };
    Device& Instance(usb::DeviceInstance instance) { return devices_[instance]; }
    void PortRequest(const std::string& hubId, std::uint32_t code, std::span<const std::uint8_t> record,
                     std::uint32_t returned);

    UsbServices& real_;
    MachineRecord& record_;
    bool listed_ = false, listFailed_ = false;
    std::vector<usb::DeviceInstance> order_;
    std::map<usb::DeviceInstance, Device> devices_;
    std::map<usb::Handle, std::string> hubs_;       // open hubs by the ID their path names
    std::map<std::string, std::uint32_t> hubPorts_;  // by hub ID
    std::map<std::pair<std::string, std::uint32_t>, Port> ports_;
};

class RecordingDrives final : public DriveServices {
public:
    RecordingDrives(DriveServices& real, MachineRecord& record) : real_(real), record_(record) {}
    DeviceHandle CreateFileA(std::string_view fileName, std::uint32_t desiredAccess, std::uint32_t shareMode,
                             std::uint32_t creationDisposition, std::uint32_t flagsAndAttributes) override;
    bool DeviceIoControl(DeviceHandle device, std::uint32_t ioControlCode, std::span<const std::uint8_t> in,
                         std::span<std::uint8_t> out, std::uint32_t& bytesReturned) override;
    bool DeviceIoControl(DeviceHandle device, std::uint32_t ioControlCode, ScsiPassThroughDirect& request) override;
    bool CloseHandle(DeviceHandle handle) override;
    std::string GetLogicalDriveStringsA() override;
    std::uint32_t GetDriveTypeA(std::string_view root) override;
    std::optional<VolumeInformation> GetVolumeInformationA(std::string_view root) override;
    std::optional<DiskFreeSpace> GetDiskFreeSpaceA(std::string_view root) override;
    std::optional<DiskFreeSpaceEx> GetDiskFreeSpaceExA(std::string_view root) override;
    DeviceHandle LoadLibraryA(std::string_view file) override;
    bool GetProcAddress(DeviceHandle module, std::string_view routine) override;
    std::string GetModuleFileNameA(DeviceHandle module) override;
    bool FreeLibrary(DeviceHandle module) override { return real_.FreeLibrary(module); }
    DeviceHandle CreateEventA() override { return real_.CreateEventA(); }
    std::uint32_t WaitForSingleObject(DeviceHandle event, std::uint32_t milliseconds) override;
    std::uint32_t GetASPI32SupportInfo() override;
    std::uint32_t SendASPI32Command(SrbHaInquiry& srb) override;
    std::uint32_t SendASPI32Command(SrbGetDevType& srb) override;
    std::uint32_t SendASPI32Command(SrbExecScsiCmd& srb) override;

    // The logical drives in their order and the ASPI devices on their drives.
    void Finish();

private:
    struct Opened {
        std::optional<int> disk;
        std::string drive;  // the drive name after \\.\ otherwise
    };
    FileJson& Disk(int number);
    FileJson& Optical(const std::string& name);
    FileJson& Logical(std::string_view root);
    void DiskReply(int disk, std::uint32_t code, std::span<const std::uint8_t> in, std::span<const std::uint8_t> out,
                   bool ok);
    void DriveReply(const std::string& drive, std::uint32_t code, std::span<const std::uint8_t> in,
                    std::span<const std::uint8_t> out, bool ok);
    void AspiCommand(const SrbExecScsiCmd& srb, const char* completion);

    DriveServices& real_;
    MachineRecord& record_;
    std::map<DeviceHandle, Opened> opened_;
    std::vector<std::string> roots_;
    std::map<std::string, FileJson> logical_;  // by DriveName
    std::map<std::string, FileJson> optical_;
    std::map<std::pair<int, int>, std::uint8_t> aspiDevices_;  // (adapter, target): device type
    std::map<std::pair<int, int>, FileJson> aspiCommands_;     // (adapter, target): commands
    std::map<DeviceHandle, SrbExecScsiCmd*> pending_;           // by event
    // Opens by drive name, to tell a standard user's refusals from drives that do not open.
    bool accessGranted_ = false;
    std::set<std::string> openedWithoutAccess_, refusedWithAccess_, refusedWithoutAccess_;
};

}  // namespace platform::recording
