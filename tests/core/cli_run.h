#pragma once
// Running veltrix-report's command in the test's own process.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/report/report_command.h"
#include "sim_fixture.h"

namespace testing_support {

struct ReportRun {
    int status;
    std::string out;
    std::string err;
};

inline ReportRun Report(std::vector<std::string> args) {
    cli::StringOutput out;
    std::ostringstream err;
    const int status = cli::RunReport(args, out, err);
    return {status, out.text, err.str()};
}

inline std::string Laptop() { return SourcePath("tests/machines/laptop.json"); }

// A refusal: status 2 (bad input) or 1 (a write failed), nothing on standard
// output, one line on standard error.
inline void ExpectOneLineError(const ReportRun& run, int status = cli::kExitUsage) {
    EXPECT_EQ(run.status, status);
    EXPECT_TRUE(run.out.empty());
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_EQ(run.err.rfind("veltrix-report: ", 0), 0u) << run.err;
}

}  // namespace testing_support
