// The captured trees recorded as machine files: each tree's machine file,
// reported with --machine, equals the tree's own report with --root, byte
// for byte, in text and in JSON.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "cli/capture/machine_capture.h"
#include "platform/machine_factory.h"
#include "support.h"

namespace {

std::vector<std::string> Trees() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(VELTRIX_TREES_DIR))
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Report(const std::vector<std::string>& args) {
    std::vector<std::string> command = {VELTRIX_REPORT_PROGRAM};
    command.insert(command.end(), args.begin(), args.end());
    const auto run = linux_tests::RunProgram(command);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return run.out;
}

}  // namespace

class TreeMachineFile : public testing::TestWithParam<std::string> {};

TEST_P(TreeMachineFile, ReportsAsTheTreeDoes) {
    const std::string tree = std::string(VELTRIX_TREES_DIR) + "/" + GetParam();
    platform::MachineOptions options;
    options.root = tree;
    auto created = platform::CreateMachine(options);
    ASSERT_TRUE(created.machine) << created.error;
    linux_tests::TempDir out;
    const std::string file = out.Path() + "/machine.json";
    std::ofstream(file, std::ios::binary) << cli::CaptureMachineFile(*created.machine, GetParam());
    for (const std::string format : {"text", "json"}) {
        const std::string fromTree = Report({"--root", tree, "--format", format});
        const std::string fromFile = Report({"--machine", file, "--format", format});
        ASSERT_FALSE(fromTree.empty());
        if (fromFile == fromTree) continue;
        const auto a = linux_tests::ReportLines(fromFile), e = linux_tests::ReportLines(fromTree);
        for (std::size_t i = 0; i < std::max(a.size(), e.size()); ++i)
            EXPECT_EQ(i < a.size() ? a[i] : "(none)", i < e.size() ? e[i] : "(none)") << format << " line " << i + 1;
        ADD_FAILURE() << format << " differs; machine file:\n" << linux_tests::ReadWholeFile(file);
    }
}

INSTANTIATE_TEST_SUITE_P(Trees, TreeMachineFile, testing::ValuesIn(Trees()), [](const auto& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});
