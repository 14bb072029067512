// The machine file capture: every shipped machine recorded through the
// recording machine, written as a machine file and read back, reports the
// same as the original, byte for byte, in text and in JSON.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/pages/CollectorSet.h"
#include "app/pages/JsonReport.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
#include "cli/capture/machine_capture.h"
#include "cli/capture/machine_file_command.h"
#include <nlohmann/json.hpp>

#include "platform/drive_services.h"

#include "sim_fixture.h"

using testing_support::ReadFile;
using testing_support::SimFrom;
using testing_support::SourcePath;

namespace {

std::string TextReport(platform::Machine& machine) {
    app::CollectorSet collectors(machine);
    const app::TranslatedWindowTexts texts;
    return app::ReportWriter(collectors, texts).Compose(app::kAllCategories).value();
}

std::string JsonReport(platform::Machine& machine) {
    app::CollectorSet collectors(machine);
    const app::TranslatedWindowTexts texts;
    return app::JsonReport(collectors, texts).Compose(app::kAllCategories, "test").value();
}

std::vector<std::string> ShippedMachines() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(SourcePath("tests/machines")))
        if (entry.path().extension() == ".json") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(MachineCapture, EveryShippedMachineReportsTheSameFromItsCapture) {
    const auto files = ShippedMachines();
    ASSERT_GE(files.size(), 7u);
    for (const auto& file : files) {
        const std::string original = ReadFile(file);
        auto recorded = SimFrom(original);
        const std::string captured = cli::CaptureMachineFile(*recorded, "captured");
        std::unique_ptr<platform::sim::SimMachine> replay;
        ASSERT_NO_THROW(replay = SimFrom(captured)) << file << "\n" << captured;
        EXPECT_EQ(TextReport(*replay), TextReport(*SimFrom(original))) << file << "\n" << captured;
        EXPECT_EQ(JsonReport(*SimFrom(captured)), JsonReport(*SimFrom(original))) << file;
    }
}

namespace {

// Answers the shipped machines do not give: a driver's claimed reply length,
// a hub's speed flags and the length it claims for a driver key name, a
// print server connection, refused and pending ASPI commands, a volume whose
// byte counts are not whole clusters, a standard user, raw key states.
constexpr const char* kEdges = R"({
  "elevated": false,
  "keys": {"caps": -127, "num": true},
  "power": null,
  "registry": {"Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\1": {"ServiceName": "E1G60",
               "Extra": {"type": 3, "hex": "01 02"}}},
  "network": {"E1G60": {"address": {"hex": "00 1B 21 3A 5B 7F", "returned": 12},
                        "description": {"text": "Intel", "returned": 3}, "version": "0A 04"}},
  "spooler": {"printers": [{"name": "Lokaal"},
                           {"server": "\\\\srv", "name": "\\\\srv\\Q", "connection": true}],
              "ports_size_query_succeeds": true, "ports": [], "default_printer": null},
  "usb": {"devices": [
    {"id": "USB\\ROOT_HUB30\\4&1", "driver": "{usb}\\0001", "ports": 4},
    {"id": "USB\\VID_0781&PID_5583\\A1", "parent": "USB\\ROOT_HUB30\\4&1", "port": 2, "driver": "{usb}\\0002",
     "actual_length": 200, "superspeed": true, "device": "12 01 20 03 00 00 00 09 81 07 83 55 00 01 00 00 00 01",
     "configuration": "09 02 2C 00 01 01 00 80 70"},
    {"id": "USB\\VID_046D&PID_C52B\\5&2", "parent": "USB\\ROOT_HUB30\\4&1", "port": 3, "driver": "{usb}\\0003",
     "superspeed": false, "device": "12 01 00 02 00 00 00 08 6D 04 2B C5 03 12 00 00 00 01",
     "configuration": "09 02 22 00 01 01 00 A0 32"}]},
  "optical_drives": {"D:": {"scsi_address": {"target": 1}, "commands": {"12 00 00 00 24 00": {"data": "05 80"}}}},
  "logical_drives": [{"root": "D:\\", "type": 5},
                     {"root": "C:\\", "volume": {"label": "S", "file_system": "NTFS", "serial": 1},
                      "free_space": {"sectors_per_cluster": 8, "bytes_per_sector": 512, "free_clusters": 10,
                                     "total_clusters": 20, "total_bytes": 81925, "free_bytes": 40961,
                                     "available_bytes": 4096}}],
  "wave": {"outputs": [{"name": "Speakers", "version": "0x050A"}, {"result": 4}], "output_count": 3},
  "joysticks": {"slots": 4, "devices": [{"slot": 1, "name": "Pad", "axes": 2, "buttons": 8, "attached": false},
                                         {"slot": 2, "name": "Stick", "axes": 3, "buttons": 4}]}
})";

}  // namespace

TEST(MachineCapture, KeepsEveryAnswerTheCollectorsAskedFor) {
    const std::string captured = cli::CaptureMachineFile(*SimFrom(kEdges), "edges");
    EXPECT_EQ(TextReport(*SimFrom(captured)), TextReport(*SimFrom(kEdges))) << captured;
    EXPECT_EQ(JsonReport(*SimFrom(captured)), JsonReport(*SimFrom(kEdges))) << captured;
    const auto file = nlohmann::json::parse(captured);
    EXPECT_EQ(file["elevated"], false);
    EXPECT_EQ(file["keys"]["caps"], -127);
    EXPECT_TRUE(file["power"].is_null());
    EXPECT_EQ(file["network"]["E1G60"]["address"]["returned"], 12);
    // Only the bytes the driver says it wrote are kept.
    EXPECT_EQ(file["network"]["E1G60"]["description"], nlohmann::json({{"hex", "49 6E 74"}}));
    EXPECT_EQ(file["spooler"]["printers"][1]["connection"], true);
    EXPECT_FALSE(file["spooler"]["printers"][0].contains("connection"));
    EXPECT_EQ(file["spooler"]["ports_size_query_succeeds"], true);
    const auto& usb = file["usb"]["devices"];
    ASSERT_EQ(usb.size(), 3u);
    EXPECT_EQ(usb[1]["actual_length"], 200);
    EXPECT_EQ(usb[1]["superspeed"], true);
    EXPECT_EQ(usb[2]["superspeed"], false);
    EXPECT_FALSE(usb[2].contains("actual_length")) << "the usual length is left to the default";
    const auto& space = file["logical_drives"][1]["free_space"];
    EXPECT_EQ(space["total_bytes"], 81925);
    EXPECT_EQ(space["free_bytes"], 40961);
    EXPECT_EQ(space["available_bytes"], 4096);
    // The simulated volume answers those counts, not the clusters' product.
    const auto ex = SimFrom(captured)->Drives().GetDiskFreeSpaceExA("C:\\");
    ASSERT_TRUE(ex);
    EXPECT_EQ(ex->totalNumberOfBytes, 81925u);
    EXPECT_EQ(ex->totalNumberOfFreeBytes, 40961u);
    EXPECT_EQ(ex->freeBytesAvailableToCaller, 4096u);
    EXPECT_EQ(file["wave"]["output_count"], 3);
    EXPECT_EQ(file["wave"]["outputs"][1]["result"], 4);
    EXPECT_EQ(file["joysticks"]["devices"][0]["attached"], false);
    EXPECT_FALSE(file["joysticks"]["devices"][1].contains("attached"));
    // A capture of the capture is the capture: nothing is lost the second time.
    EXPECT_EQ(cli::CaptureMachineFile(*SimFrom(captured), "edges"), captured);
}

TEST(MachineFileCommand, HelpVersionAndBadArgumentsAsTheOtherPrograms) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out, err;
    };
    const Case cases[] = {
        {{"--version"}, 0, "veltrix-capture ", ""},
        {{"--help"}, 0, "usage: veltrix-capture [--privacy] [--help] [--version] FILE.json\n", ""},
        {{}, 2, "", "veltrix-capture: expected one machine file to write (see veltrix-capture --help)\n"},
        {{"a.json", "b.json"}, 2, "", "veltrix-capture: expected one machine file to write (see veltrix-capture --help)\n"},
        {{"--bogus\x1b", "a.json"}, 2, "", "veltrix-capture: unknown option \"--bogus\\x1B\" (see veltrix-capture --help)\n"},
    };
    for (const auto& c : cases) {
        cli::StringOutput out;
        std::ostringstream err;
        EXPECT_EQ(cli::RunMachineFileCapture(c.args, out, err), c.status) << c.err;
        EXPECT_EQ(out.text.substr(0, c.out.size()), c.out);
        EXPECT_EQ(err.str(), c.err);
    }
}

// ASPI commands that complete at once, after their event is waited for, or
// never: each is kept as it completed, under the ASPI device's own drive.
TEST(MachineCapture, KeepsHowEachAspiCommandCompleted) {
    auto machine = nlohmann::json::parse(ReadFile(SourcePath("tests/machines/windows-drives.json")));
    auto& commands = machine["optical_drives"]["D:"]["commands"];
    commands["12 00 00 00 24 00"]["completion"] = "after-wait";
    commands["5a 00 2a 00 00 00 00 00 1e 00"]["completion"] = "never";
    const std::string original = machine.dump();
    const std::string captured = cli::CaptureMachineFile(*SimFrom(original), "aspi");
    EXPECT_EQ(TextReport(*SimFrom(captured)), TextReport(*SimFrom(original)));
    const auto file = nlohmann::json::parse(captured);
    ASSERT_TRUE(file["aspi"]["adapters"][1]["devices"][0].is_object()) << captured;
    const std::string drive = file["aspi"]["adapters"][1]["devices"][0]["drive"];
    const auto& kept = file["optical_drives"][drive]["commands"];
    EXPECT_EQ(kept["12 00 00 00 24 00"]["completion"], "after-wait") << captured;
    EXPECT_EQ(kept["5A 00 2A 00 00 00 00 00 1E 00"]["completion"], "never") << captured;
}
