// A masked machine file capture: a simulated machine with planted
// identifiers, captured with its identifiers masked, holds none of them in
// any form, still reads, and reports line for line as the unmasked capture
// does, each masked value in its value's shape.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/pages/CollectorSet.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
#include "cli/capture/machine_capture.h"
#include "cli_run.h"
#include "environment.h"
#include "platform/recording/machine_record.h"
#include "sim_fixture.h"
#include "temp_dir.h"

using testing_support::SimFrom;

namespace {

// Every identifier below is planted once and must not survive the capture.
constexpr const char* kPlanted = R"({
  "processor": {"count": 1, "type": 586, "cpuid": {"0x1": ["0x000006F2", 0, 0, "0x00040000"],
                                                   "0x3": [0, 0, "0xC0DEFACE", "0x0BADF00D"]}},
  "disks": {
    "0": {"identify": {"model": "ST2000DM008-2FR102", "firmware": "0001", "serial": "ZPLANT01"},
          "descriptor": {"bus_type": 11, "product": "ST2000DM008-2FR102", "serial": "ZPLANT02"},
          "geometry": {"cylinders": 243201, "tracks_per_cylinder": 255, "sectors_per_track": 63, "bytes_per_sector": 512}},
    "1": {"descriptor": {"bus_type": 17, "product": "Samsung SSD 970 EVO Plus 1TB", "serial": "S4PLANT03"},
          "nvme_identify": {"model": "Samsung SSD 970 EVO Plus 1TB", "firmware": "2B2QEXM7", "serial": "S4PLANT04"},
          "geometry": {"cylinders": 121601, "tracks_per_cylinder": 255, "sectors_per_track": 63, "bytes_per_sector": 512,
                       "disk_size": 1000204886016}}},
  "logical_drives": [{"root": "C:\\", "volume": {"label": "Systeem", "file_system": "NTFS", "serial": "0x5EED1234"},
                      "free_space": {"sectors_per_cluster": 8, "bytes_per_sector": 512, "free_clusters": 1000, "total_clusters": 2000}}],
  "registry": {"Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\1": {"ServiceName": "E1G60"}},
  "network": {"E1G60": {"address": "00 1B 21 C0 FF EE", "description": "Intel(R) PRO/1000", "version": "0A 04"}},
  "spooler": {"default_printer": "\\\\plantsrv\\Kantoor",
    "printers": [{"name": "Lokaal", "port": "C:\\Users\\plantuser\\print.prn", "driver": "Generic"},
                 {"server": "\\\\plantsrv", "name": "\\\\plantsrv\\Kantoor", "share": "Kantoor", "port": "IP_10.1.2.3",
                  "driver": "HP Universal Printing PCL 6", "connection": true}],
    "ports": [{"name": "C:\\Users\\plantuser\\print.prn", "monitor": "Local Port", "type": 1}]},
  "usb": {"devices": [
    {"id": "USB\\ROOT_HUB30\\4&1", "driver": "{usb}\\0001", "ports": 4},
    {"id": "USB\\VID_0781&PID_5583\\PLANTUSB05", "parent": "USB\\ROOT_HUB30\\4&1", "port": 2,
     "driver": "{usb}\\0002", "description": "USB Mass Storage Device", "languages": "04 03 09 04",
     "device": "12 01 10 02 00 00 00 40 81 07 83 55 00 01 01 02 03 01",
     "configuration": "09 02 20 00 01 01 00 80 32",
     "strings": {"1": "SanDisk", "2": "Ultra Fit", "3": "PLANTUSB05"}}]}
})";

std::string Report(platform::Machine& machine) {
    app::CollectorSet collectors(machine);
    const app::TranslatedWindowTexts texts;
    return app::ReportWriter(collectors, texts).Compose(app::kAllCategories).value();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// A text as the file may hold it: itself, in hex pairs, and in the
// pair-swapped hex of an ATA text field.
std::vector<std::string> Forms(const std::string& value) {
    std::vector<std::uint8_t> bytes(value.begin(), value.end());
    std::vector<std::uint8_t> swapped = bytes;
    for (std::size_t i = 0; i + 1 < swapped.size(); i += 2) std::swap(swapped[i], swapped[i + 1]);
    return {value, platform::recording::HexPairs(bytes), platform::recording::HexPairs(swapped).substr(0, 11)};
}

}  // namespace

TEST(MachineCapturePrivacy, NoPlantedIdentifierSurvivesAndTheReportKeepsItsShape) {
    testing_support::SetEnvironment("VELTRIX_PRIVACY_KEY", "test");
    auto original = SimFrom(kPlanted);
    const std::string masked = cli::CaptureMachineFile(*original, "masked", true);
    const std::string plain = cli::CaptureMachineFile(*SimFrom(kPlanted), "plain", false);
    const std::string maskedReport = Report(*SimFrom(masked));
    const std::string plainReport = Report(*SimFrom(plain));
    ASSERT_EQ(plainReport, Report(*SimFrom(kPlanted)));
    for (const std::string value : {"ZPLANT01", "ZPLANT02", "S4PLANT03", "S4PLANT04", "C0 FF EE", "C0-FF-EE",
                                    "5EED-1234", "1592594996", "C0DEFACE", "0BADF00D", "3235838670", "195948557", "plantsrv", "plantuser", "PLANTUSB05"}) {
        for (const std::string& form : Forms(value)) {
            EXPECT_EQ(masked.find(form), std::string::npos) << value << " as " << form << " in\n" << masked;
            EXPECT_EQ(maskedReport.find(form), std::string::npos) << value << " as " << form;
        }
        EXPECT_NE(plain.find(value) == std::string::npos && plainReport.find(value) == std::string::npos, true)
            << value << " is planted where the capture keeps it";
    }
    // Kept: models, vendors, the manufacturer's part of a MAC address, shares.
    for (const std::string kept : {"ST2000DM008-2FR102", "00 1B 21", "Kantoor", "SanDisk", "Ultra Fit"})
        EXPECT_NE(masked.find(kept), std::string::npos) << kept;
    const auto maskedLines = Lines(maskedReport), plainLines = Lines(plainReport);
    ASSERT_EQ(maskedLines.size(), plainLines.size());
    int changed = 0;
    for (std::size_t i = 0; i < plainLines.size(); ++i) {
        EXPECT_EQ(maskedLines[i].size(), plainLines[i].size()) << plainLines[i] << " / " << maskedLines[i];
        changed += maskedLines[i] != plainLines[i];
    }
    EXPECT_GE(changed, 6) << maskedReport;
    // The same key gives the same masks: a later capture agrees.
    EXPECT_EQ(cli::CaptureMachineFile(*SimFrom(kPlanted), "masked", true), masked);
    testing_support::UnsetEnvironment("VELTRIX_PRIVACY_KEY");
}

// veltrix-report --privacy of a machine file reports the file's masked
// capture: in text and JSON, byte for byte, from --machine and from
// VELTRIX_MACHINE alike, and a comparison of two masked runs finds the same
// masks.
TEST(MachineCapturePrivacy, TheReportOfAMachineFileMasksAsItsMaskedCapture) {
    testing_support::SetEnvironment("VELTRIX_PRIVACY_KEY", "report");
    testing_support::TempDir dir;
    const std::string planted = dir.File("planted.json"), masked = dir.File("masked.json");
    std::ofstream(planted, std::ios::binary) << kPlanted;
    std::ofstream(masked, std::ios::binary) << cli::CaptureMachineFile(*SimFrom(kPlanted), "masked", true);
    using testing_support::Report;
    for (const std::vector<std::string>& form : {std::vector<std::string>{"--encoding", "utf-8"},
                                                std::vector<std::string>{"--format", "json"}}) {
        auto args = form;
        args.insert(args.end(), {"--privacy", "--machine", planted});
        const auto reported = Report(args);
        ASSERT_EQ(reported.status, 0) << reported.err;
        EXPECT_EQ(reported.err, "");
        args = form;
        args.insert(args.end(), {"--machine", masked});
        EXPECT_EQ(reported.out, Report(args).out) << form.back();
        for (const char* value : {"ZPLANT01", "S4PLANT04", "C0-FF-EE", "plantsrv", "plantuser", "PLANTUSB05"})
            EXPECT_EQ(reported.out.find(value), std::string::npos) << value << " in " << form.back();
        testing_support::SetEnvironment("VELTRIX_MACHINE", planted);
        args = form;
        args.push_back("--privacy");
        EXPECT_EQ(Report(args).out, reported.out) << "VELTRIX_MACHINE " << form.back();
        testing_support::UnsetEnvironment("VELTRIX_MACHINE");
    }
    const std::string earlier = dir.File("earlier.json");
    std::ofstream(earlier, std::ios::binary) << Report({"--format", "json", "--privacy", "--machine", planted}).out;
    const auto compared = Report({"--changes-since", earlier, "--privacy", "--machine", planted});
    EXPECT_EQ(compared.status, 0) << compared.out << compared.err;
    EXPECT_EQ(compared.out, "");
    // Without --privacy every planted value is back: a comparison sees them all changed.
    EXPECT_EQ(Report({"--changes-since", earlier, "--machine", planted}).status, 1);
    testing_support::UnsetEnvironment("VELTRIX_PRIVACY_KEY");
}

TEST(MachineCapturePrivacy, AMachineFileThatCannotBeReadFailsAsWithoutPrivacy) {
    testing_support::TempDir dir;
    const std::string broken = dir.File("broken.json");
    std::ofstream(broken, std::ios::binary) << "{\"processor\": ";
    for (const std::string& file : {broken, dir.File("none.json")}) {
        const auto plain = testing_support::Report({"--machine", file});
        const auto masked = testing_support::Report({"--privacy", "--machine", file});
        testing_support::ExpectOneLineError(masked);
        EXPECT_EQ(masked.err, plain.err);
        EXPECT_NE(masked.err.find(file), std::string::npos) << masked.err;
    }
}

// Over every shipped machine file the masks change identifiers and nothing
// else: the same lines, a changed one only under an identifier's caption and
// in the value's length.
TEST(MachineCapturePrivacy, EveryShippedMachineFileChangesOnlyItsIdentifiers) {
    testing_support::SetEnvironment("VELTRIX_PRIVACY_KEY", "shipped");
    int changed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(testing_support::SourcePath("tests/machines"))) {
        if (entry.path().extension() != ".json") continue;
        const std::string file = entry.path().string();
        const auto plain = testing_support::Report({"--encoding", "utf-8", "--machine", file});
        const auto masked = testing_support::Report({"--encoding", "utf-8", "--privacy", "--machine", file});
        ASSERT_EQ(masked.status, 0) << file << ": " << masked.err;
        const auto plainLines = Lines(plain.out), maskedLines = Lines(masked.out);
        ASSERT_EQ(maskedLines.size(), plainLines.size()) << file;
        for (std::size_t i = 0; i < plainLines.size(); ++i) {
            if (maskedLines[i] == plainLines[i]) continue;
            ++changed;
            const std::string caption = plainLines[i].substr(0, plainLines[i].find(": ") + 2);
            EXPECT_TRUE(caption == "Serienummer: " || caption == "MAC Adres: " || caption == "Naam: ")
                << file << ": " << plainLines[i] << " / " << maskedLines[i];
            EXPECT_EQ(maskedLines[i].size(), plainLines[i].size()) << file << ": " << plainLines[i];
            EXPECT_EQ(maskedLines[i].rfind(caption, 0), 0u) << file << ": " << maskedLines[i];
        }
    }
    // Disk, volume and USB serials, MAC addresses and a print server are planted there.
    EXPECT_GE(changed, 9);
    testing_support::UnsetEnvironment("VELTRIX_PRIVACY_KEY");
}
