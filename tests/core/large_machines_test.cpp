// Machines with thousands of devices: every request finds its device through
// an index made once, so the work grows with the device count, never with its
// square. The simulated areas count the list entries their requests looked
// through; the collections keep their limit of 32,767 items.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "collectors/LogicalDrives.h"
#include "collectors/Network.h"
#include "collectors/Printers.h"
#include "collectors/USBDevices.h"
#include "platform/sim/machine_document.h"
#include "platform/sim/sim_drives.h"
#include "platform/sim/sim_network.h"
#include "platform/sim/sim_usb.h"
#include "sim_fixture.h"

using testing_support::SimFrom;

namespace {

// `count` devices spread over hubs of `ports` ports, each hub a root hub.
std::string UsbMachine(int count, int ports = 200) {
    std::string devices;
    const int hubs = (count + ports - 1) / ports;
    for (int h = 0; h < hubs; ++h)
        devices += R"({"id": "USB\\ROOT_HUB\\)" + std::to_string(h) + R"(", "ports": )" + std::to_string(ports) + "},";
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        devices += R"({"id": "USB\\DEV\\)" + n + R"(", "parent": "USB\\ROOT_HUB\\)" + std::to_string(i / ports) +
                   R"(", "port": )" + std::to_string(i % ports + 1) + R"(, "driver": "{usb}\\)" + n +
                   R"(", "device": "12 01 00 02 00 00 00 08 6D 04 2B C5 03 12 00 00 00 01"})";
        if (i + 1 < count) devices += ",";
    }
    return R"({"usb": {"devices": [)" + devices + "]}}";
}

std::string NetworkMachine(int count) {
    std::string registry, network;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        registry += R"("Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\)" + n +
                    R"(": {"ServiceName": "Card)" + n + "\"}";
        network += R"("Card)" + n + R"(": {"address": "00 1B 21 3A 5B 7F", "description": "Card )" + n + "\"}";
        if (i + 1 < count) {
            registry += ",";
            network += ",";
        }
    }
    return R"({"registry": {)" + registry + R"(}, "network": {)" + network + "}}";
}

std::string LogicalDrivesMachine(int count) {
    std::string drives;
    for (int i = 0; i < count; ++i) {
        drives += R"({"root": "/mnt/)" + std::to_string(i) +
                  R"(", "volume": {"label": "v"}, "free_space": {"sectors_per_cluster": 8, "bytes_per_sector": 512,
                      "free_clusters": 1, "total_clusters": 2}})";
        if (i + 1 < count) drives += ",";
    }
    return R"({"logical_drives": [)" + drives + "]}";
}

}  // namespace

TEST(LargeMachines, UsbDevicesAreFoundOnTheirPortsThroughOneIndex) {
    constexpr int kDevices = 3000;
    auto machine = SimFrom(UsbMachine(kDevices));
    const collectors::USBDevices usb(*machine);
    ASSERT_EQ(usb.Count(), kDevices);
    EXPECT_EQ(usb.Item(0)->VendorID(), 0x046D);
    EXPECT_EQ(usb.Item(kDevices - 1)->ProductID(), 0xC52B);

    const auto& sim = dynamic_cast<platform::sim::SimUsb&>(machine->Usb());
    const std::size_t entries = kDevices + kDevices / 200;
    EXPECT_EQ(sim.EntriesVisited(), entries) << "each device once, whatever the number of requests";
    // Each hub is asked for its ports and their driver keys once, not once
    // for every device on it (that was 200 x 200 key requests a hub); then
    // each device for its descriptors: languages, device, configuration.
    const std::size_t hubs = kDevices / 200;
    EXPECT_EQ(sim.asked.Total(), hubs * (1 + 200) + std::size_t{kDevices} * 3);
    EXPECT_EQ(sim.asked.size(), platform::sim::RequestLog<platform::sim::SimUsb::Asked>::kKept)
        << "only the latest requests are kept";
    EXPECT_EQ(sim.asked.back().hub, "USB\\ROOT_HUB\\14");
}

TEST(LargeMachines, UsbDevicesPastTheLimitAreCountedNotAsked) {
    // 32,767 devices, then one more on a hub of its own, listed last.
    std::string text = UsbMachine(32767, 8);
    text.insert(text.size() - 3, R"(,{"id": "USB\\ROOT_HUB\\LAST", "ports": 1},
        {"id": "USB\\DEV\\LAST", "parent": "USB\\ROOT_HUB\\LAST", "port": 1, "driver": "{usb}\\LAST",
         "device": "12 01 00 02 00 00 00 08 6D 04 2B C5 03 12 00 00 00 01"})");
    auto machine = SimFrom(text);
    const collectors::USBDevices usb(*machine);
    ASSERT_EQ(usb.Count(), 32767) << "a collection holds at most 32,767 items";
    EXPECT_EQ(usb.Found(), 32768u) << "the device past the limit is counted";
    const auto& sim = dynamic_cast<platform::sim::SimUsb&>(machine->Usb());
    for (std::size_t i = 0; i < sim.asked.size(); ++i) {
        if (sim.asked[i].hub != "USB\\ROOT_HUB\\LAST") continue;
        EXPECT_NE(sim.asked[i].code, platform::usb::kGetDescriptorFromNodeConnection)
            << "the device past the limit was asked for its descriptors";
    }
}

TEST(LargeMachines, AListUpToTheLimitIsWhole) {
    auto machine = SimFrom(UsbMachine(32767, 8));
    const collectors::USBDevices usb(*machine);
    EXPECT_EQ(usb.Count(), 32767);
    EXPECT_EQ(usb.Found(), 32767u);
    EXPECT_FALSE(usb.Cut());
}

TEST(LargeMachines, NetworkCardsAreFoundInTheRegistryThroughOneIndex) {
    constexpr int kCards = 3000;
    auto machine = SimFrom(NetworkMachine(kCards));
    const collectors::Network network(*machine);
    ASSERT_EQ(network.Count(), kCards);
    // The registry enumerates names alphabetically: "0", "1", "10", "100", ...
    EXPECT_EQ(network.Item(1)->Name(), L"Card 1");
    EXPECT_EQ(network.Item(2)->Name(), L"Card 10");
    const auto& sim = dynamic_cast<platform::sim::SimNetwork&>(machine->Network());
    EXPECT_EQ(sim.EntriesVisited(), std::size_t{2 * kCards}) << "each key and each card once";
}

TEST(LargeMachines, LogicalDrivesAreFoundByNameAndThoseBeyondTheLimitAreCountedNotRead) {
    constexpr int kDrives = 32770;
    auto machine = SimFrom(LogicalDrivesMachine(kDrives));
    const collectors::LogicalDrives drives(*machine);
    ASSERT_EQ(drives.Count(), 32767) << "a collection holds at most 32,767 items";
    EXPECT_EQ(drives.Item(32766)->Letter(), L"/mnt/32766");
    EXPECT_EQ(drives.Item(32766)->Capacity(), 8192);
    EXPECT_EQ(drives.Found(), std::size_t{kDrives});
    EXPECT_TRUE(drives.Cut());
    const auto& sim = dynamic_cast<platform::sim::SimDrives&>(machine->Drives());
    EXPECT_EQ(sim.EntriesVisited(), std::size_t{kDrives}) << "each drive once";
}

TEST(LargeMachines, MoreThan32767PrintersListTheFirst32767) {
    for (const int count : {32767, 32768}) {
        std::string printers;
        for (int i = 0; i < count; ++i) printers += R"({"name": "P)" + std::to_string(i) + "\"},";
        printers += R"({"name": "Last"})";
        auto machine = SimFrom(R"({"spooler": {"default_printer": "P32766", "printers": [)" + printers + "]}}");
        const collectors::Printers list(*machine);
        ASSERT_EQ(list.Count(), 32767) << count + 1 << " printers";
        EXPECT_EQ(list.Found(), static_cast<std::size_t>(count + 1));
        EXPECT_EQ(list.Item(0)->Name(), L"P0");
        EXPECT_EQ(list.Item(32766)->Name(), L"P32766");
        EXPECT_TRUE(list.Item(32766)->Selected());
    }
}

namespace {

// The work reading a document does: every value placed once, names compared
// a bounded number of times each.
struct ReadingCost {
    std::size_t values = 0;
    std::size_t members = 0;
    platform::sim::MachineDocument::Work work;
};

ReadingCost CostOf(const std::string& text) {
    const auto document = platform::sim::ParseMachineText(text);
    ReadingCost cost{document.Size(), 0, document.ReadingWork()};
    for (std::uint32_t i = 0; i < document.Size(); ++i)
        cost.members += document.At(i).Kind() == platform::sim::ValueKind::kKey ? 1 : 0;
    return cost;
}

}  // namespace

TEST(LargeMachines, ReadingAMachineFileDoesWorkInProportionToItsSize) {
    // A list of objects (each closed object once rescanned its whole list),
    // and one object of many members (each name once compared with all before it).
    const auto printers = [](int count) {
        std::string list;
        for (int i = 0; i < count; ++i) list += std::string(i ? "," : "") + R"({"name": "P)" + std::to_string(i) + "\"}";
        return R"({"spooler": {"printers": [)" + list + "]}}";
    };
    for (const auto& make : {std::function<std::string(int)>(printers), std::function<std::string(int)>(NetworkMachine)}) {
        const ReadingCost small = CostOf(make(3000));
        const ReadingCost large = CostOf(make(30000));
        for (const ReadingCost& cost : {small, large}) {
            EXPECT_EQ(cost.work.recordsWritten, cost.values) << "each value placed once";
            EXPECT_LE(cost.work.namesCompared, 16 * cost.members) << "a name is compared with at most 16 others";
        }
        EXPECT_LE(large.work.recordsWritten, 11 * small.work.recordsWritten);
        EXPECT_LE(large.work.namesCompared, 11 * small.work.namesCompared);
        // Names sorted: at most n log n, once for an object written out of order.
        EXPECT_LE(large.work.namesSorted, 2 * large.members * 16);
    }
}

TEST(LargeMachines, AnObjectOfManyMembersFindsEachAndRefusesOneGivenTwice) {
    // Past sixteen members the names go into a set; keys spelt with escapes are the same keys.
    std::string registry;
    for (int i = 0; i < 5000; ++i) registry += R"("Key\\)" + std::to_string(4999 - i) + R"(": {"v": "x"},)";
    auto machine = SimFrom(R"({"registry": {)" + registry + R"("last": {}}})");
    const auto& sim = dynamic_cast<platform::sim::SimNetwork&>(machine->Network());
    ASSERT_EQ(sim.keys.size(), 5001u);
    EXPECT_EQ(sim.keys.front().path, "Key\\0") << "members in the order of their names";
    EXPECT_EQ(sim.keys[1].path, "Key\\1");
    EXPECT_EQ(sim.keys.back().path, "last");
    // The first name, the 16th and 17th (where the set takes over), one past them, and the last.
    for (const char* again : {R"("K\u0065y\\4999")", R"("Key\\4984")", R"("Key\\4983")", R"("Key\\17")", R"("Key\\0")"}) {
        const std::string text = "{\"registry\": {" + registry + "\n  " + std::string(again) + ": {}}}";
        try {
            SimFrom(text);
            ADD_FAILURE() << again << " is given twice";
        } catch (const platform::sim::SimFileError& e) {
            EXPECT_EQ(std::string(e.what()).substr(0, 19), "line 2, column 3: t") << e.what();
        }
    }
}
