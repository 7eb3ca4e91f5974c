// One command exchange with the mouse: what goes on the wire, the retry ladder and its timing,
// and replies that cannot be trusted.
#include <gtest/gtest.h>

#include "ExchangeTestSupport.h"
#include "protocol/CommandSet.h"
#include "protocol/ExchangeCommand.h"

namespace {

using exchange_test::ExchangeFixture;
using exchange_test::Hex;
using exchange_test::Padded;
using protocol::CommandReport;
using protocol::ExchangeCommand;
using sim::IoRecord;

class ExchangeCommandTest : public ExchangeFixture {};

TEST_F(ExchangeCommandTest, ExamplesGoOnTheWireByteForByte) {
    Connect(sim::SimMode::Wired);
    struct Case {
        const char* name;
        CommandReport report;
        std::string wire;
    };
    CommandReport dpi = CommandReport::For(protocol::CMD_SET_DPI, 0);
    dpi[11] = 3;
    dpi[12] = 0x40;
    dpi[13] = 0x06;
    CommandReport rate = CommandReport::For(protocol::CMD_SET_REPORT_RATE, 0);
    rate[11] = 4;
    const Case cases[] = {
        {"read settings, profile 1", CommandReport::For(protocol::CMD_READ_SETTINGS, 0),
         "00 55 0E A5 2E 2E 00 00 00"},
        {"read settings, profile 2", CommandReport::For(protocol::CMD_READ_SETTINGS, 1),
         "00 55 0E A5 2F 2E 00 00 01"},
        {"set DPI, profile 1, stage 3, 1600", dpi, "00 55 22 AE 4C 03 00 00 00 00 00 03 40 06"},
        {"set report rate code 4", rate, "00 55 23 AE 07 03 00 00 00 00 00 04"},
    };
    for (Case c : cases) {
        Bus().ClearIoLog();
        EXPECT_TRUE(ExchangeCommand(manager, c.report)) << c.name;
        const auto writes = Log(IoRecord::Kind::Write);
        ASSERT_EQ(writes.size(), 1u) << c.name;
        EXPECT_EQ(Hex(writes[0].bytes), Padded(c.wire, 65)) << c.name;
        EXPECT_EQ(c.report[0], 0xAA) << c.name;
    }
}

struct LadderCase {
    const char* name;
    sim::SimFaults faults;
    bool accepted;
    std::vector<uint64_t> writeTimes;  // after the start, successful writes only
    size_t failedWrites;
    size_t reads;  // reads that returned a report
    uint64_t duration;
};

std::vector<LadderCase> LadderCases() {
    std::vector<LadderCase> cases;
    cases.push_back({"accepted at once", {}, true, {0}, 0, 1, 0});
    sim::SimFaults f;
    f.corruptReplies = 1;
    cases.push_back(
        {"a bad first reply: one more round after 100 ms", f, true, {0, 100}, 0, 2, 100});
    f = {};
    f.corruptReplies = -1;
    cases.push_back(
        {"every reply bad: exactly two more rounds", f, false, {0, 100, 1100}, 0, 3, 1100});
    f = {};
    f.dropReplies = -1;
    cases.push_back(
        {"no reply at all: three reads of 1000 ms", f, false, {0, 1100, 3100}, 0, 0, 4100});
    f = {};
    f.dropReplies = 1;
    cases.push_back({"a lost reply: the second round answers", f, true, {0, 1100}, 0, 1, 1100});
    f = {};
    f.failWrites = 1;
    cases.push_back({"a failed write is retried after 10 ms", f, true, {10}, 1, 1, 10});
    f = {};
    f.failWrites = 2;
    cases.push_back({"a second failed write reads nothing", f, false, {}, 2, 0, 10});
    f = {};
    f.latencyMs = 1500;
    // The first read gives up at 1000 ms; the reply comes during the second read.
    cases.push_back({"a slow reply is taken by the second round", f, true, {0, 1100}, 0, 1, 1500});
    return cases;
}

TEST_F(ExchangeCommandTest, RetryLadder) {
    for (const LadderCase& c : LadderCases()) {
        SCOPED_TRACE(c.name);
        Connect(sim::SimMode::Wired);
        Bus().SetFaults(c.faults);
        const uint64_t start = clock->TickCount64();
        CommandReport report = CommandReport::For(protocol::CMD_READ_SETTINGS, 0);
        EXPECT_EQ(ExchangeCommand(manager, report), c.accepted);
        EXPECT_EQ(report.IsAccepted(), c.accepted);
        std::vector<uint64_t> writeTimes;
        for (const IoRecord& r : Log(IoRecord::Kind::Write)) {
            writeTimes.push_back(r.time - start);
        }
        EXPECT_EQ(writeTimes, c.writeTimes);
        EXPECT_EQ(Log(IoRecord::Kind::WriteFailed).size(), c.failedWrites);
        EXPECT_EQ(Log(IoRecord::Kind::Read).size(), c.reads);
        EXPECT_EQ(clock->TickCount64() - start, c.duration);
        Bus().SetFaults({});
    }
}

TEST_F(ExchangeCommandTest, SecondFailedWriteWaitsOnlyTheRetryPause) {
    Connect(sim::SimMode::Wired);
    sim::SimFaults faults;
    faults.failWrites = -1;
    Bus().SetFaults(faults);
    CommandReport report = CommandReport::For(protocol::CMD_READ_BATTERY, 0);
    EXPECT_FALSE(ExchangeCommand(manager, report));
    EXPECT_EQ(clock->Sleeps(), std::vector<uint32_t>{10});
    EXPECT_TRUE(Log(IoRecord::Kind::ReadTimeout).empty());
}

TEST_F(ExchangeCommandTest, RewritesSendTheOriginalRequestNotTheForeignReply) {
    Connect(sim::SimMode::Wired);
    sim::SimFaults faults;
    faults.scriptedReplies.push_back(std::vector<uint8_t>(64, 0x11));
    Bus().SetFaults(faults);
    CommandReport report = CommandReport::For(protocol::CMD_READ_SETTINGS, 1);
    EXPECT_TRUE(ExchangeCommand(manager, report));
    const auto writes = Log(IoRecord::Kind::Write);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[1].bytes, writes[0].bytes);
    EXPECT_TRUE(report.IsReplyTo(protocol::CMD_READ_SETTINGS));
}

TEST_F(ExchangeCommandTest, NothingIsSentWithoutAConnectionThatCarriesTraffic) {
    struct Case {
        const char* name;
        sim::SimMode mode;
        bool opened;
    };
    const Case cases[] = {
        {"not opened yet", sim::SimMode::Wired, false},
        {"receiver whose mouse is asleep", sim::SimMode::ReceiverOffline, true},
        {"Bluetooth", sim::SimMode::Bluetooth, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Connect(c.mode);
        manager.SetOpened(c.opened);
        manager.ClearActiveConnectionCache();
        CommandReport report = CommandReport::For(protocol::CMD_READ_SETTINGS, 0);
        EXPECT_FALSE(ExchangeCommand(manager, report));
        EXPECT_TRUE(Bus().IoLog().empty());
        EXPECT_TRUE(clock->Sleeps().empty());
    }
}

TEST_F(ExchangeCommandTest, UntrustedRepliesStayInsideTheBuffer) {
    struct Case {
        const char* name;
        std::vector<uint8_t> reply;
        bool accepted;
        std::string buffer;  // head of the buffer after the exchange, the rest zero
    };
    std::vector<uint8_t> huge(300, 0xAA);
    const Case cases[] = {
        // A short reply leaves zeros behind it, not the request's bytes.
        {"short reply", {0xAA, 0x0E}, true, "AA 0E"},
        {"long reply is cut to the buffer", huge, true, std::string(65 * 3 - 1, ' ')},
        {"one-byte foreign report", {0x01}, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Connect(sim::SimMode::Wired);
        sim::SimFaults faults;
        faults.scriptedReplies.push_back(c.reply);
        Bus().SetFaults(faults);
        CommandReport report = CommandReport::For(protocol::CMD_READ_SETTINGS, 0);
        EXPECT_EQ(ExchangeCommand(manager, report), c.accepted);
        if (c.reply.size() > 65) {
            EXPECT_EQ(report.ToHex(), Hex(std::vector<uint8_t>(65, 0xAA)));
        } else if (c.reply.size() > 1) {
            EXPECT_EQ(report.ToHex(), Padded(c.buffer, 65));
        } else {
            // The foreign byte failed the first round; the second round got the real reply.
            EXPECT_TRUE(report.IsReplyTo(protocol::CMD_READ_SETTINGS));
            EXPECT_EQ(Log(IoRecord::Kind::Write).size(), 2u);
        }
        Bus().SetFaults({});
    }
}

TEST_F(ExchangeCommandTest, DeviceVanishingMidExchangeIsAFailure) {
    Connect(sim::SimMode::Wired);
    sim::SimFaults faults;
    faults.unplugAfterWrites = 1;
    Bus().SetFaults(faults);
    CommandReport report = CommandReport::For(protocol::CMD_READ_KEYS, 0);
    EXPECT_FALSE(ExchangeCommand(manager, report));
    EXPECT_EQ(report.ToHex(), Padded("", 65));
    EXPECT_FALSE(manager.LastError().empty());
}

TEST_F(ExchangeCommandTest, NotificationWaitingInTheInputPassesTheFirstByteTestOnly) {
    Connect(sim::SimMode::Wired);
    ASSERT_TRUE(Bus().QueueNotification(0x10, 2, 4));
    CommandReport report = CommandReport::For(protocol::CMD_READ_SETTINGS, 0);
    EXPECT_TRUE(ExchangeCommand(manager, report));
    EXPECT_EQ(report[1], 0xFA);
    EXPECT_FALSE(report.IsReplyTo(protocol::CMD_READ_SETTINGS));
}

// Every command of the set, through the manager, answered by the virtual mouse as the readers
// of the device state expect; written data reads back.
TEST_F(ExchangeCommandTest, VirtualMouseAnswersEveryCommand) {
    Connect(sim::SimMode::Receiver);
    const auto exchange = [&](CommandReport report) {
        EXPECT_TRUE(ExchangeCommand(manager, report)) << int(report[2]);
        return report;
    };

    // A fresh mouse is unprogrammed: settings and button entries are FF.
    CommandReport settings = exchange(CommandReport::For(protocol::CMD_READ_SETTINGS, 2));
    EXPECT_TRUE(settings.IsReplyTo(protocol::CMD_READ_SETTINGS));
    EXPECT_EQ(settings[8], 2);
    EXPECT_EQ(settings[13], 0xFF);
    EXPECT_EQ(exchange(CommandReport::For(protocol::CMD_READ_KEYS, 0))[8], 0xFF);

    CommandReport block = CommandReport::For(protocol::CMD_WRITE_SETTINGS, 2);
    for (int i = 0; i < 46; ++i) {
        block[9 + i] = static_cast<uint8_t>(i + 2);
    }
    block[9] = 2;
    exchange(block);
    CommandReport dpi = CommandReport::For(protocol::CMD_SET_DPI, 2);
    dpi[11] = 3;
    dpi[12] = 0x40;
    dpi[13] = 0x06;
    exchange(dpi);
    CommandReport rate = CommandReport::For(protocol::CMD_SET_REPORT_RATE, 2);
    rate[11] = 4;
    exchange(rate);
    CommandReport light = CommandReport::For(protocol::CMD_SET_LIGHT_MODE, 2);
    light[11] = 6;
    exchange(light);
    settings = exchange(CommandReport::For(protocol::CMD_READ_SETTINGS, 2));
    EXPECT_EQ(settings[9], 6);   // light mode
    EXPECT_EQ(settings[10], 4);  // report rate
    EXPECT_EQ(settings[12], 3);  // selected stage
    EXPECT_EQ(settings[17], 0x40);
    EXPECT_EQ(settings[18], 0x06);
    EXPECT_EQ(settings[53], 47);  // last byte of the block as written

    CommandReport keys = CommandReport::For(protocol::CMD_WRITE_KEYS, 4);
    keys[9] = 0x20;
    keys[10] = 0x01;
    keys[41] = 0x21;
    keys[42] = 0xAA;
    exchange(keys);
    keys = exchange(CommandReport::For(protocol::CMD_READ_KEYS, 4));
    EXPECT_EQ(keys[8], 0x20);
    EXPECT_EQ(keys[9], 0x01);
    EXPECT_EQ(keys[40], 0x21);  // the ninth entry
    EXPECT_EQ(keys[41], 0xAA);

    const std::vector<uint8_t> image(68, 0x5C);
    exchange(CommandReport::MacroChunk(0, std::span(image).first(56)));
    exchange(CommandReport::MacroChunk(56, std::span(image).subspan(56)));
    exchange(CommandReport::For(protocol::CMD_MACRO_DONE));
    const sim::VirtualMouse mouse = Bus().Mouse();
    EXPECT_EQ(mouse.MacroDoneCount(), 1);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), mouse.MacroImage().begin()));
    EXPECT_EQ(mouse.MacroImage()[68], 0);

    CommandReport battery = exchange(CommandReport::For(protocol::CMD_READ_BATTERY, 0));
    EXPECT_TRUE(battery.IsReplyTo(protocol::CMD_READ_BATTERY));
    EXPECT_EQ(battery[8], 85);
    CommandReport version = exchange(CommandReport::For(protocol::CMD_READ_VERSION));
    EXPECT_TRUE(version.IsReplyTo(protocol::CMD_READ_VERSION));
    EXPECT_EQ(std::string(version.Bytes().begin() + 23, version.Bytes().begin() + 26), "103");

    // A request the mouse does not accept is not acknowledged.
    CommandReport unknown = CommandReport::For(0x77, 0);
    EXPECT_FALSE(ExchangeCommand(manager, unknown));
    EXPECT_GT(Bus().Mouse().RejectedCount(), 0);
}

}  // namespace
