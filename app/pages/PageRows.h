#pragma once
// What a category page holds: its tab texts, its frame and its rows in
// display order, each row a field's declaration (app/pages/FieldDeclaration.h)
// with its captions and the Dutch display list of its value label. Each
// category describes its own page in its own file
// (app/pages/<Name>Category.cpp); the window lays its pages out from these
// and the report reads the same captions. Nothing here needs a window.

#include <span>
#include <string>
#include <string_view>

#include "app/pages/FieldDeclaration.h"

namespace app {

inline constexpr int kCategoryCount = 15;

enum Category : int {
    kProcessor = 0,
    kMemoryUsage = 1,
    kDisplay = 2,
    kNetwork = 3,
    kSound = 4,
    kKeyboard = 5,
    kMouse = 6,
    kPrinters = 7,
    kJoysticks = 8,
    kHardDrives = 9,
    kOpticalDrives = 10,
    kLogicalDrives = 11,
    kPorts = 12,
    kUSBDevices = 13,
    kBattery = 14,
};

struct CategoryPage {
    const char* designTabText;
    const wchar_t* dutchTabText;
    int frameHeightTwips;
    bool multiDevice;  // has the index row
    // Its fields in display order, page-only rows (the index row) included.
    std::span<const FieldDeclaration> rows;
};

// The page of a category (0-14), read from the category table
// (app/pages/Categories.h); std::out_of_range for any other number.
const CategoryPage& Page(int category);

// A caption label that no page has is a fault of the program's own tables;
// the window and the report both stop on it the same way (std::out_of_range).
[[noreturn]] void NoSuchLabel(std::string_view name);

// "LabelIndex(3)": the index caption of a multi-device page.
std::string IndexLabelName(int category);
// "LabelProcessorNamevalue": the value label beside a caption label.
std::string ValueLabelName(const char* captionLabel);

}  // namespace app
