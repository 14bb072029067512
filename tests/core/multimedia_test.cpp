// Sound devices and joysticks on simulated machines: the order of the
// collection, the version text, the name field at both of its ends, and the
// devices and slots that do not answer.
#include <gtest/gtest.h>

#include <array>

#include "app/pages/Categories.h"
#include "collectors/Joysticks.h"
#include "collectors/Sound.h"
#include "sim_fixture.h"

using collectors::Joysticks;
using collectors::Sound;
using collectors::SoundItem;
using testing_support::SimFrom;

TEST(Sound, InputsFirstThenOutputsEachInDeviceOrder) {
    const auto machine = SimFrom(R"({"wave": {
        "inputs": [{"name": "Line In", "version": "0x050A"}, {"name": "Microphone", "version": "0x0100"}],
        "outputs": [{"name": "Speakers", "version": 0}, {"name": "HDMI", "version": "0xFFFF"},
                    {"name": "Headphones", "version": "0x12340A05"}]}})");
    const Sound sound(*machine);
    ASSERT_EQ(sound.Count(), 5);
    EXPECT_EQ(sound.Item(0)->Name(), L"Line In");
    EXPECT_EQ(sound.Item(0)->SoundType(), SoundItem::kWaveIn);
    EXPECT_EQ(sound.Item(0)->Version(), L"5.10");
    EXPECT_EQ(sound.Item(1)->Version(), L"1.0");
    EXPECT_EQ(sound.Item(1)->SoundType(), SoundItem::kWaveIn);
    for (std::int16_t i = 2; i < 5; ++i) EXPECT_EQ(sound.Item(i)->SoundType(), SoundItem::kWaveOut) << i;
    EXPECT_EQ(sound.Item(2)->Name(), L"Speakers");
    EXPECT_EQ(sound.Item(2)->Version(), L"0.0");
    EXPECT_EQ(sound.Item(3)->Version(), L"255.255");
    EXPECT_EQ(sound.Item(4)->Version(), L"10.5") << "only the low word holds the version";
    EXPECT_EQ(sound.Item(5), nullptr);
    EXPECT_EQ(sound.Item(-1), nullptr);
}

TEST(Sound, TheNameFieldAtBothEnds) {
    const std::string name31(31, 'A');
    const std::string name32 = std::string(31, 'B') + "C";
    const auto machine = SimFrom(R"({"wave": {"inputs": [{"name": ")" + name31 + R"("}, {"name": ")" + name32 +
                                 R"("}, {"name": ""}, {"name": "Caf\u00e9"}]}})");
    const Sound sound(*machine);
    ASSERT_EQ(sound.Count(), 4);
    EXPECT_EQ(sound.Item(0)->Name(), std::wstring(31, L'A')) << "31 characters and the zero byte: whole";
    // 32 bytes without a zero byte: the field ends the name, nothing after it is read.
    EXPECT_EQ(sound.Item(1)->Name(), std::wstring(31, L'B') + L"C");
    EXPECT_EQ(sound.Item(2)->Name(), L"");
    EXPECT_EQ(sound.Item(3)->Name(), L"Caf\u00e9") << "single-byte text of the Western code page";

    EXPECT_THROW(SimFrom(R"({"wave": {"inputs": [{"name": ")" + std::string(33, 'x') + R"("}]}})"),
                 platform::sim::SimFileError)
        << "a name longer than the field";
}

TEST(Sound, DevicesThatDoNotAnswerLeaveNoGap) {
    const auto machine = SimFrom(R"({"wave": {
        "inputs": [{"name": "Fails", "result": 2}, {"name": "Answers"}],
        "outputs": [{"name": "Out 0"}], "output_count": 3}})");
    const Sound sound(*machine);
    ASSERT_EQ(sound.Count(), 2) << "a failing input and two output numbers without a device";
    EXPECT_EQ(sound.Item(0)->Name(), L"Answers");
    EXPECT_EQ(sound.Item(1)->Name(), L"Out 0");

    EXPECT_EQ(Sound(*SimFrom(R"({"wave": {"inputs": [{"name": "x"}], "input_count": 0}})")).Count(), 0)
        << "a count of 0 from the service";
    EXPECT_EQ(Sound(*SimFrom("{}")).Count(), 0);
    EXPECT_EQ(Sound(*SimFrom(R"({"wave": {"input_count": 65535}})")).Count(), 0) << "every number asked, none answers";
    EXPECT_THROW(SimFrom(R"({"wave": {"input_count": 65536}})"), platform::sim::SimFileError);
}

TEST(Sound, ThePageStartsAtTheFirstInputDevice) {
    const auto& kind = app::CategoryRowOf(app::kSound).kind;
    const auto withInput = SimFrom(R"({"wave": {"inputs": [{"name": "In"}], "outputs": [{"name": "Out"}]}})");
    EXPECT_EQ(kind.MakePage(*withInput)->PreferredItem(), 0);
    const auto outputsOnly = SimFrom(R"({"wave": {"outputs": [{"name": "Out"}]}})");
    EXPECT_EQ(kind.MakePage(*outputsOnly)->PreferredItem(), -1);
}

TEST(Joysticks, OnlyAnsweringSlotsBecomeItems) {
    const auto machine = SimFrom(R"({"joysticks": {"slots": 16,
        "devices": [{"slot": 3, "name": "Pad", "axes": 6, "buttons": 12}]}})");
    const Joysticks joysticks(*machine);
    ASSERT_EQ(joysticks.Count(), 1);
    EXPECT_EQ(joysticks.Item(0)->Name(), L"Pad") << "item 0 describes slot 3";
    EXPECT_EQ(joysticks.Item(0)->Axes(), 6);
    EXPECT_EQ(joysticks.Item(0)->Buttons(), 12);
}

TEST(Joysticks, CountsAtTheEdgesOfAByte) {
    const auto machine = SimFrom(R"({"joysticks": {"devices": [
        {"slot": 0, "name": "Edge", "axes": 255, "buttons": 255},
        {"slot": 1, "name": "Too many", "axes": 256, "buttons": 512},
        {"slot": 2, "name": "None", "axes": 0, "buttons": 0},
        {"slot": 5, "name": "Fails", "result": 167},
        {"slot": 16, "name": "Beyond the slots"}]}})");
    const Joysticks joysticks(*machine);
    ASSERT_EQ(joysticks.Count(), 3);
    EXPECT_EQ(joysticks.Item(0)->Axes(), 255);
    EXPECT_EQ(joysticks.Item(0)->Buttons(), 255);
    EXPECT_EQ(joysticks.Item(1)->Name(), L"Too many") << "still stored";
    EXPECT_EQ(joysticks.Item(1)->Axes(), 0);
    EXPECT_EQ(joysticks.Item(1)->Buttons(), 0);
    EXPECT_EQ(joysticks.Item(2)->Name(), L"None");

    EXPECT_EQ(Joysticks(*SimFrom(R"({"joysticks": {"slots": 0, "devices": [{"slot": 0}]}})")).Count(), 0);
    EXPECT_THROW(SimFrom(R"({"joysticks": {"devices": [{"slot": 1}, {"slot": 1}]}})"), platform::sim::SimFileError);
    EXPECT_THROW(SimFrom(R"({"joysticks": {"devices": [{"name": "no slot"}]}})"), platform::sim::SimFileError);
    EXPECT_THROW(SimFrom(R"({"joysticks": {"devices": [{"slot": 1, "hats": 1}]}})"), platform::sim::SimFileError);
}

// A slot the driver has configured answers its capabilities with or without
// a joystick in it; its position request says JOYERR_UNPLUGGED when empty.
// Only attached joysticks are listed.
TEST(Joysticks, ASlotThatAnswersItsCapabilitiesButIsEmptyIsLeftOut) {
    const auto machine = SimFrom(R"({"joysticks": {"slots": 16, "devices": [
        {"slot": 0, "name": "Configured, unplugged", "axes": 2, "buttons": 4, "attached": false},
        {"slot": 3, "name": "Pad", "axes": 6, "buttons": 12},
        {"slot": 15, "name": "Wheel", "axes": 3, "buttons": 8, "attached": true}]}})");
    const Joysticks joysticks(*machine);
    ASSERT_EQ(joysticks.Count(), 2);
    EXPECT_EQ(joysticks.Item(0)->Name(), L"Pad");
    EXPECT_EQ(joysticks.Item(1)->Name(), L"Wheel") << "the last slot";

    // The position request as the collector makes it: the record's size and
    // JOY_RETURNALL set, an empty slot refused, an attached one answered.
    auto& multimedia = machine->Multimedia();
    std::array<std::uint8_t, platform::JoyInfoExLayout::kSize> info{};
    EXPECT_EQ(multimedia.joyGetPosEx(3, info), platform::kJoyErrParms) << "dwSize not set";
    base::WriteLe32(info, platform::JoyInfoExLayout::kDwSize, 52);
    EXPECT_EQ(multimedia.joyGetPosEx(0, info), platform::kJoyErrUnplugged);
    EXPECT_EQ(multimedia.joyGetPosEx(3, info), platform::kMmSysErrNoError);
    EXPECT_EQ(multimedia.joyGetPosEx(5, info), platform::kJoyErrUnplugged) << "a slot without a device";
    EXPECT_EQ(multimedia.joyGetPosEx(16, info), platform::kJoyErrParms) << "past the slots";
    EXPECT_EQ(multimedia.joyGetPosEx(3, std::span(info).first(51)), platform::kJoyErrParms) << "a short record";
}
