// What changed between two JSON reports: the earlier file read back and
// checked, devices matched by what names them, and both written forms.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "app/changes/ChangesJson.h"
#include "app/changes/ChangesText.h"
#include "app/changes/FieldTraits.h"
#include "app/changes/PageWords.h"
#include "app/changes/ReportComparison.h"
#include "app/changes/ReportDocument.h"
#include "app/pages/Categories.h"
#include "base/codepage.h"

using namespace app::changes;

namespace {

// A report of the categories given ({"HardDrives": {"fields": {}, "items": [...]}}).
Json Report(Json categories) {
    return Json{{"schema", "urn:veltrix:report:1"}, {"version", "1.0.0"}, {"categories", std::move(categories)}};
}

Json Disks(Json items) { return Report(Json{{"HardDrives", {{"fields", Json::object()}, {"items", std::move(items)}}}}); }

Json Disk(int index, const char* name, Json serial, int controller) {
    return Json{{"Index", index},
                {"Name", name},
                {"SerialNumber", std::move(serial)},
                {"Controller", {{"text", "x"}, {"value", controller}}},
                {"Capacity", 500107862016}};
}

std::vector<std::string> Lines(const Json& earlier, const Json& later, ComparisonOptions options = {}) {
    std::vector<std::string> lines;
    for (const auto& line : ChangesText(CompareReports(earlier, later, options)))
        lines.push_back(base::EncodeUtf8(line));
    return lines;
}

std::string ErrorOf(const std::string& text) {
    const auto read = ReadReportDocument(text);
    EXPECT_FALSE(read.document) << text;
    return read.error;
}

}  // namespace

// The rule per category in docs/report-format.md and the one the comparison
// uses are the same: every key of every category, both ways.
TEST(ChangesTraits, DocumentedTableIsTheOneUsed) {
    std::ifstream file(std::string(VELTRIX_SOURCE_DIR) + "/docs/report-format.md");
    std::stringstream text;
    text << file.rdbuf();
    const std::string doc = text.str();
    const auto start = doc.find("| category | serial | model | place | changes by itself |");
    ASSERT_NE(start, std::string::npos);
    std::istringstream rows(doc.substr(start));
    std::string row;
    std::getline(rows, row);
    std::getline(rows, row);  // the rule under the header
    std::map<std::string, std::vector<std::set<std::string>>> documented;
    while (std::getline(rows, row) && row.starts_with("| ")) {
        std::vector<std::string> cells;
        std::stringstream cellsOf(row.substr(1));
        for (std::string cell; std::getline(cellsOf, cell, '|');) cells.push_back(cell);
        ASSERT_GE(cells.size(), 5u) << row;
        auto& roles = documented[cells[0].substr(1, cells[0].find(' ', 1) - 1)];
        for (std::size_t column = 1; column <= 4; ++column) {
            std::set<std::string> keys;
            // Each key stands in backquotes: `Name` `SerialNumber`.
            std::stringstream quoted(cells[column]);
            std::string piece;
            for (bool inside = false; std::getline(quoted, piece, '`'); inside = !inside)
                if (inside) keys.insert(piece);
            roles.push_back(keys);
        }
    }
    ASSERT_EQ(documented.size(), static_cast<std::size_t>(CategoryCount()));
    for (int category = 0; category < CategoryCount(); ++category) {
        const auto found = documented.find(CategoryJsonName(category));
        ASSERT_NE(found, documented.end()) << CategoryJsonName(category);
        std::set<std::string> listed;
        for (const auto& keys : found->second) listed.insert(keys.begin(), keys.end());
        for (const app::FieldDeclaration& field : app::Fields(app::CategoryRowOf(category))) {
            for (const char* name : {field.json.key, field.json.secondKey}) {
                if (!name) continue;
                const IdentityRole role = RoleOf(category, name);
                EXPECT_EQ(role == IdentityRole::kSerial, found->second[0].contains(name)) << name;
                EXPECT_EQ(role == IdentityRole::kModel, found->second[1].contains(name)) << name;
                EXPECT_EQ(role == IdentityRole::kPlace, found->second[2].contains(name)) << name;
                EXPECT_EQ(IsLive(category, name), found->second[3].contains(name)) << name;
                EXPECT_EQ(IsIdentity(category, name), role != IdentityRole::kNone) << name;
                listed.erase(name);
            }
        }
        EXPECT_TRUE(listed.empty()) << CategoryJsonName(category) << " documents a key it lacks: " << *listed.begin();
        // A list of devices has something to name them by.
        if (ListsDevices(category)) {
            EXPECT_FALSE(found->second[0].empty() && found->second[1].empty() && found->second[2].empty())
                << CategoryJsonName(category);
        }
    }
    EXPECT_EQ(RoleOf(-1, "Name"), IdentityRole::kNone);
    EXPECT_FALSE(IsLive(CategoryCount(), "Speed"));
}

TEST(ChangesMatching, DevicesAreMatchedByNameNotByIndex) {
    const Json earlier = Disks({Disk(0, "A", "S1", 0), Disk(1, "B", "S2", 1)});
    // The same two disks listed the other way round: nothing changed.
    EXPECT_TRUE(CompareReports(earlier, Disks({Disk(0, "B", "S2", 1), Disk(1, "A", "S1", 0)}), {}).empty());
    // A new serial under the same model and place is a replacement.
    EXPECT_EQ(Lines(earlier, Disks({Disk(0, "A", "S9", 0), Disk(1, "B", "S2", 1)})),
              (std::vector<std::string>{"Harde Stations: verwijderd (Naam: A, Serienummer: S1, Controller: x)",
                                        "Harde Stations: toegevoegd (Naam: A, Serienummer: S9, Controller: x)"}));
    // The same serial elsewhere is the same disk, moved.
    const auto moved = CompareReports(earlier, Disks({Disk(0, "A", "S1", 2), Disk(1, "B", "S2", 1)}), {});
    ASSERT_EQ(moved.size(), 1u);
    ASSERT_EQ(moved[0].devices.size(), 1u);
    EXPECT_EQ(moved[0].devices[0].kind, DeviceChange::Kind::kChanged);
    ASSERT_EQ(moved[0].devices[0].fields.size(), 1u);
    EXPECT_EQ(moved[0].devices[0].fields[0].key, "Controller");
    EXPECT_EQ(moved[0].devices[0].fields[0].after["value"], 2);
}

TEST(ChangesMatching, WithoutSerialModelAndPlaceNameTheDevice) {
    // Null and blank serials name nothing: the model with its place does.
    const Json earlier = Disks({Disk(0, "A", nullptr, 0), Disk(1, "A", "   ", 1)});
    EXPECT_TRUE(CompareReports(earlier, Disks({Disk(0, "A", "   ", 1), Disk(1, "A", nullptr, 0)}), {}).empty());
    // Two blank serials are not one name: each disk keeps its own model and place.
    EXPECT_TRUE(CompareReports(Disks({Disk(0, "A", "   ", 0), Disk(1, "B", "   ", 1)}),
                               Disks({Disk(0, "B", "   ", 1), Disk(1, "A", "   ", 0)}), {})
                    .empty());
    // Such a disk on another port is removed there and added here.
    const auto moved = CompareReports(earlier, Disks({Disk(0, "A", nullptr, 2), Disk(1, "A", "   ", 1)}), {});
    ASSERT_EQ(moved.size(), 1u);
    ASSERT_EQ(moved[0].devices.size(), 2u);
    EXPECT_EQ(moved[0].devices[0].kind, DeviceChange::Kind::kRemoved);
    EXPECT_EQ(moved[0].devices[0].earlierIndex, 0);
    EXPECT_EQ(moved[0].devices[1].kind, DeviceChange::Kind::kAdded);
    EXPECT_EQ(moved[0].devices[1].index, 0);
}

TEST(ChangesMatching, AlikeDevicesAreMatchedInListOrder) {
    const auto usb = [](Json items) {
        return Report(Json{{"USBDevices", {{"fields", Json::object()}, {"items", std::move(items)}}}});
    };
    const auto stick = [](int index, int power) {
        return Json{{"Index", index}, {"Name", "Stick"}, {"SerialNumber", nullptr}, {"VendorID", 1},
                    {"ProductID", 2}, {"Power", power}};
    };
    const auto changes = CompareReports(usb({stick(0, 100), stick(1, 200), stick(2, 300)}),
                                        usb({stick(0, 100), stick(1, 200)}), {});
    ASSERT_EQ(changes.size(), 1u);
    ASSERT_EQ(changes[0].devices.size(), 1u);
    EXPECT_EQ(changes[0].devices[0].kind, DeviceChange::Kind::kRemoved);
    EXPECT_EQ(changes[0].devices[0].earlierIndex, 2);
    EXPECT_EQ(changes[0].devices[0].item["Power"], 300);
    EXPECT_EQ(Lines(usb({stick(0, 100)}), usb({stick(0, 100), stick(1, 500)})),
              (std::vector<std::string>{
                  "USB Apparaten: toegevoegd (Naam: Stick, Leverancier-ID: 1, Produkt-ID: 2)"}));
}

TEST(ChangesFields, LiveValuesOnlyWhenAskedAndIndexNever) {
    const auto memory = [](Json total, Json available) {
        return Report(Json{{"MemoryUsage",
                            {{"fields", {{"TotalPhysical", std::move(total)}, {"AvailablePhysical", std::move(available)}}}}}});
    };
    const Json earlier = memory(8589934592, 1000);
    EXPECT_TRUE(CompareReports(earlier, memory(8589934592, 2000), {}).empty());
    EXPECT_EQ(Lines(earlier, memory(8589934592, 2000), {true}),
              (std::vector<std::string>{"Geheugengebruik: gewijzigd: Beschikbaar Fysiek: 1000 -> 2000"}));
    // A number is its value, whatever its JSON spelling.
    EXPECT_TRUE(CompareReports(earlier, memory(8589934592.0, 1000), {}).empty());
    // A key one report lacks is null there: nothing against null, a value against Onbekend.
    const Json lacking = Report(Json{{"MemoryUsage", {{"fields", {{"AvailablePhysical", 1000}}}}}});
    EXPECT_TRUE(CompareReports(lacking, memory(nullptr, 1000), {}).empty());
    EXPECT_EQ(Lines(lacking, earlier), (std::vector<std::string>{
                                           "Geheugengebruik: gewijzigd: Totaal Fysiek: Onbekend -> 8589934592"}));
    EXPECT_EQ(Lines(earlier, lacking), (std::vector<std::string>{
                                           "Geheugengebruik: gewijzigd: Totaal Fysiek: 8589934592 -> Onbekend"}));
    // An index is a place in a list, not a field of the device.
    EXPECT_TRUE(CompareReports(Disks({Disk(3, "A", "S1", 0)}), Disks({Disk(0, "A", "S1", 0)}), {}).empty());
    // A category only one report holds is not compared.
    EXPECT_TRUE(CompareReports(earlier, Disks({Disk(0, "A", "S1", 0)}), {}).empty());
}

TEST(ChangesText, DevicesAreNamedAsThePageNamesThem) {
    const auto modes = [](Json items) {
        return Report(Json{{"Display", {{"fields", {{"Name", "GPU"}, {"Monitor", nullptr}}}, {"items", std::move(items)}}}});
    };
    const Json mode = {{"Index", 0}, {"ScreenWidth", 1024}, {"ScreenHeight", 768}, {"ColorBits", 32},
                       {"RefreshFrequency", 60}, {"Selected", {{"text", "Ja"}, {"value", 1}}}};
    EXPECT_EQ(Lines(modes(Json::array()), modes({mode})),
              (std::vector<std::string>{
                  "Weergave: toegevoegd (Resolutie: 1024 x 768, Kleuren: 32, Vernieuwingsfrequentie: 60)"}));
    const Json other = Report(Json{{"Display", {{"fields", {{"Name", "GPU"}, {"Monitor", "DELL"}}},
                                                {"items", Json::array()}}}});
    EXPECT_EQ(Lines(modes(Json::array()), other),
              (std::vector<std::string>{"Weergave: gewijzigd: Monitor: Onbekend -> DELL"}));
    // A device named by nothing at all is named by its place in the list.
    const Json bare = {{"Index", 4}, {"Capacity", 1}};
    EXPECT_EQ(Lines(Disks(Json::array()), Disks({Disk(0, "A", "S1", 0), bare})),
              (std::vector<std::string>{"Harde Stations: toegevoegd (Naam: A, Serienummer: S1, Controller: x)",
                                        "Harde Stations: toegevoegd (Index: 1)"}));
}

TEST(ChangesJson, ValuesFromTheEarlierFileAreMadeSafe) {
    const Json earlier = Disks({Disk(0, "A\x1b[31m", "S1", 0)});
    const Json later = Disks({Disk(0, "B", "S1", 0)});
    const Json document = Json::parse(ChangesJson(CompareReports(earlier, later, {}), "1.2.3"));
    EXPECT_EQ(document["schema"], kChangesSchema);
    EXPECT_EQ(document["version"], "1.2.3");
    EXPECT_EQ(document["changed"], true);
    const Json& changed = document["categories"]["HardDrives"]["changed"][0];
    EXPECT_EQ(changed["fields"][0]["before"], "A\\x1B[31m");
    EXPECT_EQ(changed["identity"]["Name"], "B");
    const Json gone =
        Json::parse(ChangesJson(CompareReports(earlier, Disks(Json::array()), {}), "1.2.3"))["categories"]["HardDrives"];
    EXPECT_EQ(gone["removed"][0]["item"]["Name"], "A\\x1B[31m");
    EXPECT_EQ(gone["removed"][0]["identity"]["Name"], "A\\x1B[31m");
    // Each side's own index: a disk that moved down the list, one removed, one added.
    const Json moved = Json::parse(ChangesJson(
        CompareReports(Disks({Disk(0, "A", "S1", 0), Disk(1, "B", "S2", 1)}),
                       Disks({Disk(0, "B", "S2", 3), Disk(1, "C", "S3", 2)}), {}),
        "1.2.3"))["categories"]["HardDrives"];
    EXPECT_EQ(moved["changed"][0]["index"], 0);
    EXPECT_EQ(moved["changed"][0]["earlier"], 1);
    EXPECT_EQ(moved["removed"], Json::parse(R"([{"index": 0, "identity": {"Name": "A", "SerialNumber": "S1",
        "Controller": {"text": "x", "value": 0}}, "item": )" + Disk(0, "A", "S1", 0).dump() + "}]"));
    EXPECT_EQ(moved["added"][0]["index"], 1);
    EXPECT_EQ(moved["added"][0]["item"]["Name"], "C");
    EXPECT_EQ(moved["fields"], Json::array());
    // Nothing changed: a document all the same, with no categories.
    const Json none = Json::parse(ChangesJson({}, "1.2.3"));
    EXPECT_EQ(none["changed"], false);
    EXPECT_TRUE(none["categories"].empty());
}

TEST(ChangesDocument, OnlyAReportOfThisLayoutIsRead) {
    EXPECT_TRUE(ReadReportDocument(Disks({Disk(0, "A", "S1", 0)}).dump()).document);
    EXPECT_TRUE(ReadReportDocument(Report(Json{{"Mouse", {{"fields", {{"Buttons", 3}}}}}}).dump()).document);
    const auto schema = [](const char* name) {
        return Json{{"schema", name}, {"categories", Json::object()}}.dump();
    };
    EXPECT_EQ(ErrorOf(schema("urn:veltrix:report:2")),
              "it is a newer report (urn:veltrix:report:2); this veltrix-report reads urn:veltrix:report:1");
    EXPECT_NE(ErrorOf(schema("urn:veltrix:report:10")).find("newer"), std::string::npos);
    for (const char* foreign : {"urn:veltrix:report:0", "urn:veltrix:report:", "urn:veltrix:report:1x",
                                "urn:veltrix:report:-1", "urn:veltrix:report:2x", "urn:veltrix:changes:1", "URN:VELTRIX:REPORT:1"})
        EXPECT_NE(ErrorOf(schema(foreign)).find("not a Veltrix JSON report of this layout"), std::string::npos)
            << foreign;
    EXPECT_EQ(ErrorOf("[1]"), "it is not a Veltrix JSON report (it has no \"schema\")");
    EXPECT_EQ(ErrorOf("{\"schema\": 1}"), "it is not a Veltrix JSON report (it has no \"schema\")");
    EXPECT_EQ(ErrorOf("{\"schema\": \"urn:veltrix:report:1\"}"), "it has no \"categories\" object");
    EXPECT_NE(ErrorOf("{\"schema\": ").find("it is not JSON"), std::string::npos);
    EXPECT_EQ(ErrorOf(Report(Json{{"Harddrives", {{"fields", Json::object()}}}}).dump()),
              "it names no category \"Harddrives\"");
    EXPECT_EQ(ErrorOf(Report(Json{{"HardDrives", {{"fields", Json::object()}}}}).dump()),
              "HardDrives has no list of devices");
    EXPECT_EQ(ErrorOf(Report(Json{{"HardDrives", {{"fields", Json::object()}, {"items", {1}}}}}).dump()),
              "HardDrives lists a device the report does not write");
    // Values are what the report writes: scalars and list values, nothing deeper.
    for (const Json& value : {Json::array(), Json{{"text", "a"}}, Json{{"text", "a"}, {"value", 1}, {"x", 2}},
                              Json{{"text", 1}, {"value", 1}}, Json{{"text", "a"}, {"value", 1.5}}})
        EXPECT_EQ(ErrorOf(Report(Json{{"Mouse", {{"fields", {{"Wheel", value}}}}}}).dump()),
                  "Mouse has no fields the report writes")
            << value.dump();
    // A deeply nested file is refused, not followed down.
    EXPECT_FALSE(ReadReportDocument(std::string(100000, '[') + std::string(100000, ']')).document);
}
