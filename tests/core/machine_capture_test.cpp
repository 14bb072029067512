// The machine file capture: every shipped machine recorded through the
// recording machine, written as a machine file and read back, reports the
// same as the original, byte for byte, in text and in JSON.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/pages/CollectorSet.h"
#include "app/pages/JsonReport.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
#include "cli/capture/machine_capture.h"
#include "sim_fixture.h"

using testing_support::ReadFile;
using testing_support::SimFrom;
using testing_support::SourcePath;

namespace {

std::string TextReport(platform::Machine& machine) {
    app::CollectorSet collectors(machine);
    const app::TranslatedWindowTexts texts;
    return app::ReportWriter(collectors, texts).Compose(app::kAllCategories).value();
}

std::string JsonReport(platform::Machine& machine) {
    app::CollectorSet collectors(machine);
    const app::TranslatedWindowTexts texts;
    return app::JsonReport(collectors, texts).Compose(app::kAllCategories, "test").value();
}

std::vector<std::string> ShippedMachines() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(SourcePath("tests/machines")))
        if (entry.path().extension() == ".json") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(MachineCapture, EveryShippedMachineReportsTheSameFromItsCapture) {
    const auto files = ShippedMachines();
    ASSERT_GE(files.size(), 7u);
    for (const auto& file : files) {
        const std::string original = ReadFile(file);
        auto recorded = SimFrom(original);
        const std::string captured = cli::CaptureMachineFile(*recorded, "captured");
        std::unique_ptr<platform::sim::SimMachine> replay;
        ASSERT_NO_THROW(replay = SimFrom(captured)) << file << "\n" << captured;
        EXPECT_EQ(TextReport(*replay), TextReport(*SimFrom(original))) << file << "\n" << captured;
        EXPECT_EQ(JsonReport(*SimFrom(captured)), JsonReport(*SimFrom(original))) << file;
    }
}
