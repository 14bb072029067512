// The shared window cases' program: the toolkit's application first, as in
// the window itself, then the cases.
#include <gtest/gtest.h>

#include "window/ui/application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the cases needs no display.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    window::ui::Application application(argc, argv, L"veltrix-window-cases");
    return RUN_ALL_TESTS();
}
