// Standard output into a console, a pipe and a file. A console shows text in
// its own code page (the OEM one, 850 in Western Europe), so the report's
// ANSI bytes written to it as bytes show "Données" as "DonnÚes"; written as
// wide text they show as they are. Pipes and files keep the bytes.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "built_program_path.h"
#include "platform/standard_streams.h"

namespace {

// The process's own console, standard output pointed at it for the test.
class ConsoleOutput : public ::testing::Test {
protected:
    void SetUp() override {
        ::FreeConsole();
        if (!::AllocConsole()) GTEST_SKIP() << "no console could be made (error " << ::GetLastError() << ")";
        screen_ = ::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(screen_, INVALID_HANDLE_VALUE);
        DWORD mode = 0;
        if (!::GetConsoleMode(screen_, &mode)) GTEST_SKIP() << "the console does not answer (Wine's needs a display)";
        saved_ = ::GetStdHandle(STD_OUTPUT_HANDLE);
        ::SetStdHandle(STD_OUTPUT_HANDLE, screen_);
        // The code page a Western European console starts in.
        ASSERT_TRUE(::SetConsoleOutputCP(850));
    }
    void TearDown() override {
        if (screen_ == nullptr) return;
        ::SetStdHandle(STD_OUTPUT_HANDLE, saved_);
        ::CloseHandle(screen_);
        ::FreeConsole();
    }

    // Row `row` of the console's screen, `length` characters from its left.
    std::wstring Row(short row, DWORD length) const {
        std::wstring text(length, L' ');
        DWORD read = 0;
        ::ReadConsoleOutputCharacterW(screen_, text.data(), length, COORD{0, row}, &read);
        text.resize(read);
        return text;
    }

    HANDLE screen_ = nullptr;
    HANDLE saved_ = nullptr;
};

}  // namespace

TEST_F(ConsoleOutput, TheReportsCodePageReachesTheConsoleAsWideText) {
    // "Données" in Windows-1252 (E9), then in UTF-8 (C3 A9), and a character
    // past the Basic Multilingual Plane as UTF-8 (a surrogate pair on the screen).
    ASSERT_EQ(platform::WriteStandardOutput("Donn\xE9" "es\r\n", base::CodePage::kWindows1252),
              platform::OutputResult::kWritten);
    ASSERT_EQ(platform::WriteStandardOutput("Donn\xC3\xA9" "es \xE2\x82\xAC\r\n", base::CodePage::kUtf8),
              platform::OutputResult::kWritten);
    EXPECT_EQ(Row(0, 7), L"Donn\u00E9es");
    EXPECT_EQ(Row(1, 9), L"Donn\u00E9es \u20AC");
    EXPECT_EQ(platform::WriteStandardOutput("", base::CodePage::kWindows1252), platform::OutputResult::kWritten);

    // A report longer than one call to the console takes, whole.
    std::string many;
    for (int line = 0; line < 400; ++line) many += "Naam: Caf\xE9 " + std::to_string(line) + "\r\n";
    ASSERT_EQ(platform::WriteStandardOutput(many, base::CodePage::kWindows1252), platform::OutputResult::kWritten);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    ASSERT_TRUE(::GetConsoleScreenBufferInfo(screen_, &info));
    EXPECT_EQ(Row(static_cast<short>(info.dwCursorPosition.Y - 1), 14), L"Naam: Caf\u00E9 399");
}

// veltrix-report.exe itself, started in this console as from a prompt: a
// printer's name with an accented letter shows as it is.
TEST_F(ConsoleOutput, TheReportCommandWritesItsNamesToTheConsoleAsTheyAre) {
    char folder[MAX_PATH] = {};
    ASSERT_NE(::GetTempPathA(MAX_PATH, folder), 0u);
    const std::string machine = std::string(folder) + "veltrix-console-test.json";
    const std::string json = "{\"spooler\": {\"printers\": [{\"name\": \"Donn\xC3\xA9" "es\"}]}}";
    const HANDLE file = ::CreateFileA(machine.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, json.data(), static_cast<DWORD>(json.size()), &written, nullptr);
    ::CloseHandle(file);

    std::string command = "\"" + testing_support::BuiltProgramPath(VELTRIX_REPORT_EXE) + "\" --category 7 --machine \"" +
                          machine + "\"";
    STARTUPINFOA start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process));
    ASSERT_EQ(::WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    DWORD status = 1;
    ::GetExitCodeProcess(process.hProcess, &status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ::DeleteFileA(machine.c_str());
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(Row(0, 8), L"Printers");
    EXPECT_EQ(Row(3, 13), L"Naam: Donn\u00E9es");
}

TEST(PipeOutput, APipeReceivesTheBytesAsTheyAre) {
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ASSERT_TRUE(::CreatePipe(&readEnd, &writeEnd, nullptr, 1 << 16));
    const HANDLE saved = ::GetStdHandle(STD_OUTPUT_HANDLE);
    ::SetStdHandle(STD_OUTPUT_HANDLE, writeEnd);
    const auto result = platform::WriteStandardOutput("Donn\xE9" "es\r\n", base::CodePage::kWindows1252);
    ::SetStdHandle(STD_OUTPUT_HANDLE, saved);
    ::CloseHandle(writeEnd);
    EXPECT_EQ(result, platform::OutputResult::kWritten);
    char bytes[32] = {};
    DWORD read = 0;
    ASSERT_TRUE(::ReadFile(readEnd, bytes, sizeof bytes, &read, nullptr));
    ::CloseHandle(readEnd);
    EXPECT_EQ(std::string(bytes, read), "Donn\xE9" "es\r\n") << "the ANSI code page's bytes, CR LF kept";
}
