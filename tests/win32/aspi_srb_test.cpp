// The ASPI request blocks, byte for byte: the 32-bit execute-command block
// as the module documents it, the same block with 8-byte addresses, and the
// two inquiry blocks.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/win32/aspi_srb.h"

namespace {

using namespace platform::win32::aspi_srb;
using Bytes = std::vector<std::uint8_t>;

platform::SrbExecScsiCmd InquiryCommand() {
    platform::SrbExecScsiCmd srb;
    srb.haId = 1;
    srb.flags = 0x48;
    srb.target = 3;
    srb.lun = 0;
    srb.bufferLength = 36;
    srb.senseLength = 14;
    srb.cdbLength = 6;
    srb.cdb = {0x12, 0, 0, 0, 0x24, 0};
    return srb;
}

TEST(AspiSrb, InquiryBlocksCarryCommandAdapterTargetAndReadBackStatusAndType) {
    platform::SrbHaInquiry adapter;
    adapter.haId = 2;
    Bytes expected(60, 0);
    expected[2] = 2;
    EXPECT_EQ(BuildHaInquiry(adapter), expected);
    Bytes answered = expected;
    answered[1] = platform::aspi::kSsComp;
    ReadHaInquiry(answered, adapter);
    EXPECT_EQ(adapter.status, platform::aspi::kSsComp);

    platform::SrbGetDevType device;
    device.haId = 1;
    device.target = 7;
    EXPECT_EQ(BuildGetDevType(device), (Bytes{1, 0, 1, 0, 0, 0, 0, 0, 7, 0, 0, 0}));
    ReadGetDevType(Bytes{1, 1, 1, 0, 0, 0, 0, 0, 7, 0, 5, 0}, device);
    EXPECT_EQ(device.status, 1);
    EXPECT_EQ(device.deviceType, platform::aspi::kDeviceTypeCdrom);
    // A short answer reads as nothing rather than past its end.
    ReadGetDevType(Bytes{1, 1}, device);
    EXPECT_EQ(device.deviceType, 0);
}

TEST(AspiSrb, ExecuteCommandWith32BitAddressesIsThe80ByteBlock) {
    const ExecLayout layout = ExecScsiCmdLayout(4);
    const Bytes block = BuildExecScsiCmd(InquiryCommand(), layout, 0x11223344, 0x0000ABCD);
    Bytes expected(80, 0);
    expected[0] = 2;                                                      // execute SCSI command
    expected[2] = 1;                                                      // adapter
    expected[3] = 0x48;                                                   // data in, event notification
    expected[8] = 3;                                                      // target
    expected[12] = 36;                                                    // data length
    expected[16] = 0x44, expected[17] = 0x33, expected[18] = 0x22, expected[19] = 0x11;  // buffer
    expected[20] = 14;                                                    // sense length
    expected[21] = 6;                                                     // command block length
    expected[24] = 0xCD, expected[25] = 0xAB;                             // event
    expected[48] = 0x12, expected[52] = 0x24;                             // INQUIRY, 36 bytes
    EXPECT_EQ(block, expected);
}

TEST(AspiSrb, ExecuteCommandWith64BitAddressesWidensBothInPlace) {
    const ExecLayout layout = ExecScsiCmdLayout(8);
    EXPECT_EQ(layout.size, 88u);
    const Bytes block = BuildExecScsiCmd(InquiryCommand(), layout, 0x0102030405060708, 0x1122334455667788);
    ASSERT_EQ(block.size(), 88u);
    EXPECT_EQ(Bytes(block.begin() + 16, block.begin() + 24), (Bytes{8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(block[24], 14);
    EXPECT_EQ(block[25], 6);
    EXPECT_EQ(Bytes(block.begin() + 28, block.begin() + 36), (Bytes{0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11}));
    EXPECT_EQ(Bytes(block.begin() + 36, block.begin() + 56), Bytes(20, 0));  // reserved
    EXPECT_EQ(Bytes(block.begin() + 56, block.begin() + 62), (Bytes{0x12, 0, 0, 0, 0x24, 0}));
    EXPECT_EQ(ExecScsiCmdLayout(sizeof(void*)).size, NativeExecLayout().size);
}

TEST(AspiSrb, ExecuteCommandAnswerIsReadFromEachLayoutsOwnOffsets) {
    for (const std::size_t pointerSize : {4u, 8u}) {
        const ExecLayout layout = ExecScsiCmdLayout(pointerSize);
        Bytes answer(layout.size, 0);
        answer[1] = platform::aspi::kSsErr;
        answer[layout.haStatus] = 0x11;
        answer[layout.targetStatus] = 2;  // CHECK CONDITION
        for (std::size_t i = 0; i < kSenseAreaSize; ++i) answer[layout.senseArea + i] = static_cast<std::uint8_t>(0xA0 + i);
        platform::SrbExecScsiCmd srb;
        ReadExecScsiCmd(answer, layout, srb);
        EXPECT_EQ(srb.status, platform::aspi::kSsErr) << pointerSize;
        EXPECT_EQ(srb.haStatus, 0x11) << pointerSize;
        EXPECT_EQ(srb.targetStatus, 2) << pointerSize;
        EXPECT_EQ(srb.senseArea[0], 0xA0) << pointerSize;
        EXPECT_EQ(srb.senseArea[15], 0xAF) << pointerSize;
    }
    EXPECT_EQ(ExecScsiCmdLayout(4).senseArea, 64u);
    EXPECT_EQ(ExecScsiCmdLayout(8).senseArea, 72u);
}

TEST(AspiSrb, OverlongCommandAndSenseLengthsAreCutToTheirFields) {
    platform::SrbExecScsiCmd srb = InquiryCommand();
    srb.cdbLength = 40;
    srb.senseLength = 200;
    srb.cdb.fill(0xEE);
    const ExecLayout layout = ExecScsiCmdLayout(4);
    const Bytes block = BuildExecScsiCmd(srb, layout, 0, 0);
    ASSERT_EQ(block.size(), 80u);
    EXPECT_EQ(block[21], 16);
    EXPECT_EQ(block[20], 16);
    EXPECT_EQ(block[63], 0xEE);
    EXPECT_EQ(block[64], 0);  // the sense area is left alone
}

}  // namespace
