// Text from the machine at the outputs: every name a page shows, holding
// terminal controls and line breaks, reaches the report escaped on its own
// line; names in another code page keep their identity.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/pages/CollectorSet.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
#include "base/printable_text.h"
#include "collectors/Joysticks.h"
#include "collectors/LogicalDrives.h"
#include "sim_fixture.h"

using testing_support::SimFrom;

namespace {

std::string Report(platform::Machine& machine) {
    app::CollectorSet collectors(machine);
    const app::TranslatedWindowTexts texts;
    return app::ReportWriter(collectors, texts).Compose(app::kAllCategories).value();
}

std::vector<std::string> Lines(const std::string& report) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = report.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(report.substr(start, end - start));
    return lines;
}

// ESC sequences (clear screen, set the title), BEL, CR LF with a forged line
// after it, an undefined Windows-1252 byte (a C1 control once decoded), DEL.
// 31 bytes, so that it fits the 32-byte name fields of sound devices and joysticks.
constexpr const char* kHostile = R"(Cru\u001b[2J\u001b]0;pw\u0007zer\r\nLetter: /x\u0081\u007f)";
constexpr const char* kShown = R"(Cru\x1B[2J\x1B]0;pw\x07zer\x0D\x0ALetter: /x\x81\x7F)";
// The eight bytes of INQUIRY's vendor field.
constexpr const char* kHostileVendor = R"(A\u001b[2J\r\nB)";
constexpr const char* kShownVendor = R"(A\x1B[2J\x0D\x0AB)";

std::string HostileMachine() {
    const std::string h = kHostile;
    // INQUIRY data: peripheral type 5, then the vendor's eight bytes at offset 8.
    std::string inquiry = "05 80 05 32 5b 00 00 00";
    for (const char c : std::string("A\x1b[2J\r\nB")) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02x", static_cast<unsigned char>(c));
        inquiry += hex;
    }
    inquiry += " 44 56 44 20 20 20 20 20 20 20 20 20 20 20 20 20 31 2e 30 30";
    return R"({
      "display": {"adapters": [{"description": ")" + h + R"(", "primary": true, "monitors": [")" + h + R"("]}]},
      "registry": {"Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\1": {"ServiceName": "nic"}},
      "network": {"nic": {"address": "00 1B 21 3A 5B 7F", "description": ")" + h + R"("}},
      "wave": {"inputs": [{"name": ")" + h + R"("}]},
      "joysticks": {"devices": [{"slot": 0, "name": ")" + h + R"(", "axes": 2, "buttons": 4}]},
      "spooler": {"printers": [{"name": ")" + h + R"(", "port": ")" + h + R"("}],
                  "ports": [{"name": ")" + h + R"("}]},
      "disks": {"0": {"identify": {"model": ")" + h + R"("}}},
      "logical_drives": [{"root": ")" + h + R"(", "type": 3, "volume": {"label": ")" + h + R"(", "file_system": "NTFS"}},
                         {"root": "D:\\", "type": 5}],
      "optical_drives": {"D:": {"scsi_address": {"port": 1}, "commands": {"12 00 00 00 24 00": {"data": ")" +
           inquiry + R"("}}}},
      "usb": {"devices": [
        {"id": "USB\\ROOT_HUB20\\4&1", "driver": "{usb}\\0001", "ports": 4},
        {"id": "USB\\VID_046D&PID_C52B\\5&2", "parent": "USB\\ROOT_HUB20\\4&1", "port": 3,
         "driver": "{usb}\\0002", "description": ")" + h + R"(", "languages": "04 03 09 04",
         "device": "12 01 00 02 00 00 00 08 6D 04 2B C5 03 12 01 02 03 01",
         "strings": {"1": ")" + h + R"(", "2": ")" + h + R"(", "3": "0123"}}]}
    })";
}

}  // namespace

TEST(MachineText, EveryNameReachesTheReportEscapedOnItsOwnLine) {
    auto machine = SimFrom(HostileMachine());
    const std::string report = Report(*machine);
    // No control byte but the CR LF that ends each line, no DEL, none of the
    // five bytes Windows-1252 leaves undefined.
    for (std::size_t i = 0; i < report.size(); ++i) {
        const auto b = static_cast<unsigned char>(report[i]);
        const bool lineEnd = (b == '\r' && i + 1 < report.size() && report[i + 1] == '\n') ||
                             (b == '\n' && i > 0 && report[i - 1] == '\r');
        EXPECT_TRUE(lineEnd || (b >= 0x20 && b != 0x7F && b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D))
            << "byte " << int(b) << " at " << i;
    }
    const auto lines = Lines(report);
    const auto count = [&](const std::string& line) { return std::count(lines.begin(), lines.end(), line); };
    const std::string shown = kShown;
    // Display (name), network, sound, printer, joystick, hard drive, volume
    // label, port, USB device.
    EXPECT_EQ(count("Naam: " + shown), 9);
    EXPECT_EQ(count("Monitor: " + shown), 1);
    EXPECT_EQ(count("Poort: " + shown), 1);
    EXPECT_EQ(count("Letter: " + shown), 1);
    EXPECT_EQ(count("Fabrikant: " + shown), 1) << "the USB device's manufacturer";
    EXPECT_EQ(count("Fabrikant: " + std::string(kShownVendor)), 1) << "the optical drive's INQUIRY vendor";
    EXPECT_EQ(count("Letter: D:"), 1);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("Letter:"); }), 2)
        << "no forged line";
}

TEST(MachineText, PrintableTextEscapesEveryControlAndNothingElse) {
    for (std::uint32_t c = 0; c <= 0x10FFFF; c = c < 0x3000 ? c + 1 : c + 0x101) {
        const std::wstring one(1, static_cast<wchar_t>(c));
        const std::wstring shown = base::PrintableText(one);
        const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
        if (control) {
            wchar_t expected[5];
            std::swprintf(expected, 5, L"\\x%02X", c);
            EXPECT_EQ(shown, expected) << c;
        } else if (c == 0x2028 || c == 0x2029 || (c >= 0x202A && c <= 0x202E) ||
                   (c >= 0x2066 && c <= 0x2069) || c == 0x061C || c == 0x200E || c == 0x200F) {
            wchar_t expected[7];
            std::swprintf(expected, 7, L"\\u%04X", c);
            EXPECT_EQ(shown, expected) << c;
        } else {
            EXPECT_EQ(shown, one) << c;
        }
    }
}

TEST(MachineText, AUtf8MachineKeepsNamesTheReportWritesQuestionMarksAtItsEdge) {
    auto machine = SimFrom(R"({"code_page": "utf-8",
        "joysticks": {"devices": [{"slot": 0, "name": "G\u00e4mepad \u2122 \u5317\u4eac", "axes": 2, "buttons": 4}]},
        "logical_drives": [{"root": "/media/\u0424\u043e\u0442\u043e", "volume": {"file_system": "tmpfs"},
                            "free_space": {"sectors_per_cluster": 8, "bytes_per_sector": 512, "free_clusters": 1,
                                           "total_clusters": 1048576}},
                           {"root": "/media/\u0424\u0438\u0437\u043e", "volume": {"file_system": "tmpfs"},
                            "free_space": {"sectors_per_cluster": 8, "bytes_per_sector": 512, "free_clusters": 1,
                                           "total_clusters": 2097152}}]})");
    EXPECT_EQ(machine->TextCodePage(), base::CodePage::kUtf8);
    EXPECT_EQ(collectors::Joysticks(*machine).Item(0)->Name(), L"G\u00e4mepad \u2122 \u5317\u4eac");
    collectors::LogicalDrives drives(*machine);
    ASSERT_EQ(drives.Count(), 2);
    EXPECT_EQ(drives.Item(0)->Letter(), L"/media/\u0424\u043e\u0442\u043e");
    EXPECT_EQ(drives.Item(1)->Letter(), L"/media/\u0424\u0438\u0437\u043e");
    EXPECT_EQ(drives.Item(0)->Capacity(), 4294967296LL);
    EXPECT_EQ(drives.Item(1)->Capacity(), 8589934592LL);
    const auto lines = Lines(Report(*machine));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Naam: G\xe4mepad \x99 ??"), lines.end());
}

TEST(MachineText, TheFileNamesItsCodePageOrIsRefused) {
    EXPECT_EQ(SimFrom(R"({"code_page": "windows-1252"})")->TextCodePage(), base::CodePage::kWindows1252);
    EXPECT_EQ(SimFrom("{}")->TextCodePage(), base::CodePage::kWindows1252);
    try {
        SimFrom(R"({"code_page": "koi8-r"})");
        FAIL() << "an unknown code page is refused";
    } catch (const platform::sim::SimFileError& e) {
        EXPECT_STREQ(e.what(), "/code_page: expected \"windows-1252\" or \"utf-8\"");
    }
}
