// Printers and ports on simulated spoolers: the records in answer order,
// null pointers, the exact-case default printer, the requests made, and
// spoolers that are not there.
#include <gtest/gtest.h>

#include <vector>

#include "base/bytes.h"

#include "app/pages/Categories.h"
#include "collectors/Ports.h"
#include "collectors/Printers.h"
#include "bare_machine.h"
#include "sim_fixture.h"

using collectors::Ports;
using collectors::Printers;
using testing_support::SimFrom;

namespace {

platform::sim::SimSpooler& SpoolerOf(platform::sim::SimMachine& machine) {
    return static_cast<platform::sim::SimSpooler&>(machine.Spooler());
}

// A machine whose spooler is a test's own.
class SpoolerMachine final : public testing_support::BareMachine {
public:
    explicit SpoolerMachine(platform::SpoolerServices& spooler) : spooler_(spooler) {}
    platform::SpoolerServices& Spooler() override { return spooler_; }

private:
    platform::SpoolerServices& spooler_;
};

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

// A printer the user connected to on a print server (\\server\queue) is
// listed beside the local ones, and is found as the default printer.
TEST(Printers, ConnectionsAreListedAfterTheLocalPrintersAndCanBeTheDefault) {
    const auto machine = SimFrom(R"({"spooler": {"default_printer": "\\\\printsrv\\Kantoor",
        "printers": [{"server": "\\\\printsrv", "name": "\\\\printsrv\\Kantoor", "share": "Kantoor",
                      "port": "IP_10.1.2.3", "driver": "HP Universal Printing PCL 6", "connection": true},
                     {"name": "Microsoft Print to PDF", "port": "PORTPROMPT:"},
                     {"name": "\\\\printsrv\\Gang", "connection": true},
                     {"name": "Fax", "port": "SHRFAX:", "connection": false}]}})");
    const Printers printers(*machine);
    ASSERT_EQ(printers.Count(), 4);
    EXPECT_EQ(printers.Item(0)->Name(), L"Microsoft Print to PDF") << "the local printers first";
    EXPECT_EQ(printers.Item(1)->Name(), L"Fax");
    EXPECT_EQ(printers.Item(2)->Name(), L"\\\\printsrv\\Kantoor") << "then the connections, in their order";
    EXPECT_EQ(printers.Item(2)->Port(), L"IP_10.1.2.3");
    EXPECT_EQ(printers.Item(3)->Name(), L"\\\\printsrv\\Gang");
    EXPECT_TRUE(printers.Item(2)->Selected()) << "the default is a connection";
    EXPECT_FALSE(printers.Item(0)->Selected());
    EXPECT_EQ(app::CategoryRowOf(app::kPrinters).kind.MakePage(*machine)->PreferredItem(), 2);

    // The spooler answers each flag with its own printers.
    auto& spooler = machine->Spooler();
    std::uint32_t needed = 0, returned = 0;
    std::vector<std::uint8_t> buffer(4096);
    ASSERT_TRUE(spooler.EnumPrinters(platform::kPrinterEnumLocal, platform::kSpoolerLevel2, buffer, needed, returned));
    EXPECT_EQ(returned, 2u);
    ASSERT_TRUE(
        spooler.EnumPrinters(platform::kPrinterEnumConnections, platform::kSpoolerLevel2, buffer, needed, returned));
    EXPECT_EQ(returned, 2u);
    EXPECT_FALSE(spooler.EnumPrinters(1, platform::kSpoolerLevel2, buffer, needed, returned)) << "neither flag";

    // Windows names a connection after its server and queue.
    for (const char* name : {R"("Kantoor")", R"("\\\\printsrv")", R"("\\\\printsrv\\")", R"("\\\\\\Kantoor")", "null"})
        EXPECT_THROW(SimFrom(std::string(R"({"spooler": {"printers": [{"connection": true, "name": )") + name + "}]}}"),
                     platform::sim::SimFileError)
            << name;
}

namespace {

// A spooler with one local printer and one connection, its answer written
// byte for byte from PRINTER_INFO_2A's published layout (winspool.h: 21
// fields of 32 bits, pointers first), the texts after the records.
class DocumentedSpooler final : public platform::SpoolerServices {
public:
    std::vector<std::uint32_t> flagsAsked;

    bool EnumPrinters(std::uint32_t flags, std::uint32_t level, std::span<std::uint8_t> buffer, std::uint32_t& needed,
                      std::uint32_t& returned) override {
        flagsAsked.push_back(flags);
        needed = returned = 0;
        if (level != 2) return false;
        std::vector<std::uint8_t> answer;
        std::uint32_t count = 0;
        if (flags & 2) Append(answer, count, {{4, "Laser"}, {12, "USB001"}, {16, "HP LaserJet 4250"}}, 0x00000040u);
        // PRINTER_ATTRIBUTE_NETWORK (0x10): a connection to a print server.
        if (flags & 4)
            Append(answer, count,
                   {{0, "\\\\printsrv"}, {4, "\\\\printsrv\\Kantoor"}, {8, "Kantoor"}, {12, "IP_10.1.2.3"},
                    {16, "HP Universal Printing PCL 6"}, {20, "Tweede verdieping"}, {24, "Gebouw B"}},
                   0x00000010u);
        needed = static_cast<std::uint32_t>(answer.size());
        if (buffer.size() < answer.size()) return false;
        std::copy(answer.begin(), answer.end(), buffer.begin());
        returned = count;
        return true;
    }
    std::optional<std::string> GetDefaultPrinter() override { return "\\\\printsrv\\Kantoor"; }

private:
    static constexpr std::size_t kRecord = 84;
    static constexpr std::size_t kAttributes = 52;  // after 13 pointers

    // One record with the texts at the given field offsets: records are laid
    // out again in front, every pointer moved by the record added.
    static void Append(std::vector<std::uint8_t>& answer, std::uint32_t& count,
                       std::vector<std::pair<std::size_t, std::string>> texts, std::uint32_t attributes) {
        std::vector<std::uint8_t> records(answer.begin(), answer.begin() + count * kRecord);
        std::vector<std::uint8_t> strings(answer.begin() + count * kRecord, answer.end());
        for (std::size_t r = 0; r < count; ++r)
            for (std::size_t field = 0; field < kAttributes; field += 4)
                if (const auto p = *base::ReadLe32(records, r * kRecord + field); p != 0)
                    base::WriteLe32(records, r * kRecord + field, p + static_cast<std::uint32_t>(kRecord));
        records.resize(records.size() + kRecord, 0);
        const std::size_t record = count * kRecord;
        const std::size_t textsStart = records.size();
        for (const auto& [field, text] : texts) {
            base::WriteLe32(records, record + field, static_cast<std::uint32_t>(textsStart + strings.size()));
            strings.insert(strings.end(), text.begin(), text.end());
            strings.push_back(0);
        }
        base::WriteLe32(records, record + kAttributes, attributes);
        base::WriteLe32(records, record + 56, 1);  // Priority
        answer = records;
        answer.insert(answer.end(), strings.begin(), strings.end());
        ++count;
    }
};

}  // namespace

TEST(Printers, AConnectedPrintersRecordAsWindowsLaysItOut) {
    DocumentedSpooler spooler;
    SpoolerMachine machine(spooler);
    const Printers printers(machine);
    ASSERT_EQ(spooler.flagsAsked.size(), 2u) << "the size, then the records";
    EXPECT_EQ(spooler.flagsAsked[0], 2u | 4u) << "PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS";
    ASSERT_EQ(printers.Count(), 2);
    EXPECT_EQ(printers.Item(0)->Name(), L"Laser");
    EXPECT_FALSE(printers.Item(0)->Selected());
    const auto* connection = printers.Item(1);
    EXPECT_EQ(connection->Name(), L"\\\\printsrv\\Kantoor");
    EXPECT_EQ(connection->Port(), L"IP_10.1.2.3");
    EXPECT_EQ(connection->DriverName(), L"HP Universal Printing PCL 6");
    EXPECT_EQ(connection->Comment(), L"Tweede verdieping");
    EXPECT_EQ(connection->Location(), L"Gebouw B");
    EXPECT_TRUE(connection->Selected()) << "the default printer is the connection";
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
