// How the simulated machine finds what a request names among many: USB
// devices by id, hubs by interface path, devices by hub and port; registry
// keys, subkeys and network cards by name without case. Ids and names given
// twice, spellings that differ only in case or in "\" against "#", and the
// first and last entry of a long list.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "base/codepage.h"
#include "platform/sim/sim_network.h"
#include "platform/sim/sim_usb.h"
#include "platform/usb_records.h"

namespace {

namespace usb = platform::usb;
namespace reg = platform::registry;
using platform::sim::SimNetwork;
using platform::sim::SimUsb;

SimUsb::Device Hub(const std::string& id, std::uint32_t ports, const std::string& driver = "hub") {
    SimUsb::Device hub;
    hub.id = id;
    hub.ports = ports;
    hub.driver = driver;
    return hub;
}

SimUsb::Device On(const std::string& parent, std::uint32_t port, const std::string& driver,
                  const std::string& id = "DEV") {
    SimUsb::Device device;
    device.id = id;
    device.parent = parent;
    device.port = port;
    device.driver = driver;
    return device;
}

std::string HubPath(const std::string& spelt) { return "\\\\.\\" + spelt + "#" + std::string(usb::kHubInterfaceClass); }

// The driver key of the device on `port` of the hub opened as `handle`, as the hub answers it.
std::optional<std::wstring> DriverKeyOn(SimUsb& sim, usb::Handle handle, std::uint32_t port) {
    using L = usb::DriverKeyNameLayout;
    std::array<std::uint8_t, L::kSize> record{};
    base::WriteLe32(record, L::kConnectionIndex, port);
    const auto returned = sim.DeviceIoControl(handle, usb::kGetNodeConnectionDriverKeyName, record);
    if (!returned) return std::nullopt;
    const std::size_t bytes = *base::ReadLe32(record, L::kActualLength) - L::kHeader;
    return base::DecodeUtf16Le(std::span<const std::uint8_t>(record).subspan(L::kName, bytes));
}

}  // namespace

TEST(SimUsbLookup, AHubIsOpenedByItsIdSpeltAsAPathAndOnlySo) {
    SimUsb sim;
    sim.devices = {Hub("USB\\ROOT_HUB30\\4&1", 4), Hub("USB\\VID_2230&PID_0006\\6&1", 4)};
    EXPECT_EQ(sim.CreateFile(HubPath("USB#ROOT_HUB30#4&1")), 1);
    EXPECT_EQ(sim.CreateFile(HubPath("USB#VID_2230&PID_0006#6&1")), 2);
    const std::string hubClass(usb::kHubInterfaceClass);
    const std::vector<std::string> notHubs = {
        HubPath("USB\\ROOT_HUB30\\4&1"),                 // the id's own "\" is not a path's
        HubPath("usb#root_hub30#4&1"),                   // the path's case is the id's
        HubPath("USB#ROOT_HUB30#4&"),                    // one character short
        HubPath("USB#ROOT_HUB30#4&12"),                  // one too many
        "\\\\.\\USB#ROOT_HUB30#4&1",                     // no interface class
        "\\\\?\\USB#ROOT_HUB30#4&1#" + hubClass,         // another prefix
        "\\\\.\\#" + hubClass, "", "\\\\.\\"};
    for (const std::string& path : notHubs)
        EXPECT_EQ(sim.CreateFile(path), usb::kInvalidHandle) << path;
}

TEST(SimUsbLookup, OnlyHubsOpenAndTheFirstOfOnePathIsOpened) {
    SimUsb sim;
    // "A\B" and "A#B" both spell the path "A#B"; the device without ports is no hub.
    sim.devices = {Hub("PLAIN", 0), Hub("A\\B", 2), Hub("A#B", 2), Hub("A#B", 3)};
    EXPECT_EQ(sim.CreateFile(HubPath("PLAIN")), usb::kInvalidHandle);
    EXPECT_EQ(sim.CreateFile(HubPath("A#B")), 2);
    SimUsb reversed;
    reversed.devices = {Hub("A#B", 2), Hub("A\\B", 2)};
    EXPECT_EQ(reversed.CreateFile(HubPath("A#B")), 1);
}

TEST(SimUsbLookup, AnIdGivenTwiceIsTheFirstDeviceWithItAndSharesItsPorts) {
    SimUsb sim;
    sim.devices = {Hub("HUB", 4, "first"), Hub("HUB", 4, "second"), On("HUB", 1, "a"), On("HUB", 1, "b"),
                   On("HUB", 3, "c"), On("NOWHERE", 2, "d")};
    EXPECT_EQ(sim.CM_Get_Parent(3), 1u) << "the first device of the parent's id";
    EXPECT_EQ(sim.CM_Get_Parent(6), std::nullopt) << "a parent that names no device";
    EXPECT_EQ(sim.CM_Get_Parent(1), std::nullopt) << "no parent";
    EXPECT_EQ(DriverKeyOn(sim, 1, 1), L"a") << "the first device on a port";
    EXPECT_EQ(DriverKeyOn(sim, 1, 3), L"c");
    EXPECT_EQ(DriverKeyOn(sim, 1, 2), std::nullopt) << "an empty port";
    EXPECT_EQ(DriverKeyOn(sim, 1, 0), std::nullopt);
    EXPECT_EQ(DriverKeyOn(sim, 2, 3), L"c") << "the second hub of the id has the same ports";
    EXPECT_EQ(DriverKeyOn(sim, 3, 1), std::nullopt) << "a device nobody names as parent has no ports";

    // Many on one port, listed after others on higher ports: the first listed answers.
    SimUsb crowd;
    crowd.devices = {Hub("CROWD", 4)};
    for (int i = 0; i < 40; ++i) crowd.devices.push_back(On("CROWD", 4 - i % 4, "c" + std::to_string(i)));
    EXPECT_EQ(DriverKeyOn(crowd, 1, 1), L"c3");
    EXPECT_EQ(DriverKeyOn(crowd, 1, 4), L"c0");
}

TEST(SimUsbLookup, TheFirstAndLastOfALongListAreFoundEachOnce) {
    // Hubs of eight ports, each on a port of the one before: ids sorted
    // otherwise than listed ("H10" before "H2").
    constexpr std::uint32_t kDevices = 5000;
    SimUsb sim;
    sim.devices.push_back(Hub("H0", 8, "key0"));
    for (std::uint32_t i = 1; i < kDevices; ++i) {
        SimUsb::Device device = On("H" + std::to_string((i - 1) / 8), (i - 1) % 8 + 1, "key" + std::to_string(i),
                                   "H" + std::to_string(i));
        device.ports = 8;
        sim.devices.push_back(device);
    }
    sim.MakeIndex();
    EXPECT_EQ(sim.CreateFile(HubPath("H0")), 1);
    EXPECT_EQ(sim.CreateFile(HubPath("H4999")), 5000);
    EXPECT_EQ(sim.CM_Get_Parent(kDevices), static_cast<usb::DeviceInstance>((kDevices - 2) / 8 + 1));
    EXPECT_EQ(DriverKeyOn(sim, 1, 1), L"key1");
    EXPECT_EQ(DriverKeyOn(sim, (kDevices - 2) / 8 + 1, (kDevices - 2) % 8 + 1), L"key4999");
    EXPECT_EQ(DriverKeyOn(sim, 5000, 1), std::nullopt);
    EXPECT_EQ(sim.EntriesVisited(), std::size_t{kDevices});
}

namespace {

SimNetwork::Key KeyWith(const std::string& path, const std::string& service = "") {
    SimNetwork::Key key{path, {}};
    if (!service.empty()) key.values["servicename"] = {reg::kString, std::vector<std::uint8_t>(service.begin(), service.end())};
    return key;
}

std::vector<std::string> SubkeysOf(SimNetwork& sim, const std::string& path) {
    std::vector<std::string> names;
    const auto key = sim.RegOpenKeyEx(reg::kLocalMachine, path);
    if (!key) return {"(cannot open)"};
    while (const auto name = sim.RegEnumKeyEx(*key, static_cast<std::uint32_t>(names.size()))) names.push_back(*name);
    sim.RegCloseKey(*key);
    return names;
}

std::string ServiceOf(SimNetwork& sim, const std::string& path) {
    const auto key = sim.RegOpenKeyEx(reg::kLocalMachine, path);
    if (!key) return "(cannot open)";
    std::array<std::uint8_t, 64> data{};
    const auto info = sim.RegQueryValueEx(*key, "ServiceName", data);
    sim.RegCloseKey(*key);
    return info ? std::string(data.begin(), data.begin() + info->size) : "(no value)";
}

}  // namespace

TEST(SimRegistryLookup, KeysAndSubkeysAreFoundWithoutCaseSpeltAsFirstGiven) {
    SimNetwork sim;
    sim.keys = {KeyWith("Cards\\One", "first"), KeyWith("CARDS\\ONE", "second"), KeyWith("cards\\Two\\Deep"),
                KeyWith("CardsMore\\X"), KeyWith("Cards\\_under"), KeyWith("Cards\\b")};
    EXPECT_EQ(ServiceOf(sim, "cArDs\\oNe"), "first") << "the first key of a path given twice";
    EXPECT_EQ(ServiceOf(sim, "CARDS\\TWO"), "(no value)") << "a key named only by a longer path opens, empty";
    EXPECT_EQ(ServiceOf(sim, "Cards\\Three"), "(cannot open)");
    EXPECT_EQ(ServiceOf(sim, "Cards\\On"), "(cannot open)") << "a path's start is not the path";
    // Letters folded to lower case: "_" (5F) comes before every letter.
    EXPECT_EQ(SubkeysOf(sim, "CARDS"), (std::vector<std::string>{"_under", "b", "One", "Two"}))
        << "one name for each subkey, as first given; not those of CardsMore";
    EXPECT_EQ(SubkeysOf(sim, "cards\\two"), std::vector<std::string>{"Deep"});
    EXPECT_EQ(SubkeysOf(sim, "Cards\\One"), std::vector<std::string>{}) << "a key without subkeys";
    EXPECT_EQ(SubkeysOf(sim, ""), std::vector<std::string>{"(cannot open)"});
}

TEST(SimRegistryLookup, OnlyAsciiLettersFoldAndCardsAreFoundByServiceWithoutCase) {
    SimNetwork sim;
    // "É" and "é" in UTF-8 (C3 89, C3 A9) are different names.
    sim.keys = {KeyWith("K\\\xC3\x89", "upper"), KeyWith("K\\\xC3\xA9", "lower")};
    sim.cards = {{"Card7", {}}, {"CARD7", {}}, {"Card10", {}}};
    EXPECT_EQ(ServiceOf(sim, "k\\\xC3\x89"), "upper");
    EXPECT_EQ(ServiceOf(sim, "k\\\xC3\xA9"), "lower");
    EXPECT_EQ(sim.CreateFile("\\\\.\\card7"), 1) << "the first card of a service given twice";
    EXPECT_EQ(sim.CreateFile("\\\\.\\CARD10"), 3);
    EXPECT_EQ(sim.CreateFile("\\\\.\\Card1"), platform::ndis::kInvalidHandle);
    EXPECT_EQ(sim.CreateFile("Card7"), platform::ndis::kInvalidHandle) << "no device prefix";
}

TEST(SimRegistryLookup, TheFirstAndLastOfManyKeysAndCardsAreFoundEachOnce) {
    constexpr int kCards = 5000;
    SimNetwork sim;
    for (int i = 0; i < kCards; ++i) {
        sim.keys.push_back(KeyWith("Net\\" + std::to_string(i), "Card" + std::to_string(i)));
        sim.cards.push_back({"Card" + std::to_string(i), {}});
    }
    const auto names = SubkeysOf(sim, "NET");
    ASSERT_EQ(names.size(), std::size_t{kCards});
    EXPECT_EQ(names.front(), "0");
    EXPECT_EQ(names[1], "1");
    EXPECT_EQ(names[2], "10");
    EXPECT_EQ(names.back(), "999");
    EXPECT_EQ(ServiceOf(sim, "net\\0"), "Card0");
    EXPECT_EQ(ServiceOf(sim, "net\\4999"), "Card4999");
    // Listed by number, found by name: "999" sorts after "4999".
    EXPECT_EQ(ServiceOf(sim, "NET\\999"), "Card999");
    EXPECT_EQ(ServiceOf(sim, "NET\\10"), "Card10");
    EXPECT_EQ(sim.CreateFile("\\\\.\\CARD0"), 1);
    EXPECT_EQ(sim.CreateFile("\\\\.\\card4999"), kCards);
    EXPECT_EQ(sim.EntriesVisited(), std::size_t{2 * kCards});
}
