// Each field declared once: the schema written from the declarations is the
// checked-in docs/report.schema.json to the byte, what a comparison of two
// reports learns from the table (the keys that name a device, the keys that
// change by themselves), and what the 500 ms timer rewrites on the three
// pages it refreshes.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/pages/Categories.h"
#include "app/pages/ReportSchema.h"
#include "sim_fixture.h"

using namespace app;
using testing_support::ReadFile;
using testing_support::SourcePath;

namespace {

// The JSON keys of a category's fields that `flag` marks, in table order.
std::map<std::string, std::vector<std::string>> KeysMarked(bool FieldDeclaration::*flag) {
    std::map<std::string, std::vector<std::string>> marked;
    for (const CategoryRow& row : CategoryTable())
        for (const FieldDeclaration& field : Fields(row))
            if (field.*flag) marked[row.page.designTabText].push_back(field.json.key);
    return marked;
}

class LabelsWritten final : public FieldSink {
public:
    void Write(const char* captionLabel, FieldKind, const FieldValue&) override { labels.push_back(captionLabel); }
    std::vector<std::string> labels;
};

}  // namespace

// On a difference the schema as the table has it is written beside the build,
// to be reviewed and copied over the checked-in file.
TEST(FieldDeclarations, TheSchemaFileIsTheOneTheTableWrites) {
    const std::string schema = ReportSchema();
    const std::string file = ReadFile(SourcePath("docs/report.schema.json"));
    ASSERT_FALSE(file.empty());
    if (schema != file) {
        const std::string written = std::string(VELTRIX_BINARY_DIR) + "/report.schema.json";
        std::ofstream(written, std::ios::binary) << schema;
        FAIL() << "docs/report.schema.json differs from the field declarations; the table's schema is in " << written;
    }
}

// A device's place in its list is no name (it moves when one before it
// goes), nor is a setting such as the keyboard's layout; a display mode is
// named by its figures.
TEST(FieldDeclarations, IdentityNamesTheDeviceBySerialModelOrPlace) {
    const std::map<std::string, std::vector<std::string>> expected = {
        {"Processor", {"Name", "ManufacturerID", "SerialNumber", "BaseFamilyID", "BaseModelID", "SteppingID"}},
        {"Display", {"Name", "Monitor", "ScreenWidth", "ColorBits", "RefreshFrequency"}},
        {"Network", {"Name", "MACAddress"}},
        {"Sound", {"Name", "SoundType"}},
        {"Keyboard", {"KeyboardType"}},
        {"Printers", {"Name", "Port"}},
        {"Joysticks", {"Name"}},
        {"Hard Drives", {"Name", "SerialNumber", "Controller"}},
        {"Optical Drives", {"Name", "Manufacturer"}},
        {"Logical Drives", {"Letter", "SerialNumber"}},
        {"Ports", {"Name"}},
        {"USB Devices", {"Name", "Manufacturer", "SerialNumber", "VendorID", "ProductID"}},
    };
    EXPECT_EQ(KeysMarked(&FieldDeclaration::identity), expected);
}

TEST(FieldDeclarations, LiveFieldsAreTheOnesThatChangeByThemselves) {
    const std::map<std::string, std::vector<std::string>> expected = {
        {"Processor", {"Speed"}},
        {"Memory Usage", {"AvailablePhysical", "AvailableVirtual", "Load"}},
        {"Keyboard", {"CapsLockStatus", "NumLockStatus", "ScrollLockStatus"}},
        {"Logical Drives", {"FreeSpace"}},
        {"Battery", {"PowerStatus", "ChargeStatus", "LifePercent", "LifeTime"}},
    };
    EXPECT_EQ(KeysMarked(&FieldDeclaration::live), expected);
    for (const CategoryRow& row : CategoryTable())
        for (const FieldDeclaration& field : Fields(row)) {
            EXPECT_FALSE(field.identity && field.live) << field.label << ": a name that changes by itself names nothing";
            if (!field.HasValue()) {
                EXPECT_FALSE(field.identity || field.live) << field.label;
            }
        }
}

// Memory rewrites every row (its totals are read in the same call); the
// keyboard only its lock keys; the battery all of its rows, which all change.
TEST(FieldDeclarations, TheTimerRewritesWhatItsCategoryRefreshes) {
    auto machine = testing_support::SimMachineFile("laptop.json");
    const format::FormatEx format;
    const std::map<int, std::vector<std::string>> expected = {
        {kMemoryUsage,
         {"LabelMemoryusageTotalphysical", "LabelMemoryusageAvailablephysical", "LabelMemoryusageTotalvirtual",
          "LabelMemoryusageAvailablevirtual", "LabelMemoryusageLoad"}},
        {kKeyboard, {"LabelKeyboardCapslock", "LabelKeyboardNumlock", "LabelKeyboardScrolllock"}},
        {kBattery,
         {"LabelBatteryPowerstatus", "LabelBatteryChargestatus", "LabelBatteryLifepercent", "LabelBatteryLifetime"}},
    };
    for (const CategoryRow& row : CategoryTable()) {
        LabelsWritten sink;
        row.kind.MakePage(*machine)->Refresh(sink, format);
        const auto wanted = expected.find(row.category);
        EXPECT_EQ(sink.labels, wanted == expected.end() ? std::vector<std::string>{} : wanted->second)
            << row.page.designTabText;
        EXPECT_EQ(row.refreshedByTimer, wanted != expected.end()) << row.page.designTabText;
    }
}

// A field of one category's table is not another's, and the accessor finds
// each field by its caption label.
TEST(FieldDeclarations, FieldOfFindsEveryLabelOfItsOwnCategoryOnly) {
    for (const CategoryRow& row : CategoryTable())
        for (const FieldDeclaration& field : Fields(row)) EXPECT_EQ(&FieldOf(row, field.label), &field);
    EXPECT_THROW(FieldOf(CategoryRowOf(kPorts), "LabelPrintersName"), std::out_of_range);
    EXPECT_THROW(FieldOf(CategoryRowOf(kPorts), "LabelPortsNmae"), std::out_of_range);
}

// Rows run from 1 without a gap, each place on a page taken once: a full row
// alone on its line, or a left and a right pair side by side.
TEST(FieldDeclarations, EveryRowHasAPlaceOfItsOwn) {
    for (const CategoryRow& row : CategoryTable()) {
        SCOPED_TRACE(row.page.designTabText);
        std::map<int, std::vector<RowColumn>> lines;
        for (const FieldDeclaration& field : Fields(row)) lines[field.row].push_back(field.column);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.begin()->first, 1);
        EXPECT_EQ(lines.rbegin()->first, static_cast<int>(lines.size())) << "a line is left empty";
        for (const auto& [line, columns] : lines) {
            const bool alone = columns == std::vector<RowColumn>{RowColumn::kFull};
            const bool pair = columns == std::vector<RowColumn>{RowColumn::kLeft, RowColumn::kRight};
            EXPECT_TRUE(alone || pair) << "line " << line;
        }
    }
}
