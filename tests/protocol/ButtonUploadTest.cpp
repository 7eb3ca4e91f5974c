// Button entries on the mouse: the store's assignments sent with CMD_WRITE_KEYS, and the entries
// CMD_READ_KEYS returns stored back as assignments.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "DeviceJobTestSupport.h"
#include "protocol/ButtonUpload.h"
#include "protocol/CommandSet.h"

namespace {

using device_job_test::Bytes;
using device_job_test::DeviceJobFixture;
using device_job_test::Frame;
using device_job_test::Hex;

// The eight factory default entries, slot 0 first; slot 8 stays zero.
constexpr char kDefaultEntries[] =
    "20 01 00 00 20 02 00 00 20 04 00 00 20 08 00 00 20 10 00 00 21 55 00 00 21 38 01 00 "
    "21 38 FF 00";

store::KeyMapping Row(int profile, int keyCode, int type, int value, int value2 = 0,
                      std::u16string desc = u"") {
    store::KeyMapping row;
    row.profile = profile;
    row.key_code = keyCode;
    row.macro_type = type;
    row.macro_value = value;
    row.macro_value2 = value2;
    row.macro_desc = std::move(desc);
    return row;
}

// A profile's rows by button: type, value, value2, text.
using Stored = std::map<int, std::tuple<int, int, int, std::u16string>>;

class ButtonUploadTest : public DeviceJobFixture {
  protected:
    Stored RowsOf(int profile) {
        std::vector<store::KeyMapping> rows;
        db.ListKeyMappings(profile, rows);
        Stored stored;
        for (const store::KeyMapping& row : rows) {
            stored[row.key_code] = {row.macro_type, row.macro_value, row.macro_value2,
                                    row.macro_desc};
        }
        return stored;
    }

    // Three macros; the third plays five times.
    void AddMacros() {
        for (const char16_t* name : {u"one", u"two", u"three"}) {
            macroIds.push_back(db.AddMacro(name));
        }
        store::MacroInfo third;
        ASSERT_TRUE(db.GetMacro(macroIds[2], third));
        third.play_times = 5;
        ASSERT_TRUE(db.UpdateMacro(macroIds[2], third));
    }

    void SetMouseButtons(int profileIndex, const std::string& entries) {
        sim::VirtualMouse::ButtonEntries held{};
        const std::vector<uint8_t> bytes = Bytes(entries, held.size());
        std::copy(bytes.begin(), bytes.end(), held.begin());
        Bus().EditMouse([&](sim::VirtualMouse& mouse) { mouse.SetButtons(profileIndex, held); });
    }

    std::vector<int> macroIds;
};

TEST_F(ButtonUploadTest, AProfileWithoutRowsIsSentAsTheEightDefaults) {
    Connect();
    protocol::WriteButtonEntries(manager, db);
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 5u);
    const char* heads[] = {"00 55 09 A5 07 20 00 00 00", "00 55 09 A5 08 20 00 00 01",
                           "00 55 09 A5 09 20 00 00 02", "00 55 09 A5 0A 20 00 00 03",
                           "00 55 09 A5 0B 20 00 00 04"};
    for (size_t p = 0; p < writes.size(); ++p) {
        EXPECT_EQ(Hex(writes[p]), Frame(std::string(heads[p]) + " " + kDefaultEntries)) << p;
        EXPECT_EQ(Hex(Mouse().Buttons(static_cast<int>(p))),
                  Hex(Bytes(kDefaultEntries, sim::VirtualMouse::kButtonBytes)))
            << p;
    }
    EXPECT_EQ(Mouse().RejectedCount(), 0);
}

TEST_F(ButtonUploadTest, RowsGoOverTheirButtonsSlots) {
    AddMacros();
    const int p = 2;
    db.SaveKeyMapping(Row(p, 1, 23, macroIds[2], 0, u"three"));  // third macro, five times
    db.SaveKeyMapping(Row(p, 2, 24, 1));                         // the button's own default
    db.SaveKeyMapping(Row(p, 4, 22, 0x04, 0x03));                // Ctrl+Shift+A, slot 4
    db.SaveKeyMapping(Row(p, 5, 1, 1));                          // left button, slot 3
    db.SaveKeyMapping(Row(p, 7, 22, 225, 0));                    // a lone left Shift
    db.SaveKeyMapping(Row(p, 9, 7, 1));                          // DPI up on button 9
    db.SaveKeyMapping(Row(p, 0, 1, 1));                          // no such button
    db.SaveKeyMapping(Row(p, 10, 1, 1));                         // no such button
    db.SaveKeyMapping(Row(1, 3, 1, 1));                          // another profile's row

    protocol::CommandReport built =
        protocol::BuildButtonEntries(db, p, protocol::MacroListingOf(db));
    EXPECT_EQ(built[4], 0x00);
    built.FillChecksum();
    EXPECT_EQ(built.ToHex(), Frame("00 55 09 A5 30 20 00 00 01 "
                                   "70 02 05 00 00 02 00 00 20 04 00 00 20 01 00 00 "
                                   "10 03 04 00 21 55 00 00 10 02 00 00 21 38 FF 00 "
                                   "21 38 01 00"));

    Connect();
    protocol::WriteButtonEntries(manager, db);
    ASSERT_EQ(Writes().size(), 5u);
    EXPECT_EQ(Hex(Writes()[1]), built.ToHex());
    EXPECT_EQ(Hex(Mouse().Buttons(1)), Hex(std::span<const uint8_t>(built.Bytes().data() + 9, 36)));
}

TEST_F(ButtonUploadTest, ReadEntriesAreStoredAsTheirButtonsRows) {
    AddMacros();
    db.SaveKeyMapping(Row(3, 2, 3, 1, 0, u"122"));
    db.SaveKeyMapping(Row(3, 3, 5, 1, 0, u"124"));
    db.SaveKeyMapping(Row(3, 8, 6, 1, 0, u"125"));
    SetMouseButtons(2,
                    "20 01 02 00 "   // slot 0, button 1: left double click
                    "FF FF 12 34 "   // slot 1, button 2: unprogrammed, row kept
                    "00 00 00 00 "   // slot 2, button 3: nothing, row kept
                    "00 10 00 00 "   // slot 3, button 5: the button's default
                    "30 23 02 00 "   // slot 4, button 4: browser home
                    "30 83 01 00 "   // slot 5, button 6: media player
                    "70 01 00 00 "   // slot 6, button 7: the second macro
                    "70 07 00 00 "   // slot 7, button 8: no eighth macro, row kept
                    "10 02 04 00");  // slot 8, button 9: Shift + A
    Connect();
    EXPECT_TRUE(protocol::ReadButtonEntries(manager, db, 3));
    EXPECT_EQ(OnlyWrite(), Frame("00 55 08 A5 22 20 00 00 02"));

    Stored expected = {
        {1, {4, 1, 0, u"126"}},
        {2, {3, 1, 0, u"122"}},
        {3, {5, 1, 0, u"124"}},
        {4, {26, 6, 0, u"190"}},
        {5, {24, 1, 0, u"162"}},
        {6, {25, 1, 0, u"178"}},
        {7, {23, macroIds[1], 0, u"two"}},
        {8, {6, 1, 0, u"125"}},
        {9, {22, 4, 2, u"Shift + A"}},
    };
    EXPECT_EQ(RowsOf(3), expected);
    EXPECT_TRUE(RowsOf(2).empty());
}

TEST_F(ButtonUploadTest, AFailedReadLeavesTheProfilesRows) {
    db.SaveKeyMapping(Row(2, 1, 2, 1, 0, u"123"));
    SetMouseButtons(1, "20 02 00 00");
    Connect();
    struct Case {
        const char* name;
        sim::SimFaults faults;
    };
    sim::SimFaults noReply;
    noReply.dropReplies = -1;
    sim::SimFaults refused;
    refused.corruptReplies = -1;
    // A notification that arrives in place of the answer starts with 0xAA too; its bytes from
    // R[8] would read as a left-button entry.
    sim::SimFaults notification;
    notification.scriptedReplies.push_back(Bytes("AA FA 00 00 00 00 00 00 20 01 00 00", 64));
    const Case cases[] = {
        {"no reply", noReply},
        {"refused", refused},
        {"a notification instead of the answer", notification},
    };
    const Stored before = RowsOf(2);
    for (const Case& c : cases) {
        Bus().SetFaults(c.faults);
        EXPECT_FALSE(protocol::ReadButtonEntries(manager, db, 2)) << c.name;
        EXPECT_EQ(RowsOf(2), before) << c.name;
    }
    Bus().SetFaults({});
    EXPECT_TRUE(protocol::ReadButtonEntries(manager, db, 2));
    EXPECT_EQ(RowsOf(2), (Stored{{1, {3, 1, 0, u"122"}}}));
}

TEST_F(ButtonUploadTest, WhatIsSentReadsBackAsTheSameRows) {
    AddMacros();
    const int p = 4;
    const std::vector<store::KeyMapping> rows = {
        Row(p, 1, 4, 1),           Row(p, 2, 25, 1), Row(p, 3, 26, 6),
        Row(p, 4, 22, 0x04, 0x03), Row(p, 5, 23, 0), Row(p, 6, 27, 7),
        Row(p, 7, 15, 1),          Row(p, 8, 10, 1), Row(p, 9, 8, 1),
    };
    Stored sent;
    for (store::KeyMapping row : rows) {
        if (row.macro_type == 23) {
            row.macro_value = macroIds[1];
        }
        db.SaveKeyMapping(row);
        sent[row.key_code] = {row.macro_type, row.macro_value, row.macro_value2, u""};
    }
    Connect();
    protocol::WriteButtonEntries(manager, db);
    ASSERT_TRUE(db.DeleteKeyMappings(p));
    ASSERT_TRUE(protocol::ReadButtonEntries(manager, db, p));

    Stored read = RowsOf(p);
    for (auto& [button, row] : read) {
        std::get<3>(row).clear();  // the texts come from the reader
    }
    EXPECT_EQ(read, sent);
}

TEST_F(ButtonUploadTest, EntriesOutsideTheMouseStoreNothing) {
    const std::vector<protocol::MacroListing> none;
    protocol::StoreButtonEntry(db, 1, 9, {0x20, 0x01, 0x00, 0x00}, none);
    protocol::StoreButtonEntry(db, 1, -1, {0x20, 0x01, 0x00, 0x00}, none);
    protocol::StoreButtonEntry(db, 0, 0, {0x20, 0x01, 0x00, 0x00}, none);
    protocol::StoreButtonEntry(db, 6, 0, {0x20, 0x01, 0x00, 0x00}, none);
    for (int profile = 0; profile <= 6; ++profile) {
        EXPECT_TRUE(RowsOf(profile).empty()) << profile;
    }
    Connect();
    EXPECT_FALSE(protocol::ReadButtonEntries(manager, db, 0));
    EXPECT_FALSE(protocol::ReadButtonEntries(manager, db, 6));
    EXPECT_EQ(protocol::BuildButtonEntries(db, 6, none), protocol::CommandReport{});
    EXPECT_TRUE(Writes().empty());
}

}  // namespace
