// The recorded-reply files: their text form, a tree's replies, and a tree
// that must never ask this machine.
#include <gtest/gtest.h>

#include "platform/linux/areas/linux_machine.h"
#include "platform/linux/io/replies.h"
#include "platform/linux/io/reply_file.h"
#include "platform/machine_factory.h"
#include "support.h"

using namespace platform::linux_backend;

TEST(LinuxReplyFile, HexBytesQuotedTextAndComments) {
    const auto parsed = ParseReplyFile(
        "# heading\n"
        "47 65 6E 75   # upper or lower case\n"
        "\n"
        "\"ine\\x49\" \"ntel\\0\\\\\\\"\\n\\t\"  # escapes\n"
        "\t0a\r\n");
    ASSERT_TRUE(parsed.bytes) << parsed.error;
    EXPECT_EQ(TextOfBytes(*parsed.bytes), std::string("GenuineIntel\0\\\"\n\t\n", 18));
    const auto empty = ParseReplyFile("# nothing but a comment\n");
    ASSERT_TRUE(empty.bytes);
    EXPECT_TRUE(empty.bytes->empty()) << "an empty reply is a reply";
}

TEST(LinuxReplyFile, MalformedFilesNameTheLine) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"00 01\nzz\n", "line 2: \"zz\" is neither"},
        {"0\n", "line 1: \"0\" is neither"},
        {"001 02\n", "line 1: \"001\" is neither"},
        {"00\n00\n\"open\n", "line 3: quoted text is not closed"},
        {"\"\\q\"", "line 1: unknown escape \\q"},
        {"\"\\x4\"", "line 1: \\x must be followed by two hexadecimal digits"},
        {"00 01#comment\n0x41\n", "line 2: \"0x41\" is neither"},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseReplyFile(c.text);
        EXPECT_FALSE(parsed.bytes) << c.text;
        EXPECT_EQ(parsed.error.rfind(c.error, 0), 0u) << parsed.error;
    }
}

TEST(LinuxReplyFile, WhatTheCaptureWritesReadsBack) {
    Bytes all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<std::uint8_t>(i));
    const auto text = FormatReplyFile("cpuid", "80000002", all);
    const auto parsed = ParseReplyFile(text);
    ASSERT_TRUE(parsed.bytes) << parsed.error;
    EXPECT_EQ(*parsed.bytes, all) << "quote, hash and backslash in the printable column are comments";
    EXPECT_EQ(ParseReplyFile(FormatReplyFile("x", "y", {})).bytes, Bytes{});
}

TEST(LinuxRecordedReplies, ATreeAnswersFromItsFilesOnly) {
    linux_tests::TempDir tree;
    tree.Write(".veltrix/replies/cpuid/00000000.hex", "0d 00 00 00 \"GenuntelineI\"\n");
    tree.Write(".veltrix/replies/cpuid/NOTES.txt", "not a reply\n");
    tree.Write(".veltrix/replies/x11/xkb-rules-names.hex", "\"evdev\\0pc105\\0gb\\0\\0\\0\"\n");
    RootFs fs(tree.Path());
    RecordedReplies replies(fs);
    EXPECT_EQ(replies.Error(), "");
    EXPECT_EQ(replies.Count(), 2u);
    EXPECT_FALSE(replies.IsLive());
    bool asked = false;
    const auto leaf0 = replies.Ask("cpuid", "00000000", [&] {
        asked = true;
        return std::optional<Bytes>();
    });
    ASSERT_TRUE(leaf0);
    EXPECT_EQ(leaf0->size(), 16u);
    EXPECT_FALSE(replies.Ask("cpuid", "00000001", nullptr)) << "no recorded reply: the request failed";
    EXPECT_FALSE(asked) << "a tree never asks the live machine";

    // Even with a display at hand the tree answers only from its replies.
    LinuxMachineOptions options;
    options.root = tree.Path();
    options.session.display = ":0";
    LinuxMachine machine(std::move(options));
    EXPECT_FALSE(machine.IsLive());
    EXPECT_EQ(machine.ExecuteCPUID(0).ebx, 0x756E6547u);
    EXPECT_EQ(machine.ExecuteCPUID(1).eax, 0u) << "an unrecorded leaf reads as zeros";
    EXPECT_EQ(machine.GetKeyboardLayoutName(), "00000809");
    EXPECT_FALSE(machine.SystemParametersInfo(platform::code::kSpiGetKeyboardDelay));
    EXPECT_EQ(machine.ReadTimeStampCounter(), 0u) << "no recorded rate";
}

TEST(LinuxRecordedReplies, AMalformedReplyFailsTheWholeTreeLoudly) {
    linux_tests::TempDir tree;
    tree.Write(".veltrix/replies/cpuid/00000000.hex", "00 00 00 00\n");
    tree.Write(".veltrix/replies/tsc/rate.hex", "# rate\n00 d2 49 6b 00 00 00 0\n");
    std::string error;
    EXPECT_FALSE(OpenLinuxMachine(tree.Path(), error));
    EXPECT_NE(error.find("/.veltrix/replies/tsc/rate.hex: line 2: \"0\""), std::string::npos) << error;

    const auto created = platform::CreateMachine({"", tree.Path()});
    EXPECT_FALSE(created.machine) << "the factory passes the reason on";
    EXPECT_EQ(created.error, error);

    EXPECT_FALSE(OpenLinuxMachine(tree.Path() + "/missing", error));
    EXPECT_NE(error.find("not a directory"), std::string::npos) << error;
}

TEST(LinuxRecordedReplies, TerminalControlsInRepliesAndNamesAreShownEscaped) {
    linux_tests::TempDir tree;
    tree.Write(".veltrix/replies/tsc/rate.hex", "00 \x1B[2J\x07\n");
    const auto badByte = platform::CreateMachine({"", tree.Path()});
    EXPECT_NE(badByte.error.find("rate.hex: line 1: \"\\x1B[2J\\x07\" is neither"), std::string::npos)
        << badByte.error;

    linux_tests::TempDir named;
    named.Write(".veltrix/replies/tsc/\x1B]0;owned\x07.hex", "00\n");
    const auto badName = platform::CreateMachine({"", named.Path()});
    EXPECT_NE(badName.error.find("/tsc/\\x1B]0;owned\\x07.hex: the request name is not a valid name"),
              std::string::npos)
        << badName.error;
    for (const auto* error : {&badByte.error, &badName.error}) {
        EXPECT_EQ(error->find('\x1B'), std::string::npos);
        EXPECT_EQ(error->find('\x07'), std::string::npos);
    }
}

TEST(LinuxRecordedReplies, NumbersAndNames) {
    Bytes b;
    AppendLe16(b, 0x0294);
    AppendLe32(b, 0x756E6547);
    AppendLe64(b, 2600047294u);
    EXPECT_EQ(ReadLe16(b, 0), 0x0294);
    EXPECT_EQ(ReadLe32(b, 2), 0x756E6547u);
    EXPECT_EQ(ReadLe64(b, 6), 2600047294u);
    EXPECT_FALSE(ReadLe64(b, 7)) << "runs past the end";
    EXPECT_FALSE(ReadLe16(b, 100)) << "starts past the end";
    EXPECT_TRUE(IsValidReplyName("xkb-rules-names"));
    EXPECT_TRUE(IsValidReplyName("sda.inquiry_page-80"));
    EXPECT_FALSE(IsValidReplyName("../etc")) << "no way out of the replies directory";
    EXPECT_FALSE(IsValidReplyName(".hidden"));
    EXPECT_FALSE(IsValidReplyName("a/b"));
    EXPECT_FALSE(IsValidReplyName(""));
}
