// Printers and ports on simulated spoolers: the records in answer order,
// null pointers, the exact-case default printer, the requests made, and
// spoolers that are not there.
#include <gtest/gtest.h>

#include "app/pages/Categories.h"
#include "collectors/Ports.h"
#include "collectors/Printers.h"
#include "sim_fixture.h"

using collectors::Ports;
using collectors::Printers;
using testing_support::SimFrom;

namespace {

platform::sim::SimSpooler& SpoolerOf(platform::sim::SimMachine& machine) {
    return static_cast<platform::sim::SimSpooler&>(machine.Spooler());
}

}  // namespace

TEST(Printers, OnlyTheExactNameIsSelected) {
    const auto machine = SimFrom(R"({"spooler": {"default_printer": "Office",
        "printers": [{"name": "office", "port": "LPT1:"}, {"name": "Office", "port": "IP_10.0.0.5"},
                     {"name": "OFFICE"}]}})");
    const Printers printers(*machine);
    ASSERT_EQ(printers.Count(), 3);
    EXPECT_FALSE(printers.Item(0)->Selected());
    EXPECT_TRUE(printers.Item(1)->Selected());
    EXPECT_FALSE(printers.Item(2)->Selected());
    EXPECT_EQ(app::CategoryRowOf(app::kPrinters).kind.MakePage(*machine)->PreferredItem(), 1)
        << "the page starts at the default printer";
}

TEST(Printers, EveryFieldAndNullPointers) {
    const auto machine = SimFrom(R"({"spooler": {"printers": [
        {"server": "\\\\srv", "name": "Laser", "share": "laser", "port": "USB001", "driver": "HP LaserJet 4250",
         "comment": "Gang", "location": "Kamer 2.14"},
        {"name": "Bare", "comment": null}]}})");
    const Printers printers(*machine);
    ASSERT_EQ(printers.Count(), 2);
    const auto* laser = printers.Item(0);
    EXPECT_EQ(laser->Name(), L"Laser");
    EXPECT_EQ(laser->Port(), L"USB001");
    EXPECT_EQ(laser->DriverName(), L"HP LaserJet 4250");
    EXPECT_EQ(laser->Comment(), L"Gang");
    EXPECT_EQ(laser->Location(), L"Kamer 2.14");
    const auto* bare = printers.Item(1);
    EXPECT_EQ(bare->Comment(), L"") << "null pointer";
    EXPECT_EQ(bare->Port(), L"") << "absent is a null pointer too";
    EXPECT_FALSE(bare->Selected()) << "no default printer";
    EXPECT_EQ(app::CategoryRowOf(app::kPrinters).kind.MakePage(*machine)->PreferredItem(), -1);
}

TEST(Printers, DefaultThatMatchesNoneAndSpoolersThatAreNotThere) {
    const Printers unmatched(*SimFrom(R"({"spooler": {"default_printer": "Gone", "printers": [{"name": "Here"}]}})"));
    ASSERT_EQ(unmatched.Count(), 1);
    EXPECT_FALSE(unmatched.Item(0)->Selected());

    EXPECT_EQ(Printers(*SimFrom("{}")).Count(), 0) << "no spooler";
    EXPECT_EQ(Printers(*SimFrom(R"({"spooler": {"printers": null}})")).Count(), 0);
    EXPECT_EQ(Printers(*SimFrom(R"({"spooler": {"printers": []}})")).Count(), 0);
}

TEST(Printers, AFirstRequestThatSucceedsEndsTheList) {
    const auto machine = SimFrom(R"({"spooler": {"printers_size_query_succeeds": true,
        "printers": [{"name": "Never asked for"}]}})");
    const Printers printers(*machine);
    EXPECT_EQ(printers.Count(), 0);
    EXPECT_EQ(SpoolerOf(*machine).printerRequests, 1u) << "no second request";

    const auto normal = SimFrom(R"({"spooler": {"printers": [{"name": "P"}]}})");
    EXPECT_EQ(Printers(*normal).Count(), 1);
    EXPECT_EQ(SpoolerOf(*normal).printerRequests, 2u) << "the size query, then the answer";
}

TEST(Printers, MoreThanSixteenBitOffsetsReach) {
    std::string list;
    for (int i = 0; i < 400; ++i) list += std::string(i ? "," : "") + R"({"name": "P)" + std::to_string(i) + R"("})";
    const auto machine = SimFrom(R"({"spooler": {"default_printer": "P399", "printers": [)" + list + "]}}");
    const Printers printers(*machine);
    ASSERT_EQ(printers.Count(), 400);
    EXPECT_EQ(printers.Item(390)->Name(), L"P390");
    EXPECT_EQ(printers.Item(391)->Name(), L"P391");
    EXPECT_EQ(printers.Item(399)->Name(), L"P399");
    EXPECT_TRUE(printers.Item(399)->Selected());
}

TEST(Ports, RecordsInAnswerOrder) {
    const auto machine = SimFrom(R"({"spooler": {"ports": [
        {"name": "COM1:", "monitor": "Local Port", "description": "Serial port", "type": 3},
        {"name": "LPT1:", "monitor": null, "description": "Parallel port"},
        {"name": "FILE:", "monitor": "Local Port", "description": "Print to file"}]}})");
    const Ports ports(*machine);
    ASSERT_EQ(ports.Count(), 3);
    EXPECT_EQ(ports.Item(0)->Name(), L"COM1:");
    EXPECT_EQ(ports.Item(0)->Monitor(), L"Local Port");
    EXPECT_EQ(ports.Item(0)->Description(), L"Serial port");
    EXPECT_EQ(ports.Item(1)->Name(), L"LPT1:");
    EXPECT_EQ(ports.Item(1)->Monitor(), L"");
    EXPECT_EQ(ports.Item(2)->Description(), L"Print to file");

    EXPECT_EQ(Ports(*SimFrom("{}")).Count(), 0);
    const auto sizeQuery = SimFrom(R"({"spooler": {"ports_size_query_succeeds": true, "ports": [{"name": "X"}]}})");
    EXPECT_EQ(Ports(*sizeQuery).Count(), 0);
    EXPECT_EQ(SpoolerOf(*sizeQuery).portRequests, 1u);
    EXPECT_THROW(SimFrom(R"({"spooler": {"ports": [{"name": "X", "speed": 9600}]}})"), platform::sim::SimFileError);
}
