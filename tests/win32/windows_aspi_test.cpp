// The Windows machine with and without WnAspi32.dll. Wine has a module of
// its own, with no adapters unless SCSI devices are configured for it; the
// AspiAbsent cases run with it switched off (tests/win32/CMakeLists.txt).
// Without it every ASPI request is refused as "no ASPI" and an optical drive
// falls back to the system's pass-through; with it and no adapters the
// search finds nothing and nothing waits. The module calls themselves are
// proved on a module every system has.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/win32/win32_api.h"
#include "platform/win32/windows_drives.h"
#include "transport/DLL.h"
#include "transport/MMC.h"

namespace {

using platform::DeviceHandle;
using platform::kInvalidHandleValue;
namespace aspi = platform::aspi;
namespace drive = platform::drive;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The Windows machine's drives with one letter that says it is a CD-ROM
// drive, which Wine has none of.
class WithCdromLetter final : public platform::DriveServices {
public:
    explicit WithCdromLetter(platform::DriveServices& drives) : drives_(drives) {}
    std::uint32_t GetDriveTypeA(std::string_view) override { return drive::kDriveCdrom; }
    DeviceHandle CreateFileA(std::string_view name, std::uint32_t access, std::uint32_t share,
                             std::uint32_t disposition, std::uint32_t flags) override {
        return drives_.CreateFileA(name, access, share, disposition, flags);
    }
    bool CloseHandle(DeviceHandle handle) override { return drives_.CloseHandle(handle); }
    DeviceHandle LoadLibraryA(std::string_view file) override { return drives_.LoadLibraryA(file); }
    bool GetProcAddress(DeviceHandle module, std::string_view routine) override {
        return drives_.GetProcAddress(module, routine);
    }
    std::string GetModuleFileNameA(DeviceHandle module) override { return drives_.GetModuleFileNameA(module); }
    bool FreeLibrary(DeviceHandle module) override { return drives_.FreeLibrary(module); }

private:
    platform::DriveServices& drives_;
};

TEST(AspiAbsent, EveryRequestIsRefusedAsNoAspi) {
    platform::win32::WindowsDrives drives;
    EXPECT_EQ(drives.LoadLibraryA(drive::kAspiModule), kInvalidHandleValue);
    EXPECT_EQ(drives.GetASPI32SupportInfo(), 0u);
    platform::SrbHaInquiry adapter;
    EXPECT_EQ(drives.SendASPI32Command(adapter), aspi::kSsNoAspi);
    platform::SrbGetDevType device;
    EXPECT_EQ(drives.SendASPI32Command(device), aspi::kSsNoAspi);
    std::uint8_t data[36] = {};
    platform::SrbExecScsiCmd command;
    command.bufferLength = sizeof data;
    command.buffer = data;
    EXPECT_EQ(drives.SendASPI32Command(command), aspi::kSsNoAspi);
    EXPECT_EQ(command.status, aspi::kSsNoAspi);
}

TEST(AspiAbsent, AnOpticalDriveFallsBackToThePassThrough) {
    platform::win32::WindowsDrives windows;
    WithCdromLetter drives(windows);
    transport::MMC mmc(drives);
    // Chosen automatically: the pass-through, whose device Wine does not have.
    EXPECT_FALSE(mmc.Create("D:\\", ""));
    EXPECT_EQ(mmc.Interface(), L"SPTI");
    EXPECT_EQ(mmc.ErrorMessage(), L"Invalid handle");
    mmc.Destroy();
    // Asked for by name: no transport.
    EXPECT_FALSE(mmc.Create("D:\\", "ASPI"));
    EXPECT_EQ(mmc.Interface(), L"");
    EXPECT_EQ(mmc.ErrorMessage(), L"Error accessing driver");
}

TEST(WindowsAspi, AModuleWithoutAdaptersIsChosenFindsNoDriveAndAnswersAtOnce) {
    platform::win32::WindowsDrives windows;
    const DeviceHandle module = windows.LoadLibraryA(drive::kAspiModule);
    if (module == kInvalidHandleValue) GTEST_SKIP() << "no WnAspi32.dll on this system";
    EXPECT_TRUE(windows.GetProcAddress(module, drive::kGetAspi32SupportInfo));
    EXPECT_TRUE(windows.GetProcAddress(module, drive::kSendAspi32Command));
    EXPECT_TRUE(windows.FreeLibrary(module));
    const std::uint32_t support = windows.GetASPI32SupportInfo();
    if ((support & 0xFF) != 0) GTEST_SKIP() << "this system's ASPI has adapters";

    WithCdromLetter drives(windows);
    transport::MMC mmc(drives);
    EXPECT_FALSE(mmc.Create("D:\\", ""));
    EXPECT_EQ(mmc.Interface(), L"ASPI");
    EXPECT_EQ(mmc.ErrorMessage(), L"Error accessing drive");

    // A command to an adapter that is not there ends at once, refused.
    std::uint8_t data[36] = {0xAA};
    platform::SrbExecScsiCmd command;
    command.flags = aspi::kSrbDirIn | aspi::kSrbEventNotify;
    command.bufferLength = sizeof data;
    command.buffer = data;
    command.cdbLength = 6;
    command.cdb = {0x12, 0, 0, 0, 36, 0};
    const auto start = ::GetTickCount64();
    EXPECT_NE(windows.SendASPI32Command(command), aspi::kSsComp);
    EXPECT_NE(command.status, aspi::kSsPending);
    EXPECT_LT(::GetTickCount64() - start, 5000u);
}

TEST(WindowsAspi, ModuleCallsLoadFindNameAndReleaseASystemModule) {
    platform::win32::WindowsDrives drives;
    transport::DLL module(drives);
    EXPECT_TRUE(module.IsAvailable("kernel32.dll", "GetTickCount"));
    EXPECT_TRUE(Lower(module.FileName()).ends_with("\\kernel32.dll")) << module.FileName();
    EXPECT_FALSE(module.IsAvailable("kernel32.dll", "NoSuchRoutine"));
    EXPECT_FALSE(module.IsAvailable("NoSuchModule.dll", ""));

    const DeviceHandle loaded = drives.LoadLibraryA("kernel32.dll");
    ASSERT_NE(loaded, kInvalidHandleValue);
    EXPECT_TRUE(drives.FreeLibrary(loaded));
    // Given back once; a second release, or a name of a module never
    // loaded, is refused.
    EXPECT_FALSE(drives.FreeLibrary(loaded));
    EXPECT_FALSE(drives.GetProcAddress(loaded, "GetTickCount"));
    EXPECT_EQ(drives.GetModuleFileNameA(loaded), "");
}

TEST(WindowsAspi, EventsWaitWithALimitAndCloseOnce) {
    platform::win32::WindowsDrives drives;
    const DeviceHandle event = drives.CreateEventA();
    ASSERT_NE(event, kInvalidHandleValue);
    EXPECT_EQ(drives.WaitForSingleObject(event, 0), drive::kWaitTimeout);
    EXPECT_TRUE(drives.CloseHandle(event));
    EXPECT_FALSE(drives.CloseHandle(event));
    EXPECT_EQ(drives.WaitForSingleObject(event, 0), drive::kWaitFailed);
}

}  // namespace
