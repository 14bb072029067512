// SetupDiGetClassDevsA and its siblings, CM_Get_Parent, CM_Get_Device_IDA,
// CreateFileA on a hub's interface path and the hub requests with a bounded
// wait. Records pass through as the hub fills them.

#include "platform/win32/windows_usb.h"

#include <cstdio>
#include <string>

#include "platform/win32/device_request.h"
#include "platform/win32/win32_api.h"

namespace platform::win32 {

namespace {

HDEVINFO AsList(usb::DeviceList list) { return reinterpret_cast<HDEVINFO>(list); }
HANDLE AsHandle(usb::Handle hub) { return reinterpret_cast<HANDLE>(hub); }

// "{A5DCBF10-6530-11D2-901F-00C04FB951ED}" as a GUID; nothing when malformed.
std::optional<GUID> ParseGuid(std::string_view text) {
    if (text.size() != 38) return std::nullopt;
    const std::string braced(text);
    unsigned long data1 = 0;
    unsigned int data2 = 0, data3 = 0, bytes[8] = {};
    char end = 0;
    if (std::sscanf(braced.c_str(), "{%8lx-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x%c", &data1, &data2, &data3, &bytes[0],
                    &bytes[1], &bytes[2], &bytes[3], &bytes[4], &bytes[5], &bytes[6], &bytes[7], &end) != 12 ||
        end != '}')
        return std::nullopt;
    GUID guid{};
    guid.Data1 = data1;
    guid.Data2 = static_cast<unsigned short>(data2);
    guid.Data3 = static_cast<unsigned short>(data3);
    for (int i = 0; i < 8; ++i) guid.Data4[i] = static_cast<unsigned char>(bytes[i]);
    return guid;
}

// The member of `list` whose instance is `device`.
std::optional<SP_DEVINFO_DATA> Member(HDEVINFO list, DEVINST device) {
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof data;
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(list, index, &data); ++index)
        if (data.DevInst == device) return data;
    return std::nullopt;
}

}  // namespace

WindowsUsb::~WindowsUsb() {
    for (const usb::DeviceList list : lists_) ::SetupDiDestroyDeviceInfoList(AsList(list));
    for (const usb::Handle hub : hubs_) ::CloseHandle(AsHandle(hub));
}

usb::DeviceList WindowsUsb::SetupDiGetClassDevs(std::string_view interfaceClass, std::uint32_t flags) {
    const auto guid = ParseGuid(interfaceClass);
    if (!guid) return usb::kInvalidList;
    const HDEVINFO list = ::SetupDiGetClassDevsA(&*guid, nullptr, nullptr, flags);
    if (list == INVALID_HANDLE_VALUE) return usb::kInvalidList;
    const auto number = reinterpret_cast<usb::DeviceList>(list);
    const std::lock_guard lock(mutex_);
    lists_.insert(number);
    return number;
}

std::optional<usb::DeviceInstance> WindowsUsb::SetupDiEnumDeviceInfo(usb::DeviceList list, std::uint32_t index) {
    if (!Holds(lists_, list)) return std::nullopt;
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof data;
    if (!::SetupDiEnumDeviceInfo(AsList(list), index, &data)) return std::nullopt;
    return data.DevInst;
}

std::optional<std::string> WindowsUsb::SetupDiGetDeviceRegistryProperty(usb::DeviceList list,
                                                                        usb::DeviceInstance device,
                                                                        std::uint32_t property) {
    if (!Holds(lists_, list)) return std::nullopt;
    auto member = Member(AsList(list), device);
    if (!member) return std::nullopt;
    BYTE buffer[usb::kPropertyBuffer] = {};
    DWORD type = 0;
    if (!::SetupDiGetDeviceRegistryPropertyA(AsList(list), &*member, property, &type, buffer, sizeof buffer, nullptr))
        return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(buffer);
    return std::string(text, strnlen(text, sizeof buffer));
}

void WindowsUsb::SetupDiDestroyDeviceInfoList(usb::DeviceList list) {
    const std::lock_guard lock(mutex_);
    if (lists_.erase(list) != 0) ::SetupDiDestroyDeviceInfoList(AsList(list));
}

std::optional<usb::DeviceInstance> WindowsUsb::CM_Get_Parent(usb::DeviceInstance device) {
    DEVINST parent = 0;
    if (::CM_Get_Parent(&parent, device, 0) != CR_SUCCESS) return std::nullopt;
    return parent;
}

std::optional<std::string> WindowsUsb::CM_Get_Device_ID(usb::DeviceInstance device) {
    char id[MAX_DEVICE_ID_LEN + 1] = {};
    if (::CM_Get_Device_IDA(device, id, MAX_DEVICE_ID_LEN, 0) != CR_SUCCESS) return std::nullopt;
    return std::string(id);
}

usb::Handle WindowsUsb::CreateFile(std::string_view path) {
    const HANDLE hub = ::CreateFileA(std::string(path).c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (hub == INVALID_HANDLE_VALUE) return usb::kInvalidHandle;
    const auto handle = reinterpret_cast<usb::Handle>(hub);
    const std::lock_guard lock(mutex_);
    hubs_.insert(handle);
    return handle;
}

std::optional<std::uint32_t> WindowsUsb::DeviceIoControl(usb::Handle hub, std::uint32_t code,
                                                         std::span<std::uint8_t> record) {
    if (!Holds(hubs_, hub)) return std::nullopt;
    DWORD returned = 0;
    // The hub's records go in and come back in the same buffer.
    if (!BoundedDeviceIoControl(AsHandle(hub), code, record.data(), static_cast<DWORD>(record.size()), record.data(),
                                static_cast<DWORD>(record.size()), returned, kDeviceRequestMilliseconds))
        return std::nullopt;
    return returned;
}

void WindowsUsb::CloseHandle(usb::Handle hub) {
    const std::lock_guard lock(mutex_);
    if (hubs_.erase(hub) != 0) ::CloseHandle(AsHandle(hub));
}

}  // namespace platform::win32
