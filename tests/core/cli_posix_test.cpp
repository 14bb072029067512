#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <thread>

#include "cli/report/report_command.h"
#include "cli_run.h"
#include "platform/standard_streams.h"
#include "sim_fixture.h"
#include "temp_dir.h"

using namespace testing_support;

// A pipe nobody writes and an endless device are refused before anything is
// read from them: none of these may block or read without end.
TEST(VeltrixReport, AMachineFileIsNeitherAPipeNorADevice) {
    TempDir dir;
    const std::string fifo = dir.File("pipe.json");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, const char*> refused[] = {
        {"/dev/zero", "/dev/zero: is a character device, not a file"},
        {fifo, ": is a named pipe, not a file"},
    };
    for (const auto& [path, expected] : refused) {
        const ReportRun run = Report({"--machine", path});
        ExpectOneLineError(run);
        EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
    }
}

// --output into a named pipe: refused at once without a reader, written
// when one is there.
TEST(ReportOutput, APipeWithoutReaderIsRefusedAtOnceOneWithAReaderIsWritten) {
    const std::string dir = (std::filesystem::temp_directory_path() / "veltrix-fifo-XXXXXX").string();
    std::string made = dir;
    ASSERT_TRUE(::mkdtemp(made.data()));
    const std::string fifo = made + "/pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string machine = testing_support::SourcePath("tests/machines/laptop.json");
    const ReportRun refused = Report({"--machine", machine, "--category", "14", "--output", fifo});
    ExpectOneLineError(refused, cli::kExitFailure);
    EXPECT_NE(refused.err.find("no program reads from this pipe"), std::string::npos) << refused.err;

    std::string read;
    std::thread reader([&] {
        const int fd = ::open(fifo.c_str(), O_RDONLY);
        char buffer[4096];
        for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;) read.append(buffer, static_cast<std::size_t>(n));
        if (fd >= 0) ::close(fd);
    });
    // The reader opens in its own time: the writer tries until it is there.
    int status = cli::kExitFailure;
    for (int attempt = 0; attempt < 500 && status != cli::kExitOk; ++attempt) {
        status = Report({"--machine", machine, "--category", "14", "--output", fifo}).status;
        if (status != cli::kExitOk) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    reader.join();
    EXPECT_EQ(status, cli::kExitOk);
    EXPECT_EQ(read.rfind("Batterij\r\n", 0), 0u) << read;

    const ReportRun devNull = Report({"--machine", machine, "--output", "/dev/null"});
    EXPECT_EQ(devNull.status, cli::kExitOk) << devNull.err;
    std::filesystem::remove_all(made);
}

// Standard output into a pipe whose reader has gone: told apart from a
// failure, whether SIGPIPE was left as it is or ignored (libcups ignores it),
// and the process lives on.
TEST(StandardOutput, APipeWithoutReaderIsTheReaderClosedNotAFailure) {
    for (const auto disposition : {SIG_DFL, SIG_IGN}) {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        ::close(ends[0]);
        const int saved = ::dup(STDOUT_FILENO);
        std::signal(SIGPIPE, disposition);
        ::dup2(ends[1], STDOUT_FILENO);
        const auto result = platform::WriteStandardOutput("Processor\r\n", base::CodePage::kWindows1252);
        ::dup2(saved, STDOUT_FILENO);
        ::close(saved);
        ::close(ends[1]);
        std::signal(SIGPIPE, SIG_DFL);
        EXPECT_EQ(result, platform::OutputResult::kReaderClosed);
    }
    EXPECT_EQ(platform::WriteStandardOutput("", base::CodePage::kWindows1252), platform::OutputResult::kWritten);
}
