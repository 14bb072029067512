#pragma once
// What every category page holds: its tab, its rows in display order, and the
// names of the caption labels. The window lays its pages out from this table
// and the report reads the same captions; nothing here needs a window.

#include <array>
#include <span>
#include <string>
#include <string_view>

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

// Where a row's labels stand: across the page, or one of the two column
// pairs of the USB page.
enum class RowColumn { kFull, kLeft, kRight };

struct PageRow {
    const char* label;          // caption label; the value label adds "value"
    const char* designCaption;  // the English design text
    int row;                    // 1-based; Top = 360 twips x row
    RowColumn column = RowColumn::kFull;
    bool isIndexRow = false;    // "Index:" label, sunken index box and scroll bar
};

struct CategoryPage {
    const char* designTabText;
    int frameHeightTwips;
    bool multiDevice;
    std::span<const PageRow> rows;
};

const CategoryPage& Page(int category);

// A caption label that no page has is a fault of the program's own tables;
// the window and the report both stop on it the same way (std::out_of_range).
[[noreturn]] void NoSuchLabel(std::string_view name);

// "LabelIndex(3)": the index caption of a multi-device page.
std::string IndexLabelName(int category);
// "LabelProcessorNamevalue": the value label beside a caption label.
std::string ValueLabelName(const char* captionLabel);

}  // namespace app
