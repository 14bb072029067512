// Input that would cost without bound: machine files nested millions deep or
// naming a key twice, error lines that would quote a megabyte, and a report
// written into a pipe that nobody reads.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <thread>

#include "cli/report/report_command.h"
#include "platform/sim/sim_reader.h"
#include "sim_fixture.h"

using platform::sim::ParseMachineText;
using platform::sim::SimFileError;

namespace {

std::string ErrorOf(const std::string& text) {
    try {
        testing_support::SimFrom(text);
    } catch (const SimFileError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(MachineFileLimits, NestingStopsAtItsLimitWithLineAndColumn) {
    const int limit = platform::sim::kMaxMachineDepth;
    // At the limit a file still reads; one level more is refused where it starts.
    const std::string deepest = "{\"comment\": \"x\", \"live\": " + std::string(limit - 1, '[') +
                                std::string(limit - 1, ']') + "}";
    EXPECT_NO_THROW(ParseMachineText(deepest));
    const std::string tooDeep = "{\n  \"live\": " + std::string(limit, '[') + std::string(limit, ']') + "}";
    EXPECT_EQ(ErrorOf(tooDeep), "line 2, column " + std::to_string(11 + limit - 1) + ": nested deeper than " +
                                    std::to_string(limit) + " levels");
    // Sixteen million brackets are refused after the first few dozen.
    const std::string huge(16u << 20, '[');
    EXPECT_EQ(ErrorOf(huge), "line 1, column " + std::to_string(limit + 1) + ": nested deeper than " +
                                 std::to_string(limit) + " levels");
}

TEST(MachineFileLimits, AKeyGivenTwiceInOneObjectIsRefusedWhereItIsGivenAgain) {
    EXPECT_EQ(ErrorOf("{\"memory\": {\"load\": 1,\n  \"load\": 2}}"),
              "line 2, column 3: the key \"load\" is given twice in one object");
    // Escapes spell the same key.
    EXPECT_EQ(ErrorOf("{\"comment\": \"a\", \"comm\\u0065nt\": \"b\"}"),
              "line 1, column 18: the key \"comment\" is given twice in one object");
    // The same key in two objects, and keys that differ only in case, are different keys.
    EXPECT_NO_THROW(ParseMachineText(R"({"memory": {"load": 1}, "live": [{"memory": {"load": 2}}]})"));
    EXPECT_NO_THROW(ParseMachineText(R"({"registry": {"A": {"x": "1", "X": "2"}}})"));
}

TEST(MachineFileLimits, ErrorLinesQuoteAtMostAFewHundredBytes) {
    const std::string key(1u << 20, 'k');
    const std::string message = ErrorOf("{\"" + key + "\": 1}");
    EXPECT_LT(message.size(), 600u) << message.substr(0, 200);
    EXPECT_NE(message.find(" bytes)"), std::string::npos) << message.substr(0, 600);
    // A text cut in the middle of a character keeps whole characters only.
    const std::string cut = platform::InputExcerpt(std::string(199, 'a') + "\xC3\xA9" + "b", 200);
    EXPECT_EQ(cut, std::string(199, 'a') + "... (202 bytes)");
    EXPECT_EQ(platform::InputExcerpt(std::string(200, 'a'), 200), std::string(200, 'a')) << "at the limit: whole";
}

TEST(ReportOutput, APipeWithoutReaderIsRefusedAtOnceOneWithAReaderIsWritten) {
    const std::string dir = (std::filesystem::temp_directory_path() / "veltrix-fifo-XXXXXX").string();
    std::string made = dir;
    ASSERT_TRUE(::mkdtemp(made.data()));
    const std::string fifo = made + "/pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string machine = testing_support::SourcePath("tests/machines/laptop.json");
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunReport({"--machine", machine, "--category", "14", "--output", fifo}, out, err), cli::kExitUsage);
    EXPECT_NE(err.str().find("no program reads from this pipe"), std::string::npos) << err.str();

    std::string read;
    std::thread reader([&] {
        const int fd = ::open(fifo.c_str(), O_RDONLY);
        char buffer[4096];
        for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;) read.append(buffer, static_cast<std::size_t>(n));
        if (fd >= 0) ::close(fd);
    });
    // The reader opens in its own time: the writer tries until it is there.
    int status = cli::kExitUsage;
    for (int attempt = 0; attempt < 500 && status != cli::kExitOk; ++attempt) {
        std::ostringstream o, e;
        status = cli::RunReport({"--machine", machine, "--category", "14", "--output", fifo}, o, e);
        if (status != cli::kExitOk) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    reader.join();
    EXPECT_EQ(status, cli::kExitOk);
    EXPECT_EQ(read.rfind("Batterij\r\n", 0), 0u) << read;

    std::ostringstream o, e;
    EXPECT_EQ(cli::RunReport({"--machine", machine, "--output", "/dev/null"}, o, e), cli::kExitOk) << e.str();
    std::filesystem::remove_all(made);
}
