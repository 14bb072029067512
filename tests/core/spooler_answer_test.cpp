// The spooler's level-2 answer: records packed by a backend and read back by
// the collectors, the two-call protocol, and answers that do not fit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/bytes.h"
#include "collectors/SpoolerAnswer.h"
#include "platform/spooler_records.h"

using collectors::SpoolerAnswer;
using platform::PortInfo2;
using platform::PortInfo2Layout;
using platform::PrinterInfo2;
using platform::PrinterInfo2Layout;

namespace {

// A spooler that answers `packed` with `count` records, counting its requests.
struct FakeSpooler {
    platform::SpoolerBuffer packed;
    std::uint32_t count = 0;
    int requests = 0;
    collectors::SpoolerRequest Request() {
        return [this](std::span<std::uint8_t> buffer, std::uint32_t& needed, std::uint32_t& returned) {
            ++requests;
            return platform::AnswerSpoolerRequest(packed, count, buffer, needed, returned);
        };
    }
};

std::vector<PrinterInfo2> NumberedPrinters(std::size_t count) {
    std::vector<PrinterInfo2> printers(count);
    for (std::size_t i = 0; i < count; ++i) {
        printers[i].printerName = "Printer " + std::to_string(i);
        printers[i].portName = "LPT" + std::to_string(i);
    }
    return printers;
}

void PutLe32(platform::SpoolerBuffer& buffer, std::size_t at, std::uint32_t value) {
    ASSERT_TRUE(base::WriteLe32(buffer, at, value));
}

}  // namespace

TEST(SpoolerAnswer, EveryPrinterFieldRoundTripsAndNullPointersReadEmpty) {
    PrinterInfo2 full{"\\\\server", "Kantoor", "share", "IP_10.0.0.5", "HP LaserJet", "Gang", "Kamer 2"};
    PrinterInfo2 sparse;
    sparse.printerName = "Caf\xe9";  // Windows-1252 é
    const std::vector<PrinterInfo2> printers = {full, sparse};
    FakeSpooler spooler{platform::PackPrinterInfo2(printers), 2};
    const auto answer = SpoolerAnswer::Ask(spooler.Request(), PrinterInfo2Layout::kSize);
    EXPECT_EQ(spooler.requests, 2);
    ASSERT_EQ(answer.RecordCount(), 2u);
    EXPECT_EQ(answer.Text(0, PrinterInfo2Layout::kServerName, base::CodePage::kWindows1252), L"\\\\server");
    EXPECT_EQ(answer.Text(0, PrinterInfo2Layout::kPrinterName, base::CodePage::kWindows1252), L"Kantoor");
    EXPECT_EQ(answer.Text(0, PrinterInfo2Layout::kShareName, base::CodePage::kWindows1252), L"share");
    EXPECT_EQ(answer.Text(0, PrinterInfo2Layout::kPortName, base::CodePage::kWindows1252), L"IP_10.0.0.5");
    EXPECT_EQ(answer.Text(0, PrinterInfo2Layout::kDriverName, base::CodePage::kWindows1252), L"HP LaserJet");
    EXPECT_EQ(answer.Text(0, PrinterInfo2Layout::kComment, base::CodePage::kWindows1252), L"Gang");
    EXPECT_EQ(answer.Text(0, PrinterInfo2Layout::kLocation, base::CodePage::kWindows1252), L"Kamer 2");
    EXPECT_EQ(answer.Text(1, PrinterInfo2Layout::kPrinterName, base::CodePage::kWindows1252), L"Caf\u00e9");
    for (std::size_t field :
         {PrinterInfo2Layout::kServerName, PrinterInfo2Layout::kShareName, PrinterInfo2Layout::kPortName,
          PrinterInfo2Layout::kDriverName, PrinterInfo2Layout::kComment, PrinterInfo2Layout::kLocation})
        EXPECT_EQ(answer.Text(1, field, base::CodePage::kWindows1252), L"") << "null pointer at " << field;
    EXPECT_EQ(answer.Text(2, PrinterInfo2Layout::kPrinterName, base::CodePage::kWindows1252), L"") << "no third record";
    EXPECT_EQ(answer.Text(0, PrinterInfo2Layout::kSize - 2, base::CodePage::kWindows1252), L"")
        << "a field that runs past the record";
}

TEST(SpoolerAnswer, PortRecordsInOrder) {
    const std::vector<PortInfo2> ports = {{"COM1:", "Local Port", "Serial port", 3},
                                          {"LPT1:", "Local Port", "Parallel port", 1},
                                          {"FILE:", std::nullopt, "Print to file", 1}};
    const auto packed = platform::PackPortInfo2(ports);
    EXPECT_EQ(packed[PortInfo2Layout::kPortType], 3) << "fPortType of the first record";
    FakeSpooler spooler{packed, 3};
    const auto answer = SpoolerAnswer::Ask(spooler.Request(), PortInfo2Layout::kSize);
    ASSERT_EQ(answer.RecordCount(), 3u);
    EXPECT_EQ(answer.Text(1, PortInfo2Layout::kPortName, base::CodePage::kWindows1252), L"LPT1:");
    EXPECT_EQ(answer.Text(2, PortInfo2Layout::kDescription, base::CodePage::kWindows1252), L"Print to file");
    EXPECT_EQ(answer.Text(2, PortInfo2Layout::kMonitorName, base::CodePage::kWindows1252), L"");
}

TEST(SpoolerAnswer, TwoCallProtocol) {
    std::uint32_t needed = 99, returned = 99;
    const auto packed = platform::PackPrinterInfo2(NumberedPrinters(1));
    EXPECT_TRUE(platform::AnswerSpoolerRequest(packed, 0, {}, needed, returned)) << "nothing to list succeeds";
    EXPECT_EQ(needed, 0u);
    EXPECT_EQ(returned, 0u);
    EXPECT_FALSE(platform::AnswerSpoolerRequest(packed, 1, {}, needed, returned));
    EXPECT_EQ(needed, packed.size());
    std::vector<std::uint8_t> shortBuffer(packed.size() - 1);
    EXPECT_FALSE(platform::AnswerSpoolerRequest(packed, 1, shortBuffer, needed, returned));
    EXPECT_EQ(returned, 0u);
    std::vector<std::uint8_t> exact(packed.size());
    EXPECT_TRUE(platform::AnswerSpoolerRequest(packed, 1, exact, needed, returned));
    EXPECT_EQ(returned, 1u);
    EXPECT_EQ(exact, packed);

    // The size query succeeding means nothing to list: no second request.
    FakeSpooler empty{{}, 0};
    EXPECT_EQ(SpoolerAnswer::Ask(empty.Request(), PrinterInfo2Layout::kSize).RecordCount(), 0u);
    EXPECT_EQ(empty.requests, 1);
    // A second request that fails lists nothing.
    int calls = 0;
    const auto failing = [&](std::span<std::uint8_t>, std::uint32_t& needed, std::uint32_t& returned) {
        ++calls;
        needed = 200;
        returned = 2;
        return false;
    };
    EXPECT_EQ(SpoolerAnswer::Ask(failing, PrinterInfo2Layout::kSize).RecordCount(), 0u);
    EXPECT_EQ(calls, 2);
}

TEST(SpoolerAnswer, RecordsBeyondSixteenBitOffsetsReadRight) {
    // 391 printers put record 391 at offset 32844, past a signed 16-bit
    // offset; 1,639 ports do the same for 20-byte records.
    FakeSpooler printers{platform::PackPrinterInfo2(NumberedPrinters(400)), 400};
    const auto answer = SpoolerAnswer::Ask(printers.Request(), PrinterInfo2Layout::kSize);
    ASSERT_EQ(answer.RecordCount(), 400u);
    EXPECT_EQ(answer.Text(390, PrinterInfo2Layout::kPrinterName, base::CodePage::kWindows1252), L"Printer 390");
    EXPECT_EQ(answer.Text(391, PrinterInfo2Layout::kPrinterName, base::CodePage::kWindows1252), L"Printer 391");
    EXPECT_EQ(answer.Text(399, PrinterInfo2Layout::kPortName, base::CodePage::kWindows1252), L"LPT399");

    std::vector<PortInfo2> ports(1700);
    for (std::size_t i = 0; i < ports.size(); ++i) ports[i].portName = "COM" + std::to_string(i + 1) + ":";
    FakeSpooler portSpooler{platform::PackPortInfo2(ports), 1700};
    const auto portAnswer = SpoolerAnswer::Ask(portSpooler.Request(), PortInfo2Layout::kSize);
    ASSERT_EQ(portAnswer.RecordCount(), 1700u);
    EXPECT_EQ(portAnswer.Text(1638, PortInfo2Layout::kPortName, base::CodePage::kWindows1252), L"COM1639:");
    EXPECT_EQ(portAnswer.Text(1639, PortInfo2Layout::kPortName, base::CodePage::kWindows1252), L"COM1640:");
    EXPECT_EQ(portAnswer.Text(1699, PortInfo2Layout::kPortName, base::CodePage::kWindows1252), L"COM1700:");
}

TEST(SpoolerAnswer, AnswersThatDoNotFitTheBuffer) {
    auto packed = platform::PackPrinterInfo2(NumberedPrinters(2));
    // More records claimed than the buffer holds: only whole records are read.
    const SpoolerAnswer overclaimed(packed, 5, PrinterInfo2Layout::kSize);
    EXPECT_EQ(overclaimed.RecordCount(), 2u);
    const SpoolerAnswer halfRecord(
        std::vector<std::uint8_t>(packed.begin(), packed.begin() + PrinterInfo2Layout::kSize + 40), 2,
        PrinterInfo2Layout::kSize);
    EXPECT_EQ(halfRecord.RecordCount(), 1u);

    // Pointers at the last byte, just past it and far outside.
    PutLe32(packed, PrinterInfo2Layout::kComment, static_cast<std::uint32_t>(packed.size() - 1));
    PutLe32(packed, PrinterInfo2Layout::kDriverName, static_cast<std::uint32_t>(packed.size()));
    PutLe32(packed, PrinterInfo2Layout::kLocation, 0xFFFFFFF0u);
    const SpoolerAnswer pointers(packed, 2, PrinterInfo2Layout::kSize);
    EXPECT_EQ(pointers.Text(0, PrinterInfo2Layout::kComment, base::CodePage::kWindows1252), L"")
        << "the last byte is the final zero";
    EXPECT_EQ(pointers.Text(0, PrinterInfo2Layout::kDriverName, base::CodePage::kWindows1252), L"");
    EXPECT_EQ(pointers.Text(0, PrinterInfo2Layout::kLocation, base::CodePage::kWindows1252), L"");

    // A text without its zero byte ends with the buffer.
    packed.back() = 'X';
    const SpoolerAnswer unterminated(packed, 2, PrinterInfo2Layout::kSize);
    EXPECT_EQ(unterminated.Text(1, PrinterInfo2Layout::kPortName, base::CodePage::kWindows1252), L"LPT1X");

    // A count beyond a signed 16-bit number lists the first 32,767 records
    // (the last one held, the one past it not).
    const std::uint32_t bytes = 32768 * PortInfo2Layout::kSize;
    const auto tooMany = [&](std::span<std::uint8_t> buffer, std::uint32_t& needed, std::uint32_t& returned) {
        needed = bytes;
        returned = buffer.empty() ? 0 : 32768;
        return !buffer.empty();
    };
    EXPECT_EQ(SpoolerAnswer::Ask(tooMany, PortInfo2Layout::kSize).RecordCount(), 32767u);
    const auto justEnough = [&](std::span<std::uint8_t> buffer, std::uint32_t& needed, std::uint32_t& returned) {
        needed = bytes;
        returned = buffer.empty() ? 0 : 32767;
        return !buffer.empty();
    };
    EXPECT_EQ(SpoolerAnswer::Ask(justEnough, PortInfo2Layout::kSize).RecordCount(), 32767u);
}
