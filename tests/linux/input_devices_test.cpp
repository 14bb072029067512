// Keyboards and mice from /proc/bus/input/devices, bitmaps of 32- and
// 64-bit words.
#include <gtest/gtest.h>

#include "platform/linux/parsers/input_devices.h"
#include "support.h"

using namespace platform::linux_backend;

namespace {

const char* const kMouseOnly =
    "I: Bus=0003 Vendor=046d Product=c077 Version=0111\n"
    "N: Name=\"Logitech USB Optical Mouse\"\n"
    "H: Handlers=mouse0 event10 \n"
    "B: EV=17\n"
    "B: KEY=ff0000 0 0 0 0\n"
    "B: REL=103\n";

std::string DesktopSample() {
    return linux_tests::ReadWholeFile(std::string(VELTRIX_TREES_DIR) + "/desktop/proc/bus/input/devices");
}

}  // namespace

TEST(LinuxInputDevices, DesktopSampleWithSixtyFourBitWords) {
    const auto devices = ParseInputDevices(DesktopSample());
    ASSERT_EQ(devices.size(), 15u);
    EXPECT_EQ(devices[10].name, "Logitech USB Optical Mouse");
    EXPECT_EQ(devices[11].handlers, (std::vector<std::string>{"sysrq", "kbd", "event11"}));
    const unsigned bits = BitmapWordBits(devices, 32);
    EXPECT_EQ(bits, 64u) << "sixteen-digit words can only come from a 64-bit kernel";

    const auto keyboard = FindKeyboard(devices, bits);
    EXPECT_TRUE(keyboard.present);
    EXPECT_EQ(keyboard.functionKeys, 24u) << "the USB keyboard declares F1-F24";
    const auto mouse = FindMouse(devices, bits);
    EXPECT_TRUE(mouse.present);
    EXPECT_EQ(mouse.buttons, 8u) << "BTN_LEFT to BTN_TASK";
    EXPECT_TRUE(mouse.wheel);
}

TEST(LinuxInputDevices, WhatIsNotAKeyboardOrAMouse) {
    const auto devices = ParseInputDevices(DesktopSample());
    // Power buttons and the media-key interface have a kbd handler but no letters.
    const std::vector<InputDevice> noLetters = {devices[0], devices[1], devices[12]};
    EXPECT_FALSE(FindKeyboard(noLetters, 64).present);
    EXPECT_FALSE(FindMouse(noLetters, 64).present) << "a horizontal wheel alone is not a mouse";
    const std::vector<InputDevice> jacks(devices.begin() + 2, devices.begin() + 10);
    EXPECT_FALSE(FindMouse(jacks, 64).present);
    EXPECT_FALSE(FindKeyboard({}, 64).present);
    EXPECT_EQ(FindMouse({}, 64).buttons, 0u);
}

TEST(LinuxInputDevices, WordWidthDecidesWhichBitIsWhich) {
    const auto devices = ParseInputDevices(kMouseOnly);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(BitmapWordBits(devices, 64), 64u) << "short words: the machine's width";
    EXPECT_EQ(FindMouse(devices, 64).buttons, 8u);
    EXPECT_EQ(FindMouse(devices, 32).buttons, 0u) << "read as 32-bit words the same text names other keys";

    const auto bitmap = CapabilityBitmap::Parse("10000000000000 0", 64);
    ASSERT_TRUE(bitmap);
    EXPECT_TRUE(bitmap->Test(116)) << "KEY_POWER sits in the second word";
    EXPECT_FALSE(bitmap->Test(52));
    EXPECT_FALSE(bitmap->Test(100000)) << "beyond the last word";
    EXPECT_FALSE(CapabilityBitmap::Parse("1ffffffff", 32)) << "nine digits do not fit a 32-bit word";
    EXPECT_FALSE(CapabilityBitmap::Parse("ff0000 xyz", 64)) << "not hexadecimal";
    EXPECT_FALSE(CapabilityBitmap::Parse("", 64)) << "no words";
}

TEST(LinuxInputDevices, PointersWithoutAMouseHandlerAndOddBlocks) {
    const auto devices = ParseInputDevices(
        "I: Bus=0003\nN: Name=\"Pen\"\nH: Handlers=event3\nB: KEY=30000 0 0 0 0\nB: REL=3\n\n\n"
        "I: Bus=0003\nN: Name=\"Broken\"\nH: Handlers=mouse1\nB: KEY=zz\nB: REL=103\n"
        "this line is not a field\n");
    ASSERT_EQ(devices.size(), 2u);
    const auto pen = FindMouse({devices[0]}, 64);
    EXPECT_TRUE(pen.present) << "a left button and an X axis make a pointer";
    EXPECT_EQ(pen.buttons, 2u);
    EXPECT_FALSE(pen.wheel);
    const auto broken = FindMouse({devices[1]}, 64);
    EXPECT_TRUE(broken.present) << "the handler names it a mouse";
    EXPECT_EQ(broken.buttons, 0u) << "a malformed key bitmap counts no buttons";
    EXPECT_TRUE(broken.wheel);
}

namespace {

std::string GamepadSample() {
    return linux_tests::ReadWholeFile(std::string(VELTRIX_TREES_DIR) + "/gamepad-desktop/proc/bus/input/devices");
}

}  // namespace

TEST(LinuxJoysticks, GamepadOfAThirtyTwoBitKernel) {
    const auto devices = ParseInputDevices(GamepadSample());
    const unsigned bits = BitmapWordBits(devices, 32);
    ASSERT_EQ(bits, 32u);
    const auto slots = FindJoysticks(devices, bits);
    ASSERT_TRUE(slots[0]);
    EXPECT_EQ(slots[0]->name, "Logitech Logitech Dual Action");
    EXPECT_EQ(slots[0]->axes, 6u) << "X Y Z RZ HAT0X HAT0Y";
    EXPECT_EQ(slots[0]->buttons, 12u) << "BTN_TRIGGER to BTN_BASE6";
    ASSERT_TRUE(slots[1]);
    EXPECT_EQ(slots[1]->name, "Logitech Logitech Extreme 3D");
    EXPECT_EQ(slots[1]->axes, 6u) << "X Y RZ THROTTLE HAT0X HAT0Y";
    for (std::size_t slot = 2; slot < kJoystickSlots; ++slot) EXPECT_FALSE(slots[slot]) << slot;
    EXPECT_TRUE(FindKeyboard(devices, bits).present) << "the keyboard and mouse beside it still count";
    EXPECT_TRUE(FindMouse(devices, bits).present);
}

TEST(LinuxJoysticks, SlotsAndCountingRanges) {
    const auto devices = ParseInputDevices(
        "I: Bus=0003\nN: Name=\"Pad on js3\"\nH: Handlers=event7 js3\nB: KEY=1 0 0 0 0 0 0 0 0 0 0 0 1\n"
        "B: ABS=ffffffffffffffff\n\n"
        // Every key from BTN_MISC to KEY_MAX: 512 buttons (0x100..0x2ff).
        "I: Bus=0003\nN: Name=\"All buttons js15\"\nH: Handlers=js15\n"
        "B: KEY=ffffffffffffffff ffffffffffffffff ffffffffffffffff ffffffffffffffff ffffffffffffffff "
        "ffffffffffffffff ffffffffffffffff ffffffffffffffff 0 0 0 0\n\n"
        "I: Bus=0003\nN: Name=\"Slot out of range\"\nH: Handlers=js16 event9\nB: ABS=3\n\n"
        "I: Bus=0003\nN: Name=\"Not numbered\"\nH: Handlers=jsx event9\nB: ABS=3\n\n"
        "I: Bus=0003\nN: Name=\"Second on js3\"\nH: Handlers=js3\nB: ABS=1\n\n"
        "I: Bus=0003\nN: Name=\"No bitmaps\"\nH: Handlers=js0\n");
    const auto slots = FindJoysticks(devices, 64);
    ASSERT_TRUE(slots[3]);
    EXPECT_EQ(slots[3]->name, "Pad on js3") << "the first device naming a slot keeps it";
    EXPECT_EQ(slots[3]->axes, 64u) << "all 64 absolute axes";
    EXPECT_EQ(slots[3]->buttons, 0u) << "bit 0 and bit 768 are outside both button ranges";
    ASSERT_TRUE(slots[15]);
    EXPECT_EQ(slots[15]->buttons, 512u);
    ASSERT_TRUE(slots[0]);
    EXPECT_EQ(slots[0]->axes, 0u);
    EXPECT_EQ(slots[0]->buttons, 0u);
    std::size_t taken = 0;
    for (const auto& slot : slots) taken += slot ? 1 : 0;
    EXPECT_EQ(taken, 3u) << "js16 and jsx take no slot";
}
