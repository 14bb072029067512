// Text in ANSI code pages base does not convert itself, converted with the
// system's tables once the Windows machine has installed them.

#include <gtest/gtest.h>

#include <string>

#include "app/pages/ReportWriter.h"
#include "base/codepage.h"
#include "base/system_codepages.h"
#include "platform/win32/system_text.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/windows_machine.h"

namespace {

using base::CodePage;

constexpr auto kCyrillic = static_cast<CodePage>(1251);
constexpr auto kJapanese = static_cast<CodePage>(932);

class SystemCodePages : public ::testing::Test {
protected:
    void SetUp() override { platform::win32::InstallSystemCodePages(); }
};

TEST_F(SystemCodePages, CyrillicAndJapaneseTextDecodeAndEncodeBothWays) {
    const std::string russian = "\xCF\xF0\xE8\xED\xF2\xE5\xF0";  // Принтер
    EXPECT_EQ(base::DecodeText(kCyrillic, russian), L"\u041F\u0440\u0438\u043D\u0442\u0435\u0440");
    EXPECT_EQ(base::EncodeText(kCyrillic, base::DecodeText(kCyrillic, russian)), russian);

    const std::string japanese = "\x93\xFA\x96\x7B\x8C\xEA";  // 日本語, two bytes a character
    EXPECT_EQ(base::DecodeText(kJapanese, japanese), L"\u65E5\u672C\u8A9E");
    EXPECT_EQ(base::EncodeText(kJapanese, L"\u65E5\u672C\u8A9E"), japanese);
    // A buffer's text ends at its first zero byte, whatever the code page.
    EXPECT_EQ(base::TextFromBuffer(kJapanese, std::string(japanese + '\0' + "junk")), L"\u65E5\u672C\u8A9E");
}

TEST_F(SystemCodePages, WhatTheCodePageCannotHoldBecomesAQuestionMarkNeverALookAlike) {
    // A full-width solidus must not come back as the "/" of a device path,
    // nor a Latin letter with a mark as the bare letter.
    EXPECT_EQ(base::EncodeText(kCyrillic, L"a\uFF0Fb\u00E9"), "a?b?");
    EXPECT_EQ(base::EncodeText(kJapanese, L"\u0416"), "\x84\x47");  // Ж is in 932
    EXPECT_EQ(base::EncodeText(kJapanese, L"\u00E9"), "?");
}

TEST_F(SystemCodePages, WesternAndUtf8StayWithBaseAndAnUnknownPageReadsAsWindows1252) {
    EXPECT_EQ(base::DecodeText(CodePage::kWindows1252, "\x80\x81"), L"\u20AC\u0081");
    EXPECT_EQ(base::DecodeText(CodePage::kUtf8, "\xC3\xA9"), L"\u00E9");
    EXPECT_EQ(base::DecodeText(static_cast<CodePage>(4), "\xE9"), L"\u00E9");  // no code page 4
    EXPECT_EQ(base::EncodeText(static_cast<CodePage>(4), L"\u00E9\u0416"), "\xE9?");
}

TEST_F(SystemCodePages, TheMachineAndTheReportUseTheAnsiCodePage) {
    platform::win32::WindowsMachine machine;
    EXPECT_EQ(static_cast<UINT>(machine.TextCodePage()), ::GetACP());
    EXPECT_EQ(static_cast<UINT>(base::ReportCodePage()), ::GetACP());
    // A system whose ANSI code page is Cyrillic writes its report in it.
    platform::win32::InstallSystemCodePages(1251);
    EXPECT_EQ(app::ReportWriter::Encode({L"\u041F\u0440\u0438\u043D\u0442\u0435\u0440: \u00E9"}),
              "\xCF\xF0\xE8\xED\xF2\xE5\xF0: ?\r\n");
    platform::win32::InstallSystemCodePages();
    EXPECT_EQ(static_cast<UINT>(base::ReportCodePage()), ::GetACP());
}

}  // namespace

// Run with a Russian locale (tests/win32/CMakeLists.txt), where the system's
// ANSI code page is 1251: the machine's texts decode with it.
TEST(RussianSystem, TheMachineDecodesItsTextsWithCodePage1251) {
    if (::GetACP() != 1251) GTEST_SKIP() << "the ANSI code page is " << ::GetACP() << ", not 1251";
    platform::win32::WindowsMachine machine;
    EXPECT_EQ(static_cast<UINT>(machine.TextCodePage()), 1251u);
    EXPECT_EQ(static_cast<UINT>(base::ReportCodePage()), 1251u);
    // The language's own name, as an A function hands it over.
    char name[64] = {};
    ASSERT_GT(::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SNATIVELANGNAME, name, sizeof name), 0);
    EXPECT_EQ(base::TextFromBuffer(machine.TextCodePage(), std::string_view(name, sizeof name)),
              L"\u0440\u0443\u0441\u0441\u043A\u0438\u0439");
    EXPECT_EQ(app::ReportWriter::Encode({L"\u0440\u0443\u0441\u0441\u043A\u0438\u0439"}),
              "\xF0\xF3\xF1\xF1\xEA\xE8\xE9\r\n");
}
