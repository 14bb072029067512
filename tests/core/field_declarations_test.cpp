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

// Only a device of a list needs a name (the roles, category by category, are
// held against docs/report-format.md by the comparison's tests); its place in
// the list is none, since it moves when one before it goes.
TEST(FieldDeclarations, OnlyDevicesOfAListAreNamedAndNeverByTheirIndex) {
    for (const CategoryRow& row : CategoryTable()) {
        bool named = false;
        for (const FieldDeclaration& field : Fields(row)) {
            named |= field.identity != IdentityRole::kNone;
            if (field.isIndexRow || !row.page.multiDevice) {
                EXPECT_EQ(field.identity, IdentityRole::kNone) << field.label;
            }
        }
        EXPECT_EQ(named, row.page.multiDevice) << row.page.designTabText;
    }
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
            const bool names = field.identity != IdentityRole::kNone;
            EXPECT_FALSE(names && field.live) << field.label << ": a name that changes by itself names nothing";
            if (!field.HasValue()) {
                EXPECT_FALSE(names || field.live) << field.label;
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
