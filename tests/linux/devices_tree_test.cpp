// The gamepad desktop's tree: what the multimedia and spooler areas of the
// linux backend answer, byte for byte in their records, before any collector
// reads them.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/linux/areas/linux_machine.h"
#include "platform/multimedia_services.h"
#include "platform/spooler_services.h"
#include "support.h"

using namespace platform::linux_backend;
using platform::JoyCapsLayout;
using platform::WaveCapsLayout;

namespace {

LinuxMachine OnGamepadDesktop() {
    LinuxMachineOptions options;
    options.root = std::string(VELTRIX_TREES_DIR) + "/gamepad-desktop";
    options.session = SessionEnvironment{};
    return LinuxMachine(std::move(options));
}

std::string Pname(std::span<const std::uint8_t> record, std::size_t offset) {
    std::string name(reinterpret_cast<const char*>(record.data() + offset), platform::kPnameSize);
    return name.substr(0, name.find('\0'));
}

}  // namespace

TEST(TreeGamepadDesktop, WaveCapabilityRecords) {
    auto machine = OnGamepadDesktop();
    ASSERT_EQ(machine.OpenError(), "");
    auto& multimedia = machine.Multimedia();
    ASSERT_EQ(multimedia.waveInGetNumDevs(), 2u);
    ASSERT_EQ(multimedia.waveOutGetNumDevs(), 4u);
    std::array<std::uint8_t, WaveCapsLayout::kInSize> in{};
    ASSERT_EQ(multimedia.waveInGetDevCaps(1, in), platform::kMmSysErrNoError);
    EXPECT_EQ(Pname(in, WaveCapsLayout::kPname), "VT1708S Alt Analog");
    EXPECT_EQ(platform::GetLe32(in, WaveCapsLayout::kDriverVersion), 0x0100u) << "ALSA 1.0.16";
    std::array<std::uint8_t, WaveCapsLayout::kOutSize> out{};
    ASSERT_EQ(multimedia.waveOutGetDevCaps(3, out), platform::kMmSysErrNoError);
    EXPECT_EQ(Pname(out, WaveCapsLayout::kPname), "HDMI 1") << "card 1, device 7: the last output";
    EXPECT_EQ(multimedia.waveOutGetDevCaps(4, out), platform::kMmSysErrBadDeviceId);
    std::array<std::uint8_t, 20> tooSmall{};
    EXPECT_EQ(multimedia.waveInGetDevCaps(0, tooSmall), platform::kMmSysErrInvalParam);
}

TEST(TreeGamepadDesktop, JoystickSlots) {
    auto machine = OnGamepadDesktop();
    auto& multimedia = machine.Multimedia();
    ASSERT_EQ(multimedia.joyGetNumDevs(), 16u);
    std::array<std::uint8_t, JoyCapsLayout::kSize> caps{};
    ASSERT_EQ(multimedia.joyGetDevCaps(0, caps), platform::kMmSysErrNoError);
    EXPECT_EQ(Pname(caps, JoyCapsLayout::kPname), "Logitech Logitech Dual Action");
    EXPECT_EQ(platform::GetLe32(caps, JoyCapsLayout::kNumAxes), 6u);
    EXPECT_EQ(platform::GetLe32(caps, JoyCapsLayout::kNumButtons), 12u);
    ASSERT_EQ(multimedia.joyGetDevCaps(1, caps), platform::kMmSysErrNoError);
    EXPECT_EQ(Pname(caps, JoyCapsLayout::kPname), "Logitech Logitech Extreme 3D");
    EXPECT_EQ(multimedia.joyGetDevCaps(2, caps), platform::kJoyErrUnplugged);
    EXPECT_EQ(multimedia.joyGetDevCaps(15, caps), platform::kJoyErrUnplugged);
    EXPECT_EQ(multimedia.joyGetDevCaps(16, caps), platform::kJoyErrParms);

    // Only attached joysticks are input devices: a slot that answers its
    // capabilities answers its position too, an empty one is unplugged.
    std::array<std::uint8_t, platform::JoyInfoExLayout::kSize> position{};
    EXPECT_EQ(multimedia.joyGetPosEx(0, position), platform::kMmSysErrNoError);
    EXPECT_EQ(multimedia.joyGetPosEx(1, position), platform::kMmSysErrNoError);
    EXPECT_EQ(multimedia.joyGetPosEx(2, position), platform::kJoyErrUnplugged);
    EXPECT_EQ(multimedia.joyGetPosEx(16, position), platform::kJoyErrParms);
}

TEST(TreeGamepadDesktop, SpoolerFromTheRecordedAnswerAndSysfs) {
    auto machine = OnGamepadDesktop();
    auto& spooler = machine.Spooler();
    std::uint32_t needed = 0, returned = 0;
    EXPECT_FALSE(spooler.EnumPrinters(platform::kPrinterEnumLocal, platform::kSpoolerLevel2, {}, needed, returned));
    EXPECT_GT(needed, 3 * platform::PrinterInfo2Layout::kSize);
    std::vector<std::uint8_t> buffer(needed);
    ASSERT_TRUE(spooler.EnumPrinters(platform::kPrinterEnumLocal, platform::kSpoolerLevel2, buffer, needed, returned));
    EXPECT_EQ(returned, 3u);
    EXPECT_FALSE(spooler.EnumPrinters(platform::kPrinterEnumLocal, 1, buffer, needed, returned)) << "level 1";
    EXPECT_EQ(spooler.GetDefaultPrinter(), "Brother-DCP-1610W-series");

    EXPECT_FALSE(spooler.EnumPorts(platform::kSpoolerLevel2, {}, needed, returned));
    buffer.assign(needed, 0);
    ASSERT_TRUE(spooler.EnumPorts(platform::kSpoolerLevel2, buffer, needed, returned));
    EXPECT_EQ(returned, 3u);
}

TEST(TreeGamepadDesktop, ATreeWithoutARecordedAnswerHasNoPrintServer) {
    LinuxMachineOptions options;
    options.root = std::string(VELTRIX_TREES_DIR) + "/desktop";
    options.session = SessionEnvironment{};
    LinuxMachine machine(std::move(options));
    std::uint32_t needed = 1, returned = 1;
    std::array<std::uint8_t, 1> buffer{};
    EXPECT_FALSE(machine.Spooler().EnumPrinters(platform::kPrinterEnumLocal, platform::kSpoolerLevel2, {}, needed,
                                                returned));
    EXPECT_EQ(needed, 0u);
    EXPECT_FALSE(machine.Spooler().EnumPrinters(platform::kPrinterEnumLocal, platform::kSpoolerLevel2, buffer, needed,
                                                returned));
    EXPECT_EQ(machine.Spooler().GetDefaultPrinter(), std::nullopt);
    EXPECT_EQ(machine.Multimedia().waveInGetNumDevs(), 0u) << "no /proc/asound";
}

TEST(LinuxSound, ALaptopWithASoftwareModem) {
    // The PCM list of a laptop whose HD-audio card also carries a modem codec,
    // as its kernel printed it (descending), with the class of each stream.
    linux_tests::TempDir tree;
    tree.Write("proc/asound/pcm",
               "00-06: Si3054 Modem : Si3054 Modem : playback 1 : capture 1\n"
               "00-02: ALC883 Analog : ALC883 Analog : capture 1\n"
               "00-01: ALC883 Digital : ALC883 Digital : playback 1\n"
               "00-00: ALC883 Analog : ALC883 Analog : playback 1 : capture 1\n");
    for (const char* stream : {"pcmC0D0p", "pcmC0D0c", "pcmC0D1p", "pcmC0D2c"})
        tree.Write(std::string("sys/class/sound/") + stream + "/pcm_class", "generic\n");
    tree.Write("sys/class/sound/pcmC0D6p/pcm_class", "modem\n");
    tree.Write("sys/class/sound/pcmC0D6c/pcm_class", "modem\n");
    LinuxMachineOptions options;
    options.root = tree.Path();
    options.session = SessionEnvironment{};
    LinuxMachine machine(std::move(options));
    auto& multimedia = machine.Multimedia();
    ASSERT_EQ(multimedia.waveInGetNumDevs(), 2u) << "devices 0 and 2; not the modem";
    ASSERT_EQ(multimedia.waveOutGetNumDevs(), 2u) << "devices 0 and 1; not the modem";
    std::array<std::uint8_t, WaveCapsLayout::kOutSize> caps{};
    ASSERT_EQ(multimedia.waveOutGetDevCaps(1, caps), platform::kMmSysErrNoError);
    EXPECT_EQ(Pname(caps, WaveCapsLayout::kPname), "ALC883 Digital");
    EXPECT_EQ(platform::GetLe32(caps, WaveCapsLayout::kDriverVersion), 0u) << "no /proc/asound/version";
}

TEST(LinuxSound, LongNamesAndUnicodeInTheThirtyTwoByteField) {
    linux_tests::TempDir tree;
    tree.Write("proc/asound/pcm",
               "00-00: USB Audio : Logitech USB Headset H340 - Wireless Receiver : playback 1 : capture 1\n"
               "01-00: X : Caf\xc3\xa9 \xe2\x82\xac \xe4\xb8\xad : capture 1\n"
               "02-00: X : Thirty bytes, then a character\xe4\xb8\xad : capture 1\n");
    tree.Write("proc/asound/version", "Advanced Linux Sound Architecture Driver Version k6.1.0-18-amd64.\n");
    LinuxMachineOptions options;
    options.root = tree.Path();
    options.session = SessionEnvironment{};
    LinuxMachine machine(std::move(options));
    std::array<std::uint8_t, WaveCapsLayout::kInSize> caps{};
    ASSERT_EQ(machine.Multimedia().waveInGetDevCaps(0, caps), platform::kMmSysErrNoError);
    EXPECT_EQ(Pname(caps, WaveCapsLayout::kPname), "Logitech USB Headset H340 - Wir") << "31 bytes and the zero";
    EXPECT_EQ(caps[WaveCapsLayout::kPname + 31], 0);
    EXPECT_EQ(platform::GetLe32(caps, WaveCapsLayout::kDriverVersion), 0x0601u);
    ASSERT_EQ(machine.Multimedia().waveInGetDevCaps(1, caps), platform::kMmSysErrNoError);
    EXPECT_EQ(Pname(caps, WaveCapsLayout::kPname), "Caf\xc3\xa9 \xe2\x82\xac \xe4\xb8\xad") << "UTF-8, as Linux gives it";
    ASSERT_EQ(machine.Multimedia().waveInGetDevCaps(2, caps), platform::kMmSysErrNoError);
    EXPECT_EQ(Pname(caps, WaveCapsLayout::kPname), "Thirty bytes, then a character") << "no half of the last character";
    EXPECT_EQ(caps[WaveCapsLayout::kPname + 30], 0);
}
