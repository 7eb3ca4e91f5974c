#include <gtest/gtest.h>

#include <cstdio>

#include "protocol/ButtonEntry.h"
#include "protocol/KeyTables.h"

namespace {

using protocol::ButtonEntry;
using protocol::ButtonFunction;
using protocol::MacroListing;

std::string Hex(const ButtonEntry& entry) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X %02X", entry[0], entry[1], entry[2], entry[3]);
    return text;
}

const std::vector<MacroListing> kMacros = {
    {11, 0, 0, u"First"}, {12, 0, 0, u"Second"}, {13, 0, 5, u"Third"}, {14, 1, 5, u"Fourth"},
    {15, 2, 9, u"Fifth"}, {16, 0, 1, u"Sixth"},
};

struct Row {
    int keyCode;
    ButtonFunction function;
    const char* entry;
    // The function the entry decodes back to; type 0 means "not stored".
    ButtonFunction decoded;
};

// Every function type with the entry it is sent as and what reading that entry stores.
const Row kRows[] = {
    {1, {1, 1, 0, u""}, "20 01 00 00", {1, 1, 0, u"121"}},
    {1, {2, 1, 0, u""}, "20 04 00 00", {2, 1, 0, u"123"}},
    {1, {3, 1, 0, u""}, "20 02 00 00", {3, 1, 0, u"122"}},
    {1, {4, 1, 0, u""}, "20 01 02 00", {4, 1, 0, u"126"}},
    {1, {5, 1, 0, u""}, "20 10 00 00", {5, 1, 0, u"124"}},
    {1, {6, 1, 0, u""}, "20 08 00 00", {6, 1, 0, u"125"}},
    {1, {7, 1, 0, u""}, "21 38 01 00", {7, 1, 0, u"127"}},
    {1, {8, 1, 0, u""}, "21 38 FF 00", {8, 1, 0, u"128"}},
    {1, {9, 1, 0, u""}, "21 55 00 00", {9, 1, 0, u"90"}},
    {1, {10, 1, 0, u""}, "21 AA 00 00", {10, 1, 0, u"91"}},
    {1, {11, 1, 0, u""}, "21 61 00 00", {11, 1, 0, u"156"}},
    {1, {12, 1, 0, u""}, "21 62 00 00", {}},  // sent, but the reader has no text for it
    {1, {15, 1, 0, u""}, "F0 01 01 00", {15, 1, 0, u"150"}},
    {1, {16, 1, 0, u""}, "F0 01 02 00", {16, 1, 0, u"151"}},
    {1, {17, 1, 0, u""}, "F0 01 03 00", {17, 1, 0, u"152"}},
    {1, {19, 1, 0, u""}, "F0 02 01 00", {19, 1, 0, u"153"}},
    {1, {20, 1, 0, u""}, "F0 02 02 00", {20, 1, 0, u"154"}},
    {1, {21, 1, 0, u""}, "F0 02 03 00", {21, 1, 0, u"155"}},
    // Keyboard keys: modifier bits in E[1], the usage (or a lone modifier's bit) in E[2].
    {1, {22, 0x04, 0x03, u""}, "10 03 04 00", {22, 0x04, 0x03, u"Shift+ Ctrl + A"}},
    {1, {22, 225, 0x00, u""}, "10 02 00 00", {22, 0x00, 0x02, u"Shift"}},
    {1, {22, 225, 0x01, u""}, "10 01 02 00", {22, 0x02, 0x01, u"Ctrl"}},
    {1, {22, 0x3A, 0x0C, u""}, "10 0C 3A 00", {22, 0x3A, 0x0C, u"Win+ Alt + F1"}},
    {1, {22, 0x32, 0x00, u""}, "10 00 32 00", {22, 0x32, 0x00, u""}},
    // Macros by listing position, play type and count.
    {1, {23, 13, 0, u""}, "70 02 05 00", {23, 13, 0, u"Third"}},
    {1, {23, 14, 0, u""}, "70 03 01 02", {23, 14, 0, u"Fourth"}},
    {1, {23, 15, 0, u""}, "70 04 01 03", {23, 15, 0, u"Fifth"}},
    {1, {23, 16, 0, u""}, "70 05 01 00", {23, 16, 0, u"Sixth"}},
    {1, {23, 11, 0, u""}, "70 00 01 00", {23, 11, 0, u"First"}},
    {1, {23, 99, 0, u""}, "70 00 00 00", {23, 11, 0, u"First"}},  // missing macro
    // The default function depends on the button.
    {1, {24, 0, 0, u""}, "00 01 00 00", {24, 1, 0, u"162"}},
    {2, {24, 0, 0, u""}, "00 02 00 00", {24, 1, 0, u"162"}},
    {3, {24, 0, 0, u""}, "00 04 00 00", {24, 1, 0, u"162"}},
    {4, {24, 0, 0, u""}, "00 10 00 00", {24, 1, 0, u"162"}},
    {5, {24, 0, 0, u""}, "00 08 00 00", {24, 1, 0, u"162"}},
    {6, {24, 0, 0, u""}, "00 00 00 00", {}},
    {7, {24, 0, 0, u""}, "00 38 01 00", {24, 1, 0, u"162"}},
    {8, {24, 0, 0, u""}, "00 38 FF 00", {24, 1, 0, u"162"}},
    {9, {24, 0, 0, u""}, "00 21 AA 00", {24, 1, 0, u"162"}},
    // Multimedia.
    {1, {25, 1, 0, u""}, "30 83 01 00", {25, 1, 0, u"178"}},
    {1, {25, 2, 0, u""}, "30 CD 00 00", {25, 2, 0, u"179"}},
    {1, {25, 3, 0, u""}, "30 B7 00 00", {25, 3, 0, u"182"}},
    {1, {25, 4, 0, u""}, "30 B6 00 00", {25, 4, 0, u"180"}},
    {1, {25, 5, 0, u""}, "30 B5 00 00", {25, 5, 0, u"181"}},
    {1, {25, 6, 0, u""}, "30 E9 00 00", {25, 6, 0, u"175"}},
    {1, {25, 7, 0, u""}, "30 EA 00 00", {25, 7, 0, u"176"}},
    {1, {25, 8, 0, u""}, "30 E2 00 00", {25, 8, 0, u"177"}},
    {1, {25, 9, 0, u""}, "00 00 00 00", {}},
    // System shortcuts.
    {1, {26, 1, 0, u""}, "30 6F 00 00", {26, 1, 0, u"185"}},
    {1, {26, 2, 0, u""}, "30 70 00 00", {26, 2, 0, u"186"}},
    {1, {26, 3, 0, u""}, "30 92 01 00", {26, 3, 0, u"187"}},
    {1, {26, 4, 0, u""}, "10 08 08 00", {26, 4, 0, u"189"}},
    {1, {26, 5, 0, u""}, "10 08 07 00", {26, 5, 0, u"188"}},
    {1, {26, 6, 0, u""}, "30 23 02 00", {26, 6, 0, u"190"}},
    {1, {26, 7, 0, u""}, "30 8A 01 00", {26, 7, 0, u"191"}},
    {1, {26, 8, 0, u""}, "10 00 3E 00", {26, 8, 0, u"192"}},
    {1, {26, 9, 0, u""}, "10 04 2B 00", {26, 9, 0, u"193"}},
    {1, {26, 10, 0, u""}, "10 08 46 00", {26, 10, 0, u"194"}},
    {1, {26, 11, 0, u""}, "10 01 06 00", {26, 11, 0, u"31"}},
    {1, {26, 12, 0, u""}, "10 01 19 00", {26, 12, 0, u"32"}},
    {1, {26, 13, 0, u""}, "10 01 1B 00", {26, 13, 0, u"36"}},
    {1, {26, 0, 0, u""}, "00 00 00 00", {}},
    // Emoji.
    {1, {27, 3, 0, u""}, "50 03 00 00", {27, 3, 0, u"表情符号"}},
    {1, {27, 0x1FF, 0, u""}, "50 FF 00 00", {27, 0xFF, 0, u"表情符号"}},
    // Unknown types.
    {1, {13, 1, 0, u""}, "00 00 00 00", {}},
    {1, {0, 0, 0, u""}, "00 00 00 00", {}},
};

TEST(ButtonEntry, EveryFunctionEncodesAndDecodesBack) {
    for (const Row& row : kRows) {
        const ButtonEntry entry = protocol::EncodeButtonEntry(row.keyCode, row.function, kMacros);
        EXPECT_EQ(Hex(entry), row.entry) << "type " << row.function.type << " value " << row.function.value;
        const auto decoded = protocol::DecodeButtonEntry(entry, kMacros);
        if (row.decoded.type == 0) {
            EXPECT_FALSE(decoded.has_value()) << row.entry;
        } else {
            ASSERT_TRUE(decoded.has_value()) << row.entry;
            EXPECT_EQ(*decoded, row.decoded) << row.entry;
        }
    }
}

TEST(ButtonEntry, ReaderIgnoresWhatItDoesNotKnow) {
    struct Case {
        ButtonEntry entry;
        int type;  // 0: ignored
        int value;
    };
    const Case cases[] = {
        {{0xFF, 0xFF, 0x12, 0x34}, 0, 0},  // never programmed
        {{0x00, 0x00, 0x00, 0x00}, 0, 0},
        {{0x00, 0x10, 0x00, 0x00}, 24, 1},
        {{0x20, 0x01, 0x00, 0x00}, 1, 1},
        {{0x20, 0x01, 0x03, 0x00}, 1, 1},  // only a double click count makes type 4
        {{0x20, 0x02, 0x02, 0x00}, 3, 1},
        {{0x20, 0x20, 0x00, 0x00}, 0, 0},
        {{0x21, 0x38, 0x02, 0x00}, 0, 0},
        {{0x21, 0x55, 0x07, 0x00}, 9, 1},
        {{0x21, 0x99, 0x00, 0x00}, 0, 0},
        {{0x30, 0xCD, 0x55, 0x00}, 25, 2},  // one-byte usages ignore E[2]
        {{0x30, 0x83, 0x00, 0x00}, 0, 0},
        {{0x30, 0x23, 0x01, 0x00}, 0, 0},
        {{0x30, 0x11, 0x00, 0x00}, 0, 0},
        {{0x70, 0x06, 0x01, 0x00}, 0, 0},  // position without a macro
        {{0xF0, 0x03, 0x01, 0x00}, 0, 0},
        {{0xF0, 0x01, 0x04, 0x00}, 0, 0},
        {{0x40, 0x01, 0x00, 0x00}, 0, 0},
        {{0xFF, 0x00, 0x00, 0x00}, 0, 0},
    };
    for (const Case& c : cases) {
        const auto decoded = protocol::DecodeButtonEntry(c.entry, kMacros);
        if (c.type == 0) {
            EXPECT_FALSE(decoded.has_value()) << Hex(c.entry);
        } else {
            ASSERT_TRUE(decoded.has_value()) << Hex(c.entry);
            EXPECT_EQ(decoded->type, c.type) << Hex(c.entry);
            EXPECT_EQ(decoded->value, c.value) << Hex(c.entry);
        }
    }
}

TEST(ButtonEntry, MacrosBeyondTheImageAreNotAddressed) {
    std::vector<MacroListing> many;
    for (int i = 0; i < 40; ++i) {
        many.push_back({100 + i, 0, 0, u"m"});
    }
    EXPECT_EQ(Hex(protocol::EncodeButtonEntry(1, {23, 131, 0, u""}, many)), "70 1F 01 00");
    EXPECT_EQ(Hex(protocol::EncodeButtonEntry(1, {23, 132, 0, u""}, many)), "70 00 00 00");
}

TEST(ButtonEntry, SlotsCrossButtonsFourAndFive) {
    const int slots[] = {0, 1, 2, 4, 3, 5, 6, 7, 8};
    for (int button = 1; button <= 9; ++button) {
        EXPECT_EQ(protocol::SlotOfButton(button), slots[button - 1]);
        EXPECT_EQ(protocol::ButtonOfSlot(slots[button - 1]), button);
    }
    EXPECT_EQ(protocol::SlotOfButton(0), -1);
    EXPECT_EQ(protocol::SlotOfButton(10), -1);
    EXPECT_EQ(protocol::ButtonOfSlot(9), 0);
    const char* defaults[] = {"20 01 00 00", "20 02 00 00", "20 04 00 00",
                              "20 08 00 00", "20 10 00 00", "21 55 00 00",
                              "21 38 01 00", "21 38 FF 00", "00 00 00 00"};
    for (int slot = 0; slot < 9; ++slot) {
        EXPECT_EQ(Hex(protocol::FactoryDefaultEntry(slot)), defaults[slot]);
    }
}

TEST(KeyTables, NamesConversionsAndModifierBits) {
    struct Name {
        int usage;
        std::u16string name;
    };
    const Name names[] = {{4, u"A"},      {29, u"Z"},        {30, u"1"},     {39, u"0"},
                          {58, u"F1"},    {69, u"F12"},      {89, u"Num 1"}, {98, u"Num 0"},
                          {49, u"\\"},    {50, u""},         {84, u"//"},    {99, u"Num Del"},
                          {175, u"Fn"},   {225, u"LShift"},  {231, u"RWin"}, {104, u""},
                          {0, u""},       {-1, u""}};
    for (const Name& n : names) {
        EXPECT_EQ(protocol::KeyUsageName(n.usage), n.name) << n.usage;
    }
    struct Conversion {
        int virtualKey;
        int usage;
    };
    const Conversion conversions[] = {
        {'A', 4},  {'Z', 29},   {'1', 30},  {'9', 38},  {'0', 39},   {13, 40},  {112, 58},
        {123, 69}, {124, 104},  {135, 115}, {96, 98},   {97, 89},    {105, 97}, {110, 99},
        {162, 224}, {165, 230}, {91, 227},  {92, 231},  {226, 100},  {254, 175}, {136, 136},
        {139, 139}, {140, 0},   {0, 0},     {255, 0},   {-3, 0},
    };
    for (const Conversion& c : conversions) {
        EXPECT_EQ(protocol::VirtualKeyToUsage(c.virtualKey), c.usage) << c.virtualKey;
    }
    EXPECT_EQ(protocol::ModifierUsageToBits(224), 0x01);
    EXPECT_EQ(protocol::ModifierUsageToBits(231), 0x80);
    EXPECT_EQ(protocol::ModifierUsageToBits(4), 4);
}

}  // namespace
