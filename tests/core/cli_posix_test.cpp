#include <gtest/gtest.h>

#include <sys/stat.h>

#include "cli_run.h"
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
