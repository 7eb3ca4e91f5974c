// The performance settings on the mouse: the settings block built from the store, the DPI stage
// and report-rate commands, and a settings reply decoded back into the store.
#include <gtest/gtest.h>

#include "DeviceJobTestSupport.h"
#include "protocol/CommandSet.h"
#include "protocol/SettingsBlock.h"

namespace {

using device_job_test::Bytes;
using device_job_test::ConfigOf;
using device_job_test::DeviceJobFixture;
using device_job_test::Frame;
using device_job_test::Hex;
using protocol::CommandReport;
using protocol::SettingsReadResult;

// The settings block of a profile with the default configuration, profile index 0, from Q[0]:
// light 3, rate 2, six stages, stage 3 selected, 800 1200 1600 3200 6400 12000, the six stage
// colours, scroll 0, lift-off 1, sensor bits 0x30 (53), response 8, light-off 20, e-sports 1.
constexpr char kDefaultBlock[] =
    "00 55 0F AE 53 2E 00 00 00 "
    "00 03 02 06 03 20 03 B0 04 40 06 80 0C 00 19 E0 2E "
    "FF 00 00 00 FF 00 00 00 FF FF FF 00 80 00 80 00 FF FF "
    "00 00 00 00 00 00 01 30 08 14 01";

class SettingsBlockTest : public DeviceJobFixture {};

TEST_F(SettingsBlockTest, DefaultProfileIsSentByteForByte) {
    Connect();
    protocol::WriteSettingsBlock(manager, db, 1);
    EXPECT_EQ(OnlyWrite(), Frame(kDefaultBlock));
    EXPECT_EQ(Mouse().AcceptedCount(protocol::CMD_WRITE_SETTINGS), 1);

    // The built request is the same frame, with the checksum left to the exchange.
    CommandReport built = protocol::BuildSettingsBlock(db, 1);
    EXPECT_EQ(built[4], 0x00);
    built.FillChecksum();
    EXPECT_EQ(built.ToHex(), Frame(kDefaultBlock));

    // Profile 2 names its index twice, at Q[8] and Q[9].
    const CommandReport second = protocol::BuildSettingsBlock(db, 2);
    EXPECT_EQ(second[8], 0x01);
    EXPECT_EQ(second[9], 0x01);
}

TEST_F(SettingsBlockTest, EachStoredValueLandsInItsBytes) {
    struct Case {
        const char* key;
        const char16_t* value;
        size_t offset;
        const char* bytes;
    };
    const Case cases[] = {
        {"dpi_group0_value", u"49", 14, "00 00"},
        {"dpi_group0_value", u"50", 14, "32 00"},
        {"dpi_group0_value", u"26000", 14, "90 65"},
        {"dpi_group0_value", u"26001", 14, "00 00"},
        {"dpi_group4_value", u"30000", 22, "00 00"},
        {"dpi_group5_value", u"-800", 24, "00 00"},
        {"dpi_group0_rgb", u"65280", 26, "00 FF 00"},
        {"dpi_group0_rgb", u"16711680", 26, "00 00 FF"},
        {"dpi_group5_rgb", u"1193046", 41, "56 34 12"},
        {"sensor_flag", u"12", 51, "11"},
        {"sensor_flag", u"28", 51, "31"},
        {"sensor_flag", u"227", 51, "00"},
        {"dpi_count", u"2", 12, "06"},
        {"dpi_flag", u"1", 12, "06"},
        {"dpi_index", u"0", 13, "01"},
        {"dpi_index", u"5", 13, "06"},
        {"dpi_index", u"9", 13, "01"},
        {"dpi_index", u"-1", 13, "01"},
        {"light_mode", u"260", 10, "04"},
        {"report_rate", u"fast", 11, "00"},
        {"scroll_flag", u"1", 49, "01"},
        {"liftoff_height", u"2", 50, "02"},
        {"button_respondtime", u"20", 52, "14"},
        {"sleep_light", u"60", 53, "3C"},
        {"e-sports_flag", u"2", 54, "02"},
    };
    const int profile = 3;
    const CommandReport baseline = protocol::BuildSettingsBlock(db, profile);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i) + ": " + c.key);
        ASSERT_TRUE(db.SetConfigValue(profile, c.key, c.value));
        CommandReport expected = baseline;
        const std::vector<uint8_t> bytes = Bytes(c.bytes);
        std::copy(bytes.begin(), bytes.end(), expected.Bytes().begin() + c.offset);
        EXPECT_EQ(protocol::BuildSettingsBlock(db, profile).ToHex(), expected.ToHex());
        db.ResetConfigDefaults(profile);
    }
}

TEST_F(SettingsBlockTest, DpiStageAndReportRateCommands) {
    Connect();
    struct Case {
        const char* name;
        const char* key;
        const char16_t* value;
        void (*send)(device::DeviceManager&, store::ProfileDatabase&, int);
        std::string frame;
    };
    const Case cases[] = {
        {"stage 3 at 1600", "dpi_index", u"2", protocol::SendDpiStage,
         "00 55 22 AE 4C 03 00 00 00 00 00 03 40 06"},
        {"no range check on the value", "dpi_group2_value", u"30000", protocol::SendDpiStage,
         "00 55 22 AE AB 03 00 00 00 00 00 03 30 75"},
        {"a stage beyond the sixth sends stage 1", "dpi_index", u"9", protocol::SendDpiStage,
         "00 55 22 AE 27 03 00 00 00 00 00 01 20 03"},
        {"report rate code 4", "report_rate", u"4", protocol::SendReportRate,
         "00 55 23 AE 07 03 00 00 00 00 00 04"},
    };
    for (const Case& c : cases) {
        db.ResetConfigDefaults(1);
        ASSERT_TRUE(db.SetConfigValue(1, c.key, c.value));
        Bus().ClearIoLog();
        c.send(manager, db, 1);
        EXPECT_EQ(OnlyWrite(), Frame(c.frame)) << c.name;
    }
    EXPECT_EQ(Mouse().RejectedCount(), 0);
}

// A settings block as the mouse returns it from R[8]: profile 2 (index 1), light 5, rate 4,
// four stages with stage 2 selected, 400 800 1600 3200 6400 25000, colours, scroll 1, lift-off
// 2, sensor bits 0x31, response 12, light-off 30, e-sports 2.
sim::VirtualMouse::SettingsBlock ProgrammedBlock() {
    sim::VirtualMouse::SettingsBlock block{};
    const std::vector<uint8_t> bytes = Bytes(
        "01 05 04 04 02 90 01 20 03 40 06 80 0C 00 19 A8 61 "
        "11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF 01 02 03 "
        "00 00 00 00 00 01 02 31 0C 1E 02");
    std::copy(bytes.begin(), bytes.end(), block.begin());
    return block;
}

// The reply to CMD_READ_SETTINGS carrying `block`.
CommandReport SettingsReply(const sim::VirtualMouse::SettingsBlock& block) {
    CommandReport reply;
    reply[0] = 0xAA;
    reply[1] = protocol::CMD_READ_SETTINGS;
    std::copy(block.begin(), block.end(), reply.Bytes().begin() + 8);
    return reply;
}

TEST_F(SettingsBlockTest, ReadingStoresEveryValueOfTheProfile) {
    Connect();
    Bus().EditMouse([](sim::VirtualMouse& mouse) { mouse.SetSettings(1, ProgrammedBlock()); });
    const auto first = ConfigOf(db, 1);
    std::map<std::string, std::u16string> expected = ConfigOf(db, 2);
    protocol::ReadSettings(manager, db, 2);

    EXPECT_EQ(OnlyWrite(), Frame("00 55 0E A5 2F 2E 00 00 01"));
    const std::map<std::string, std::u16string> read = {
        {"light_mode", u"5"},
        {"report_rate", u"4"},
        {"dpi_flag", u"4"},
        {"dpi_count", u"4"},
        {"dpi_index", u"1"},
        {"dpi_group0_value", u"400"},
        {"dpi_group1_value", u"800"},
        {"dpi_group2_value", u"1600"},
        {"dpi_group3_value", u"3200"},
        {"dpi_group4_value", u"6400"},
        {"dpi_group5_value", u"25000"},
        {"scroll_flag", u"1"},
        {"liftoff_height", u"2"},
        {"sensor_flag", u"28"},
        {"button_respondtime", u"12"},
        {"sleep_light", u"30"},
        {"e-sports_flag", u"2"},
    };
    for (const auto& [key, value] : read) {
        expected[key] = value;
    }
    // The colours are not read back; the other profiles are left alone.
    EXPECT_EQ(ConfigOf(db, 2), expected);
    EXPECT_EQ(ConfigOf(db, 1), first);
}

TEST_F(SettingsBlockTest, ReplyDecodingEdges) {
    struct Case {
        const char* name;
        size_t blockOffset;  // block[k] is R[8+k]
        const char* bytes;
        const char* key;
        const char16_t* stored;
    };
    const Case cases[] = {
        {"selected stage 0 stores 0", 4, "00", "dpi_index", u"0"},
        {"selected stage 1 stores 0", 4, "01", "dpi_index", u"0"},
        {"selected stage 6 stores 5", 4, "06", "dpi_index", u"5"},
        {"selected stage 9 stores 5", 4, "09", "dpi_index", u"5"},
        {"selected stage 255 stores 5", 4, "FF", "dpi_index", u"5"},
        {"stage value 49 is skipped", 5, "31 00", "dpi_group0_value", u"800"},
        {"stage value 50 is stored", 5, "32 00", "dpi_group0_value", u"50"},
        {"stage value 26000 is stored", 15, "90 65", "dpi_group5_value", u"26000"},
        {"stage value 26001 is skipped", 15, "91 65", "dpi_group5_value", u"12000"},
        {"stage value 0 is skipped", 7, "00 00", "dpi_group1_value", u"1200"},
        {"sensor bits 0x31 store 28", 42, "31", "sensor_flag", u"28"},
        {"sensor bits 0x00 store 0", 42, "00", "sensor_flag", u"0"},
        {"sensor bits 0x10 store 4", 42, "10", "sensor_flag", u"4"},
        {"sensor bits 0x01 store 8", 42, "01", "sensor_flag", u"8"},
        {"sensor bits 0x20 store 16", 42, "20", "sensor_flag", u"16"},
        {"other sensor bits are ignored", 42, "CE", "sensor_flag", u"0"},
        {"stage count 0 with a light mode is stored", 3, "00", "dpi_count", u"0"},
        {"stage count 200 is stored as it came", 3, "C8", "dpi_flag", u"200"},
    };
    for (const Case& c : cases) {
        db.ResetConfigDefaults(2);
        sim::VirtualMouse::SettingsBlock block = ProgrammedBlock();
        const std::vector<uint8_t> bytes = Bytes(c.bytes);
        std::copy(bytes.begin(), bytes.end(), block.begin() + c.blockOffset);
        EXPECT_EQ(protocol::StoreSettingsReply(db, 2, SettingsReply(block)),
                  SettingsReadResult::Stored)
            << c.name;
        std::u16string value;
        db.GetConfigValue(2, c.key, value);
        EXPECT_EQ(value, c.stored) << c.name;
    }
}

TEST_F(SettingsBlockTest, RepliesThatStoreNothing) {
    struct Case {
        const char* name;
        CommandReport reply;
        SettingsReadResult result;
    };
    sim::VirtualMouse::SettingsBlock empty = ProgrammedBlock();
    empty[1] = empty[2] = empty[3] = 0;
    sim::VirtualMouse::SettingsBlock unprogrammed = ProgrammedBlock();
    unprogrammed[5] = unprogrammed[6] = unprogrammed[7] = 0xFF;
    CommandReport wrongEcho = SettingsReply(ProgrammedBlock());
    wrongEcho[1] = protocol::CMD_READ_BATTERY;
    CommandReport refused = SettingsReply(ProgrammedBlock());
    refused[0] = 0xEE;
    CommandReport notification = SettingsReply(ProgrammedBlock());
    notification[1] = protocol::kNotificationMark1;
    const Case cases[] = {
        {"light mode, rate and stage count 0", SettingsReply(empty),
         SettingsReadResult::EmptyProfile},
        {"first stage bytes FF FF FF", SettingsReply(unprogrammed),
         SettingsReadResult::Unprogrammed},
        {"echo of another command", wrongEcho, SettingsReadResult::Rejected},
        {"not accepted", refused, SettingsReadResult::Rejected},
        {"a notification", notification, SettingsReadResult::Rejected},
        {"nothing came", CommandReport{}, SettingsReadResult::Rejected},
    };
    const auto before = ConfigOf(db, 2);
    for (const Case& c : cases) {
        EXPECT_EQ(protocol::StoreSettingsReply(db, 2, c.reply), c.result) << c.name;
        EXPECT_EQ(ConfigOf(db, 2), before) << c.name;
    }
}

TEST_F(SettingsBlockTest, AnEmptyProfileOnTheMouseIsLeftAsItIs) {
    Connect();
    sim::VirtualMouse::SettingsBlock empty = ProgrammedBlock();
    empty[1] = empty[2] = empty[3] = 0;
    Bus().EditMouse([&](sim::VirtualMouse& mouse) { mouse.SetSettings(1, empty); });
    const auto before = ConfigOf(db, 2);
    protocol::ReadSettings(manager, db, 2);
    EXPECT_EQ(Writes().size(), 1u);  // the read only
    EXPECT_EQ(ConfigOf(db, 2), before);
}

TEST_F(SettingsBlockTest, AnUnprogrammedMouseGetsTheStoredSettings) {
    Connect();  // a fresh virtual mouse answers FF in every settings byte
    ASSERT_TRUE(db.SetConfigValue(2, "dpi_group0_value", u"1000"));
    const auto before = ConfigOf(db, 2);
    CommandReport block = protocol::BuildSettingsBlock(db, 2);
    block.FillChecksum();

    protocol::ReadSettings(manager, db, 2);

    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(Hex(writes[0]), Frame("00 55 0E A5 2F 2E 00 00 01"));
    EXPECT_EQ(Hex(writes[1]), block.ToHex());
    EXPECT_EQ(ConfigOf(db, 2), before);
    const auto held = Mouse().Settings(1);
    EXPECT_EQ(Hex(held), Hex(std::span<const uint8_t>(block.Bytes().data() + 9, 46)));
}

TEST_F(SettingsBlockTest, ProfileNumbersOutsideTheMouseSendNothing) {
    Connect();
    for (int profile : {0, 6, -1}) {
        protocol::WriteSettingsBlock(manager, db, profile);
        protocol::SendDpiStage(manager, db, profile);
        protocol::SendReportRate(manager, db, profile);
        protocol::ReadSettings(manager, db, profile);
        EXPECT_EQ(protocol::BuildSettingsBlock(db, profile), CommandReport{}) << profile;
        EXPECT_EQ(protocol::StoreSettingsReply(db, profile, SettingsReply(ProgrammedBlock())),
                  SettingsReadResult::Rejected)
            << profile;
    }
    EXPECT_TRUE(Writes().empty());
}

}  // namespace
