// The small text formats the backend reads: numbers, meminfo and maps, the
// processor files, os-release and the kernel release, layouts, desktop
// settings and the locale's time format.
#include <gtest/gtest.h>

#include "platform/linux/io/cpu.h"
#include "platform/linux/parsers/desktop_settings.h"
#include "platform/linux/parsers/keyboard_layouts.h"
#include "platform/linux/parsers/meminfo.h"
#include "platform/linux/parsers/os_release.h"
#include "platform/linux/io/regional_settings.h"
#include "platform/linux/io/replies.h"
#include "platform/linux/parsers/text_fields.h"

using namespace platform::linux_backend;

TEST(LinuxTextFields, NumbersAreWholeOrNothing) {
    EXPECT_EQ(ParseDecimal("42\n"), 42u);
    EXPECT_EQ(ParseSignedDecimal("-1500000"), -1500000);
    EXPECT_EQ(ParseHex("7ffc8e1f0000"), 0x7ffc8e1f0000u);
    EXPECT_FALSE(ParseDecimal("12abc")) << "trailing junk is not swallowed";
    EXPECT_FALSE(ParseDecimal("")) << "an empty attribute is not zero";
    EXPECT_FALSE(ParseDecimal("-3")) << "a negative count is not a count";
    EXPECT_FALSE(ParseDecimal("+3")) << "no sign on counts";
    EXPECT_FALSE(ParseDecimal("99999999999999999999")) << "overflow is refused";
    EXPECT_EQ(AttributeValue("Discharging\n"), "Discharging");
    EXPECT_FALSE(AttributeValue("two\nlines\n")) << "an attribute holds one value";
}

TEST(LinuxTextFields, ShellAssignmentsFollowTheQuotingRules) {
    const auto values = ParseAssignments(
        "# comment\nNAME=\"Debian GNU/Linux\"\nID=debian\nQ='single \"kept\"'\nE=\"a \\\"b\\\" \\$c\"\n"
        "export XKBLAYOUT=\"us,de\"\nBROKEN=\"no end\nnot an assignment\n");
    EXPECT_EQ(values.at("NAME"), "Debian GNU/Linux");
    EXPECT_EQ(values.at("ID"), "debian");
    EXPECT_EQ(values.at("Q"), "single \"kept\"");
    EXPECT_EQ(values.at("E"), "a \"b\" $c");
    EXPECT_EQ(values.at("XKBLAYOUT"), "us,de");
    EXPECT_EQ(values.count("BROKEN"), 0u) << "an unterminated quote gives no value";
}

TEST(LinuxMeminfo, PhysicalCommitAndLoad) {
    const auto info = ParseMeminfo(
        "MemTotal:        8000000 kB\nMemFree:  1000000 kB\nMemAvailable:    2000000 kB\n"
        "CommitLimit:     6000000 kB\nCommitted_AS:    9000000 kB\nHugePages_Total:       0\nBad: 12x kB\n");
    EXPECT_EQ(info.at("HugePages_Total"), 0u) << "counts without a unit are taken as they stand";
    EXPECT_EQ(info.count("Bad"), 0u) << "a malformed value is left out, not read as 12";
    const auto status = MemoryStatusFromMeminfo(info);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->totalPhys, 8000000ull * 1024);
    EXPECT_EQ(status->availPhys, 2000000ull * 1024);
    EXPECT_EQ(status->memoryLoad, 75u);
    EXPECT_EQ(status->totalPageFile, 6000000ull * 1024);
    EXPECT_EQ(status->availPageFile, 0u) << "over-committed: the free part stops at zero";
}

TEST(LinuxMeminfo, OldKernelsAndMissingTotals) {
    const auto old = MemoryStatusFromMeminfo(
        ParseMeminfo("MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\nCached: 250 kB\n"));
    ASSERT_TRUE(old);
    EXPECT_EQ(old->availPhys, 400u * 1024) << "before MemAvailable: free plus buffers plus cache";
    EXPECT_EQ(old->memoryLoad, 60u);
    EXPECT_FALSE(MemoryStatusFromMeminfo(ParseMeminfo("MemFree: 100 kB\n"))) << "no total, no status";
    EXPECT_FALSE(MemoryStatusFromMeminfo(ParseMeminfo("MemTotal: 0 kB\n"))) << "a zero total divides nothing";
    const auto huge = MemoryStatusFromMeminfo(ParseMeminfo("MemTotal: 1000 kB\nMemFree: 18446744073709551615\nBuffers: 1\n"));
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->availPhys, 1000u * 1024) << "a sum too large for 64 bits stays large instead of wrapping to 0";
}

TEST(LinuxMeminfo, AddressSpaceOfFourAndFiveLevelPaging) {
    const auto maps = ParseMaps(
        "55d0c6a3b000-55d0c6a5f000 r--p 00000000 103:02 1311234                   /usr/bin/a b\n"
        "7ffd6c2e1000-7ffd6c302000 rw-p 00000000 00:00 0                          [stack]\n"
        "ffffffffff600000-ffffffffff601000 --xp 00000000 00:00 0                  [vsyscall]\n");
    ASSERT_TRUE(maps);
    ASSERT_EQ(maps->size(), 3u);
    EXPECT_EQ((*maps)[0].name, "/usr/bin/a b") << "names keep their blanks";
    const std::uint64_t used = (0x55d0c6a5f000 - 0x55d0c6a3b000) + (0x7ffd6c302000 - 0x7ffd6c2e1000);
    const auto four = UserAddressSpace(true, *maps);
    EXPECT_EQ(four.total, (1ull << 47) - 4096);
    EXPECT_EQ(four.available, four.total - used) << "[vsyscall] lies outside the user part";

    const auto high = ParseMaps("7f0000000000-7f0000001000 r--p 0 0:0 0\n100000000000000-100000000001000 rw-p 0 0:0 0\n");
    ASSERT_TRUE(high);
    EXPECT_EQ(UserAddressSpace(true, *high).total, (1ull << 56) - 4096) << "a mapping above 2^47: five levels";
    EXPECT_EQ(UserAddressSpace(false, *maps).total, 1ull << 47) << "elsewhere: the power of two holding all";

    EXPECT_FALSE(ParseMaps("zz-10 r--p 0 0:0 0\n")) << "not a hexadecimal range";
    EXPECT_FALSE(ParseMaps("2000-1000 r--p 0 0:0 0\n")) << "a range that ends before it starts";
    EXPECT_FALSE(ParseMaps("1000-2000 r--p\n")) << "too few fields";

    const auto overlapping = ParseMaps("0-ffffffffff601000 r--p 0 0:0 0\n1000-7fff00000000 rw-p 0 0:0 0\n");
    ASSERT_TRUE(overlapping);
    EXPECT_EQ(UserAddressSpace(false, *overlapping).available, 0u) << "mappings adding up past 2^64 leave nothing free";
}

TEST(LinuxProcessorFiles, OnlineListCpuinfoAndArchitecture) {
    EXPECT_EQ(CountCpuList("0-3,6,8-11\n"), 9u);
    EXPECT_EQ(CountCpuList("0\n"), 1u);
    EXPECT_FALSE(CountCpuList("")) << "an empty list is not zero processors";
    EXPECT_FALSE(CountCpuList("3-1")) << "a range backwards";
    EXPECT_FALSE(CountCpuList("0-1-2")) << "a range with three ends";
    EXPECT_FALSE(CountCpuList("0,,2")) << "an empty entry";

    const auto x86 = ParseCpuinfo("processor\t: 0\nvendor_id\t: GenuineIntel\nflags\t\t: fpu lm sse\n\n"
                                  "processor\t: 1\nvendor_id\t: GenuineIntel\nflags\t\t: fpu lm sse\n");
    EXPECT_EQ(x86.processors, 2u);
    EXPECT_TRUE(x86.vendorId);
    EXPECT_TRUE(x86.longMode);
    const auto arm = ParseCpuinfo("processor\t: 0\nBogoMIPS\t: 48.00\nFeatures\t: fp asimd\n");
    EXPECT_FALSE(arm.vendorId);

    EXPECT_TRUE(ArchitectureOf("x86_64\n", arm).x86) << "the kernel's own name wins";
    EXPECT_EQ(ArchitectureOf("i686", x86).longBits, 32u);
    EXPECT_EQ(ArchitectureOf("aarch64", x86).longBits, 64u);
    EXPECT_FALSE(ArchitectureOf("aarch64", x86).x86);
    EXPECT_EQ(ArchitectureOf("armv7l", x86).longBits, 32u);
    EXPECT_TRUE(ArchitectureOf(std::nullopt, x86).x86) << "without the name: vendor_id lines";
    EXPECT_EQ(ArchitectureOf(std::nullopt, ParseCpuinfo("vendor_id : AuthenticAMD\nflags : fpu\n")).longBits, 32u)
        << "an x86 processor without long mode runs a 32-bit kernel";
}

TEST(LinuxProcessorFiles, VirtualClockGivesTheRecordedRateExactly) {
    auto clock = TimeStampClock::Virtual(2600047294u);
    clock.Sleep(10);
    const auto t0 = clock.Read();
    clock.Sleep(500);
    EXPECT_EQ(clock.Read() - t0, 1300023647u);
    auto none = TimeStampClock::Virtual(std::nullopt);
    none.Sleep(500);
    EXPECT_EQ(none.Read(), 0u) << "no recorded rate: the counter stands still";
    EXPECT_FALSE(none.ObservedRate());
}

TEST(LinuxOsRelease, PrettyNameAndKernelRelease) {
    EXPECT_EQ(PrettyName("NAME=\"Debian\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"),
              "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(PrettyName("NAME=Foo\n"), "Linux") << "the default os-release prescribes";
    const auto debian = ParseKernelRelease("6.1.0-13-amd64\n");
    ASSERT_TRUE(debian);
    EXPECT_EQ(debian->major, 6u);
    EXPECT_EQ(debian->minor, 1u);
    EXPECT_EQ(debian->patch, 0u);
    const auto custom = ParseKernelRelease("6.18.44-fc-v1272");
    ASSERT_TRUE(custom);
    EXPECT_EQ(custom->minor, 18u);
    EXPECT_EQ(custom->patch, 44u);
    EXPECT_EQ(ParseKernelRelease("5.4")->patch, 0u);
    EXPECT_FALSE(ParseKernelRelease("6")) << "no minor version";
    EXPECT_FALSE(ParseKernelRelease("v6.1")) << "not starting with a number";
    EXPECT_FALSE(ParseKernelRelease("")) << "empty";
}

TEST(LinuxKeyboardLayouts, TableVariantsAndSources) {
    const auto id = [](const char* layout, const char* variant) { return WindowsLayoutId({layout, variant}); };
    EXPECT_EQ(id("us", ""), "00000409");
    EXPECT_EQ(id("us", "intl"), "00020409");
    EXPECT_EQ(id("us", "dvorak"), "00010409");
    EXPECT_EQ(id("gb", ""), "00000809");
    EXPECT_EQ(id("de", ""), "00000407");
    EXPECT_EQ(id("fr", ""), "0000040C");
    EXPECT_EQ(id("be", ""), "0000080C");
    EXPECT_EQ(id("nl", ""), "00000413");
    EXPECT_EQ(id("br", ""), "00000416");
    EXPECT_EQ(id("br", "abnt2"), "00010416");
    EXPECT_EQ(id("ch", ""), "00000807");
    EXPECT_EQ(id("jp", ""), "00000411");
    EXPECT_EQ(id("ca", ""), "00001009");
    EXPECT_EQ(id("de", "nodeadkeys"), "00000407") << "a variant without its own identifier: the layout's";
    EXPECT_FALSE(id("xx", "")) << "a layout the table does not know";

    const auto first = FirstLayout("de,us", "nodeadkeys,");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->layout, "de");
    EXPECT_EQ(first->variant, "nodeadkeys");
    EXPECT_FALSE(FirstLayout(",us", "")) << "the first layout is empty";

    const std::string rules("evdev\0pc105\0us,ru\0intl,\0grp:alt_shift_toggle\0", 45);
    const auto fromX = LayoutFromRulesNames(rules);
    ASSERT_TRUE(fromX);
    EXPECT_EQ(fromX->layout, "us");
    EXPECT_EQ(fromX->variant, "intl");
    EXPECT_FALSE(LayoutFromRulesNames(std::string("evdev\0pc105", 11))) << "no layouts field";
}

TEST(LinuxDesktopSettings, DoubleClickAndLeftHandedButtons) {
    EXPECT_EQ(GtkDoubleClickTime("[Settings]\ngtk-theme-name=Adwaita\ngtk-double-click-time = 250\n"), 250u);
    EXPECT_FALSE(GtkDoubleClickTime("[Other]\ngtk-double-click-time=250\n")) << "only the Settings group counts";
    EXPECT_FALSE(GtkDoubleClickTime("[Settings]\ngtk-double-click-time=fast\n")) << "not a number";
    EXPECT_EQ(KdeDoubleClickTime("[KDE]\nDoubleClickInterval=600\n"), 600u);
    EXPECT_EQ(KdeLeftHanded("[Mouse]\nMouseButtonMapping=LeftHanded\n"), true);
    EXPECT_EQ(KdeLeftHanded("[Mouse]\nXLbInptLeftHanded=false\n"), false);
    EXPECT_FALSE(KdeLeftHanded("[Keyboard]\nRepeatDelay=600\n"));
    EXPECT_EQ(SwappedInPointerMapping(std::string("\3\2\1\4\5", 5)), true);
    EXPECT_EQ(SwappedInPointerMapping(std::string("\1\2\3", 3)), false);
    EXPECT_FALSE(SwappedInPointerMapping(std::string("\1\2", 2))) << "fewer than three buttons";
}

TEST(LinuxRegionalSettings, TimeFormatsAndMissingSeparators) {
    EXPECT_EQ(ExpandTimeFormat("%r", "%I:%M:%S %p"), "%I:%M:%S %p");
    EXPECT_EQ(ExpandTimeFormat("%T", ""), "%H:%M:%S");
    EXPECT_EQ(ExpandTimeFormat("%OH.%OM uur", ""), "%H.%M uur") << "E and O modifiers dropped";
    EXPECT_EQ(ExpandTimeFormat("%k:%M 100%%", ""), "%H:%M 100%%");

    const auto c = RegionalFromReply(BytesOfText(std::string(".\0\0%H:%M:%S", 11)));
    EXPECT_EQ(c.decimalSeparator, L".");
    EXPECT_EQ(c.thousandsSeparator, L",") << "C has no thousands separator: the English one";
    const auto german = RegionalFromReply(BytesOfText(std::string(",\0.\0%H:%M:%S", 12)));
    EXPECT_EQ(german.decimalSeparator, L",");
    EXPECT_EQ(german.thousandsSeparator, L".");
    const auto french = RegionalFromReply(BytesOfText(std::string(",\0\xE2\x80\xAF\0%H:%M:%S", 14)));
    EXPECT_EQ(french.thousandsSeparator, L"\u202F") << "UTF-8 separators are decoded";
    EXPECT_EQ(RegionalFromReply(BytesOfText("garbage")).timeFormat, L"%H:%M:%S") << "a malformed reply";

    const auto live = RegionalFromReply(LiveRegionalReply("C", "C"));
    EXPECT_EQ(live.decimalSeparator, L".");
    EXPECT_EQ(live.thousandsSeparator, L",");
    EXPECT_EQ(live.timeFormat, L"%H:%M:%S");
    EXPECT_EQ(RegionalFromReply(LiveRegionalReply("xx_NOWHERE.UTF-8", "xx_NOWHERE")).timeFormat, L"%H:%M:%S")
        << "a locale that is not installed counts as C";
}
