// The category table against the pages, the Dutch texts and the report: every
// label a field writes is a row of its page, every row has a Dutch caption,
// every Dutch caption and list belongs to a row, each category's own page
// agrees with the others and with itself, and a label that no page has stops
// the report the way it stops the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "app/pages/Categories.h"
#include "app/pages/CollectorSet.h"
#include "app/pages/DutchTexts.h"
#include "app/pages/PageRows.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
#include "sim_fixture.h"

using namespace app;

namespace {

std::set<std::string> RowLabels(int category) {
    std::set<std::string> labels;
    for (const PageRow& row : Page(category).rows)
        if (!row.isIndexRow) labels.insert(row.label);
    return labels;
}

std::set<std::string> FieldLabels(const CategoryKind& kind) {
    std::set<std::string> labels;
    for (const char* label : kind.CollectionLabels()) labels.insert(label);
    for (const char* label : kind.ItemLabels()) labels.insert(label);
    return labels;
}

}  // namespace

TEST(Categories, OneRowPerCategoryInTabOrder) {
    const auto table = CategoryTable();
    ASSERT_EQ(table.size(), static_cast<std::size_t>(kCategoryCount));
    for (int k = 0; k < kCategoryCount; ++k) EXPECT_EQ(table[static_cast<std::size_t>(k)].category, k);
    // The timer refreshes memory, keyboard and battery, and nothing else.
    std::vector<int> refreshed;
    for (const CategoryRow& row : table)
        if (row.refreshedByTimer) refreshed.push_back(row.category);
    EXPECT_EQ(refreshed, (std::vector<int>{kMemoryUsage, kKeyboard, kBattery}));
    EXPECT_THROW(CategoryRowOf(-1), std::out_of_range);
    EXPECT_THROW(CategoryRowOf(kCategoryCount), std::out_of_range);
}

TEST(Categories, EveryFieldLabelIsARowOfItsPageAndEveryRowIsWritten) {
    for (const CategoryRow& row : CategoryTable()) {
        SCOPED_TRACE(DutchTabText(row.category));
        const auto rows = RowLabels(row.category);
        const auto fields = FieldLabels(row.kind);
        for (const auto& label : fields) EXPECT_TRUE(rows.count(label)) << label << " is no row of its page";
        for (const auto& label : rows) EXPECT_TRUE(fields.count(label)) << label << " is never written";
        // A single-object page writes no collection-wide fields.
        if (!Page(row.category).multiDevice) {
            EXPECT_FALSE(row.kind.HasCollectionFields());
        }
    }
}

TEST(Categories, EveryRowHasADutchCaptionAndEveryDutchTextHasARow) {
    std::set<std::string> designCaptions, valueLabels;
    for (int k = 0; k < kCategoryCount; ++k) {
        EXPECT_FALSE(DutchTabText(k).empty()) << k;
        for (const PageRow& row : Page(k).rows) {
            EXPECT_FALSE(DutchCaption(row.designCaption).empty()) << row.label << " \"" << row.designCaption << "\"";
            designCaptions.insert(row.designCaption);
            if (!row.isIndexRow) valueLabels.insert(ValueLabelName(row.label));
        }
    }
    for (const auto caption : TranslatedDesignCaptions())
        EXPECT_TRUE(designCaptions.count(std::string(caption))) << "no row has the caption \"" << caption << "\"";
    for (const auto& label : ValueLabelsWithLists())
        EXPECT_TRUE(valueLabels.count(std::string(label))) << "no value label " << label;
}

// Each category brings its own rows and Dutch texts: no label may stand on
// two pages (the window finds its labels by name), and a design caption
// reads the same in Dutch on every page that has it.
TEST(Categories, EveryLabelStandsOnOnePageAndEveryCaptionHasOneDutchText) {
    std::map<std::string, int> pageOfLabel;
    std::map<std::string, std::wstring> dutchOf;
    for (const CategoryRow& category : CategoryTable()) {
        for (const PageRow& row : category.page.rows) {
            const auto [at, added] = pageOfLabel.emplace(row.label, category.category);
            EXPECT_TRUE(added) << row.label << " is on page " << at->second << " and on page " << category.category;
            const auto same = dutchOf.emplace(row.designCaption, row.dutchCaption).first;
            EXPECT_EQ(same->second, row.dutchCaption) << row.label << " \"" << row.designCaption << "\"";
        }
    }
}

// A page that shows several devices has the one index row the window and the
// report name by its number; a single-object page has none. A field shows an
// entry of a display list exactly when it has one.
TEST(Categories, EachPageHoldsItsIndexRowAndItsOwnLists) {
    for (const CategoryRow& category : CategoryTable()) {
        SCOPED_TRACE(category.page.designTabText);
        std::vector<std::string> indexRows;
        for (const FieldDeclaration& field : Fields(category)) {
            if (field.isIndexRow) indexRows.push_back(field.label);
            EXPECT_EQ(field.isIndexRow, field.json.type == JsonType::kIndex) << field.label;
            EXPECT_EQ(field.dutchList != nullptr, field.HasValue() && field.Kind() == FieldKind::kList) << field.label;
        }
        if (category.page.multiDevice) {
            EXPECT_EQ(indexRows, std::vector<std::string>{IndexLabelName(category.category)});
        } else {
            EXPECT_TRUE(indexRows.empty());
        }
    }
}

namespace {

// One device that writes a label no page has.
class MisspeltDevices final : public DevicePage {
public:
    std::int16_t Count() override { return 1; }
    void WriteItemFields(std::int16_t, FieldSink& sink, const format::FormatEx&) override {
        sink.Write("LabelPortsNmae", FieldKind::kText, {true, L"COM1", 0, L"Onbekend"});
    }
};

}  // namespace

TEST(Categories, ALabelNoPageHasStopsTheReportAsItStopsTheWindow) {
    const TranslatedWindowTexts texts;
    EXPECT_THROW(texts.Caption("LabelPortsNmae"), std::out_of_range);
    EXPECT_EQ(texts.Caption("LabelPortsName"), L"Naam:");

    auto machine = testing_support::SimFrom("{}");
    CollectorSet collectors(*machine);
    collectors.SetDevices(kPorts, std::make_unique<MisspeltDevices>());
    ReportWriter writer(collectors, texts);
    EXPECT_THROW(writer.Compose(kPorts), std::out_of_range);
    EXPECT_TRUE(writer.Compose(kProcessor).has_value()) << "other categories are not affected";
}

TEST(Categories, EveryCategoryOfAnEmptyMachineMakesAPage) {
    auto machine = testing_support::SimFrom("{}");
    CollectorSet collectors(*machine);
    for (const CategoryRow& row : CategoryTable()) {
        DevicePage& page = collectors.Devices(row.category);
        EXPECT_EQ(&page, &collectors.Devices(row.category)) << "made once";
        if (!Page(row.category).multiDevice) {
            EXPECT_EQ(page.Count(), 1) << row.category;
        }
    }
}
