// The Win32 side of the window: every caption and value of every page fits
// its label in the face the system draws "MS Sans Serif" in (under Wine:
// Wine's own, from fonts-wine, linked into the test's prefix; without it,
// Liberation Sans at full width, wider still).

#include <gtest/gtest.h>

#include <string>

#include "app/FormVeltrix.h"
#include "label_fit.h"
#include "platform/machine_factory.h"
#include "window/ui/application.h"

namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class CaptionFit : public ::testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(CaptionFit, EveryCaptionAndValueFitsItsLabel) {
    platform::MachineOptions options;
    options.machineFile = std::string(VELTRIX_SOURCE_DIR) + "/tests/machines/" + GetParam();
    auto created = platform::CreateMachine(options);
    ASSERT_TRUE(created.machine) << created.error;
    app::FormVeltrix form(*created.machine);
    form.Load();
    std::string cut;
    for (const auto& line : testing_support::CutLabelsOfEveryPage(form)) cut += Narrow(line) + "\n";
    EXPECT_TRUE(cut.empty()) << cut;
}

INSTANTIATE_TEST_SUITE_P(Machines, CaptionFit,
                         ::testing::Values("desktop.json", "laptop.json", "workstation.json", "windows-drives.json",
                                           "charging-laptop.json", "old-processor.json", "gaming-desktop.json"),
                         [](const auto& info) {
                             std::string name(info.param);
                             name.erase(name.find('.'));
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    window::ui::Application application(argc, argv, L"Veltrix");
    return RUN_ALL_TESTS();
}
