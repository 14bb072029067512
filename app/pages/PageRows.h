#pragma once
// What a category page holds: its tab texts, its frame, its rows in display
// order with their captions, and the Dutch display lists of its value labels.
// Each category describes its own page in its own file
// (app/pages/<Name>Category.cpp); the window lays its pages out from these
// and the report reads the same captions. Nothing here needs a window.

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
    const char* label;            // caption label; the value label adds "value"
    const char* designCaption;    // the English design text
    const wchar_t* dutchCaption;  // what the translated window shows
    int row;                      // 1-based; Top = 360 twips x row
    RowColumn column = RowColumn::kFull;
    bool isIndexRow = false;      // "Index:" label, sunken index box and scroll bar
};

// The Dutch display list a value label holds in its Tag (app/pages/ValueLists.h).
struct ValueLabelList {
    const char* valueLabel;  // "LabelKeyboardCapslockvalue"
    const wchar_t* entries;  // "Uit;Aan"
};

struct CategoryPage {
    const char* designTabText;
    const wchar_t* dutchTabText;
    int frameHeightTwips;
    bool multiDevice;  // has the index row
    std::span<const PageRow> rows;
    std::span<const ValueLabelList> lists = {};
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
