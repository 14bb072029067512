// Names from a Linux tree at the report's edge: a disk model holding terminal
// controls and a mount point holding a line feed stay on their own lines,
// escaped; two Cyrillic mount points keep their names and their own figures.

#include <gtest/gtest.h>

#include <algorithm>

#include "support.h"

namespace {

using linux_tests::ReportLines;
using linux_tests::RunProgram;
using linux_tests::TempDir;

std::vector<std::string> Report(const TempDir& tree, const char* category) {
    const auto run = RunProgram({VELTRIX_REPORT_PROGRAM, "--root", tree.Path(), "--category", category});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return ReportLines(run.out);
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// statvfs figures as the recorded reply holds them: fragment size, blocks,
// free blocks, available blocks (64-bit little-endian each).
std::string StatvfsReply(std::uint64_t blocks) {
    std::string hex;
    for (const std::uint64_t value : {std::uint64_t{4096}, blocks, blocks / 2, blocks / 2})
        for (int i = 0; i < 8; ++i) {
            char byte[4];
            std::snprintf(byte, sizeof byte, "%02x ", static_cast<unsigned>((value >> (8 * i)) & 0xFF));
            hex += byte;
        }
    return hex;
}

}  // namespace

TEST(MachineTextTree, AHostileDiskModelAndMountPointStayOnTheirLinesEscaped) {
    TempDir tree;
    tree.Write("sys/block/sdc/size", "1000\n");
    tree.Write("sys/block/sdc/dev", "8:32\n");
    tree.Write("sys/block/sdc/removable", "0\n");
    tree.Write("sys/block/sdc/device/model", "Cru\033[2J\033]0;pwned\007zer\n");
    tree.Write("proc/self/mountinfo", "40 1 0:50 / /mnt/x\\012Letter:\\040/fake rw - tmpfs tmpfs rw\n");
    const auto disks = Report(tree, "9");
    EXPECT_TRUE(Has(disks, "Naam: Cru\\x1B[2J\\x1B]0;pwned\\x07zer")) << "the trailing line feed is trimmed";
    const auto volumes = Report(tree, "11");
    EXPECT_TRUE(Has(volumes, "Letter: /mnt/x\\x0ALetter: /fake"));
    EXPECT_EQ(std::count_if(volumes.begin(), volumes.end(), [](const std::string& l) { return l.starts_with("Letter:"); }),
              1);
    for (const auto& lines : {disks, volumes})
        for (const auto& line : lines)
            for (const char c : line) EXPECT_GE(static_cast<unsigned char>(c), 0x20) << line;
}

TEST(MachineTextTree, TwoCyrillicMountPointsKeepTheirNamesAndTheirOwnFigures) {
    TempDir tree;
    tree.Write("proc/self/mountinfo",
               "41 1 0:51 / /media/\xd0\xa4\xd0\xbe\xd1\x82\xd0\xbe rw - tmpfs tmpfs rw\n"
               "42 1 0:52 / /media/\xd0\xa4\xd0\xb8\xd0\xb7\xd0\xbe rw - tmpfs tmpfs rw\n");
    tree.Write(".veltrix/replies/statvfs/41.hex", StatvfsReply(1048576));  // 4 GiB
    tree.Write(".veltrix/replies/statvfs/42.hex", StatvfsReply(2097152));  // 8 GiB
    const auto lines = Report(tree, "11");
    // The report is Windows-1252: the Cyrillic letters become "?" there, and
    // only there; each volume keeps its own figures.
    const std::vector<std::string> expected = {
        "Logische Stations", "-----------------",
        "Index: 0", "Letter: /media/????", "Type: RAM Schijf", "Bestandssysteem: tmpfs", "Naam: ", "Serienummer: Onbekend",
        "Capaciteit: 4,294,967,296 bytes", "Vrije Ruimte: 2,147,483,648 bytes", "",
        "Index: 1", "Letter: /media/????", "Type: RAM Schijf", "Bestandssysteem: tmpfs", "Naam: ", "Serienummer: Onbekend",
        "Capaciteit: 8,589,934,592 bytes", "Vrije Ruimte: 4,294,967,296 bytes"};
    EXPECT_EQ(lines, expected);
}
