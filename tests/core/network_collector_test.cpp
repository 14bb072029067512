// The network collector on simulated machines: the registry walk, the cards
// that answer and those that do not, and the driver's replies decoded.
#include <gtest/gtest.h>

#include "collectors/Network.h"
#include "collectors/Registry.h"
#include "sim_fixture.h"

using collectors::Network;
using testing_support::SimFrom;

namespace {

constexpr const char* kCards = "Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\NetworkCards";

std::string Machine(const std::string& registry, const std::string& network) {
    return R"({"registry": {)" + registry + R"(}, "network": {)" + network + "}}";
}

std::string Card(int number, const std::string& values) {
    return "\"" + std::string(kCards) + "\\\\" + std::to_string(number) + "\": {" + values + "}";
}

}  // namespace

TEST(Network, CardsInRegistryOrderAndThoseWithoutServiceOrAddressLeftOut) {
    auto machine = SimFrom(Machine(
        Card(1, R"("ServiceName": "E100B1")") + "," + Card(2, R"("Other": "x")") + "," +
            Card(3, R"("ServiceName": {"type": 4, "hex": "01000000"})") + "," + Card(4, R"("servicename": "NoDriver")") +
            "," + Card(5, R"("ServiceName": "Silent")") + "," + Card(6, R"("ServiceName": "El90x2")"),
        R"("E100B1": {"address": "00 0C 29 3A 5B 7F", "description": "Fast Ethernet", "version": "00 05"},
           "Silent": {"description": "answers everything but its address"},
           "EL90X2": {"address": "00 60 08 01 02 03 04 05", "version": "0A 04"})"));
    const Network network(*machine);
    ASSERT_EQ(network.Count(), 2) << "no ServiceName, a number value, no driver, no address: four cards left out";
    const auto* first = network.Item(0);
    EXPECT_EQ(first->MACAddress(), L"00-0C-29-3A-5B-7F");
    EXPECT_EQ(first->Name(), L"Fast Ethernet");
    EXPECT_EQ(first->Name().size(), 13u) << "the count includes the terminating NUL";
    EXPECT_EQ(first->Version(), L"5.0");
    const auto* second = network.Item(1);
    EXPECT_EQ(second->MACAddress(), L"00-60-08-01-02-03") << "only six bytes are asked for";
    EXPECT_EQ(second->Name(), L"") << "a refused description stays empty";
    EXPECT_EQ(second->Version(), L"4.10") << "byte 0 minor, byte 1 major";
    EXPECT_EQ(network.Item(2), nullptr);
}

TEST(Network, NoRegistryKeyOrNoSubkeysGiveNoCards) {
    EXPECT_EQ(Network(*SimFrom("{}")).Count(), 0);
    EXPECT_EQ(Network(*SimFrom(R"({"registry": {"Software\\Other": {"v": "x"}}})")).Count(), 0);
    auto empty = SimFrom(R"({"registry": {")" + std::string(kCards) + R"(": {}}})");
    EXPECT_EQ(Network(*empty).Count(), 0) << "the key alone, without subkeys";
}

// A driver may report any byte count; the name never takes more than the
// buffer holds, and a count of 0 or 1 gives no name.
TEST(Network, DescriptionByteCountsAtBothEndsAndBeyondTheBuffer) {
    struct Case {
        std::string reply;
        std::wstring name;
    };
    const std::string full(300, 'N');  // the driver writes 256 of them
    const Case cases[] = {
        {R"({"text": "Fast Ethernet", "returned": 0})", L""},
        {R"({"text": "Fast Ethernet", "returned": 1})", L""},
        {R"({"text": "Fast Ethernet", "returned": 5})", L"Fast"},
        {R"({"text": ")" + full + R"(", "returned": 257})", std::wstring(256, L'N')},
        {R"({"text": ")" + full + R"(", "returned": 4000000000})", std::wstring(256, L'N')},
        {R"({"hex": "41 00 42 00", "returned": 4})", L"A"},
    };
    for (const auto& c : cases) {
        auto machine = SimFrom(Machine(Card(1, R"("ServiceName": "nic")"),
                                       R"("nic": {"address": "000000000001", "description": )" + c.reply + "}"));
        const Network network(*machine);
        ASSERT_EQ(network.Count(), 1) << c.reply;
        EXPECT_EQ(network.Item(0)->Name(), c.name) << c.reply;
    }
}

TEST(Network, VersionBytesAtTheEndsOfTheirRange) {
    for (const auto& [hex, text] : {std::pair{"00 00", L"0.0"}, {"FF FF", L"255.255"}, {"05 01", L"1.5"}}) {
        auto machine = SimFrom(Machine(Card(1, R"("ServiceName": "nic")"),
                                       std::string(R"("nic": {"address": "000000000001", "version": ")") + hex + "\"}"));
        EXPECT_EQ(Network(*machine).Item(0)->Version(), text) << hex;
    }
}

TEST(Registry, StringValuesOfEveryTypeAndTheirEdges) {
    auto machine = SimFrom(R"({"registry": {"Key": {
        "sz": "text", "expand": {"type": 2, "hex": "25 50 25 00"}, "multi": {"type": 7, "hex": "61 00 62 00 00"},
        "empty": {"type": 1, "hex": "00"}, "nothing": {"type": 1, "hex": ""}, "binary": {"type": 3, "hex": "41 00"},
        "number": {"type": 4, "hex": "01 00 00 00"}, "unended": {"type": 1, "hex": "41 42"}}}})");
    collectors::Registry registry(machine->Network(), machine->TextCodePage());
    const auto read = [&](const char* name) -> std::pair<bool, std::wstring> {
        std::wstring text = L"untouched";
        std::uint32_t type = 99;
        const bool ok = registry.ReadStringValue(platform::registry::kLocalMachine, "Key", name, text, type);
        return {ok, text};
    };
    EXPECT_EQ(read("sz"), std::pair(true, std::wstring(L"text")));
    EXPECT_EQ(read("expand"), std::pair(true, std::wstring(L"%P%"))) << "stored, not expanded";
    EXPECT_EQ(read("multi"), std::pair(true, std::wstring(L"a\0b\0", 4))) << "inner NULs stay";
    EXPECT_EQ(read("empty"), std::pair(true, std::wstring())) << "only the terminating NUL";
    EXPECT_EQ(read("nothing"), std::pair(false, std::wstring())) << "no data at all";
    EXPECT_EQ(read("binary"), std::pair(false, std::wstring()));
    EXPECT_EQ(read("number"), std::pair(false, std::wstring()));
    EXPECT_EQ(read("unended"), std::pair(true, std::wstring(L"AB"))) << "stored without its NUL: nothing lost";
    EXPECT_EQ(read("missing"), std::pair(false, std::wstring()));

    std::int16_t count = 7;
    std::vector<std::string> keys{"stale"};
    EXPECT_FALSE(registry.EnumerateKeys(platform::registry::kLocalMachine, "No\\Such\\Key", count, keys));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(keys.empty());
    EXPECT_FALSE(registry.EnumerateKeys(0x80000001u, "Key", count, keys)) << "another root";
}
