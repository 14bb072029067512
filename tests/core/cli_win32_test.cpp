#include <gtest/gtest.h>

#include "cli_run.h"
#include "platform/standard_streams.h"
#include "temp_dir.h"

// Last: its macros would rename the machine's operations declared above.
#include <windows.h>

using namespace testing_support;

// A pipe nobody writes and the null device are refused before anything is
// read from them: none of these may block.
TEST(VeltrixReport, AMachineFileIsNeitherAPipeNorADevice) {
    const std::string pipeName = "\\\\.\\pipe\\veltrix-test-" + std::to_string(::GetCurrentProcessId());
    const HANDLE pipe = ::CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    const std::pair<std::string, const char*> refused[] = {
        {"NUL", "NUL: is a character device, not a file"},
        {pipeName, ": is a named pipe, not a file"},
    };
    for (const auto& [path, expected] : refused) {
        const ReportRun run = Report({"--machine", path});
        ExpectOneLineError(run);
        EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
    }
    ::CloseHandle(pipe);
}

// The live machine masks nothing yet and refuses --privacy; a machine file
// is masked by capturing it, here as on Linux.
TEST(VeltrixReport, PrivacyRefusesTheLiveMachineNotAMachineFile) {
    const ReportRun live = Report({"--privacy", "--category", "0"});
    ExpectOneLineError(live);
    EXPECT_EQ(live.err, "veltrix-report: --privacy is not available on Windows yet\n");
    const ReportRun file = Report({"--privacy", "--category", "0", "--machine", Laptop()});
    EXPECT_EQ(file.status, 0) << file.err;
    EXPECT_FALSE(file.out.empty());
}

// Standard output into a pipe whose reader has gone: a write error on
// Windows, told apart from a failure.
TEST(StandardOutput, APipeWithoutReaderIsTheReaderClosedNotAFailure) {
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ASSERT_TRUE(::CreatePipe(&readEnd, &writeEnd, nullptr, 0));
    ::CloseHandle(readEnd);
    const HANDLE saved = ::GetStdHandle(STD_OUTPUT_HANDLE);
    ::SetStdHandle(STD_OUTPUT_HANDLE, writeEnd);
    const auto result = platform::WriteStandardOutput("Processor\r\n", base::CodePage::kWindows1252);
    ::SetStdHandle(STD_OUTPUT_HANDLE, saved);
    ::CloseHandle(writeEnd);
    EXPECT_EQ(result, platform::OutputResult::kReaderClosed);
}
