// Byte-exact frames of every command of the mouse.
#include <gtest/gtest.h>

#include <vector>

#include "ExchangeTestSupport.h"
#include "protocol/CommandReport.h"
#include "protocol/CommandSet.h"

namespace {

using exchange_test::Padded;
using protocol::CommandReport;

CommandReport WithValue(uint8_t code, uint8_t profile, std::vector<uint8_t> value) {
    CommandReport report = CommandReport::For(code, profile);
    for (size_t i = 0; i < value.size(); ++i) {
        report[11 + i] = value[i];
    }
    return report;
}

struct FrameCase {
    const char* name;
    CommandReport report;
    std::string expected;  // the 65 bytes after the checksum is filled, zeros left out
};

TEST(CommandReportTest, EveryCommandIsFramedWithItsAccessByteLengthAndChecksum) {
    const std::vector<uint8_t> chunk(8, 0);
    const FrameCase cases[] = {
        {"read version (no profile byte)", CommandReport::For(protocol::CMD_READ_VERSION, 1),
         "00 55 03 00 00 00 00 00 00"},
        {"read keys, profile 2", CommandReport::For(protocol::CMD_READ_KEYS, 1),
         "00 55 08 A5 21 20 00 00 01"},
        {"write keys, profile 2", CommandReport::For(protocol::CMD_WRITE_KEYS, 1),
         "00 55 09 A5 21 20 00 00 01"},
        {"last macro chunk of 8 bytes at 56", CommandReport::MacroChunk(56, chunk),
         "00 55 0D 00 40 08 38 00 00"},
        {"read settings, profile 1", CommandReport::For(protocol::CMD_READ_SETTINGS, 0),
         "00 55 0E A5 2E 2E 00 00 00"},
        {"read settings, profile 2", CommandReport::For(protocol::CMD_READ_SETTINGS, 1),
         "00 55 0E A5 2F 2E 00 00 01"},
        {"write settings, profile 2", CommandReport::For(protocol::CMD_WRITE_SETTINGS, 1),
         "00 55 0F AE 2F 2E 00 00 01"},
        {"macro done (no profile byte)", CommandReport::For(protocol::CMD_MACRO_DONE, 3),
         "00 55 10 A5 00 00 00 00 00"},
        {"light mode 3 on profile 2", WithValue(protocol::CMD_SET_LIGHT_MODE, 1, {3}),
         "00 55 21 A5 07 03 00 00 01 00 00 03"},
        {"DPI stage 3 at 1600 on profile 1", WithValue(protocol::CMD_SET_DPI, 0, {3, 0x40, 0x06}),
         "00 55 22 AE 4C 03 00 00 00 00 00 03 40 06"},
        {"report rate code 4 on profile 1", WithValue(protocol::CMD_SET_REPORT_RATE, 0, {4}),
         "00 55 23 AE 07 03 00 00 00 00 00 04"},
        {"read battery, profile 2", CommandReport::For(protocol::CMD_READ_BATTERY, 1),
         "00 55 30 A5 2F 2E 00 00 01"},
    };
    for (FrameCase c : cases) {
        c.report.FillChecksum();
        EXPECT_EQ(c.report.ToHex(), Padded(c.expected, 65)) << c.name;
    }
}

TEST(CommandReportTest, ChecksumIsTheSumOfTheLastSixtyBytes) {
    CommandReport zero;
    EXPECT_EQ(zero.Checksum(), 0x00);

    // Bytes before Q[5] do not count; every byte from Q[5] to Q[64] does, modulo 256.
    CommandReport report;
    report[1] = 0x55;
    report[2] = 0x0E;
    report[4] = 0x99;
    report[5] = 0xFF;
    report[64] = 0x02;
    EXPECT_EQ(report.Checksum(), 0x01);
    for (size_t i = 5; i < CommandReport::kSize; ++i) {
        report[i] = 0xFF;
    }
    EXPECT_EQ(report.Checksum(), static_cast<uint8_t>(60 * 0xFF));
}

TEST(CommandReportTest, MacroChunkNeverCarriesMoreThanFiftySixBytes) {
    std::vector<uint8_t> bytes(80);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(i + 1);
    }
    const CommandReport report = CommandReport::MacroChunk(0x1234, bytes);
    EXPECT_EQ(report[5], 56);
    EXPECT_EQ(report[6], 0x34);
    EXPECT_EQ(report[7], 0x12);
    EXPECT_EQ(report[9], 1);
    EXPECT_EQ(report[64], 56);
}

TEST(CommandReportTest, ReplyChecks) {
    CommandReport reply;
    EXPECT_FALSE(reply.IsAccepted());
    reply[0] = 0xAA;
    reply[1] = 0xFA;  // a notification answering in place of the reply
    EXPECT_TRUE(reply.IsAccepted());
    EXPECT_FALSE(reply.IsReplyTo(protocol::CMD_READ_SETTINGS));
    reply[1] = protocol::CMD_READ_SETTINGS;
    EXPECT_TRUE(reply.IsReplyTo(protocol::CMD_READ_SETTINGS));
    reply[0] = 0x55;
    EXPECT_FALSE(reply.IsReplyTo(protocol::CMD_READ_SETTINGS));
}

}  // namespace
