#include <gtest/gtest.h>

#include <cstdio>

#include "protocol/MacroImage.h"

namespace {

using protocol::BuildMacroImage;
using protocol::MacroStepData;
using protocol::MacroSteps;

std::string Hex(const uint8_t* bytes, size_t count) {
    std::string text;
    char byte[4];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(byte, sizeof byte, i ? " %02X" : "%02X", bytes[i]);
        text += byte;
    }
    return text;
}

std::string Events(const protocol::MacroImage& image, size_t offset = 64) {
    return offset >= image.bytes.size() ? ""
                                        : Hex(image.bytes.data() + offset, image.bytes.size() - offset);
}

MacroStepData Step(int type, int value, std::u16string desc = u"") { return {type, value, desc}; }

TEST(MacroImage, NoMacrosIsTheBareHeader) {
    const auto image = BuildMacroImage({});
    EXPECT_EQ(image.bytes, std::vector<uint8_t>(64, 0));
    const auto chunks = protocol::SplitMacroImage(image.bytes);
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].offset, 0);
    EXPECT_EQ(chunks[0].length, 56);
    EXPECT_EQ(chunks[1].offset, 56);
    EXPECT_EQ(chunks[1].length, 8);
}

TEST(MacroImage, DelaysRideOnThePreviousEvent) {
    struct Case {
        const char* name;
        MacroSteps steps;
        const char* events;
    };
    const Case cases[] = {
        {"press, delay 50, release",
         {Step(2, 'A'), Step(1, 50), Step(3, 'A')},
         "32 00 42 04 00 00 82 04"},
        {"no delay step gives 10 ms", {Step(2, 'A'), Step(3, 'A')}, "0A 00 42 04 00 00 82 04"},
        {"trailing delay ends the macro", {Step(2, 'A'), Step(1, 20)}, "14 00 C2 04"},
        {"delays add up and a long delay uses the high byte",
         {Step(2, 'A'), Step(1, 300), Step(1, 700), Step(3, 'A')},
         "E8 03 42 04 00 00 82 04"},
        {"leading delays are dropped", {Step(1, 500), Step(2, 'B')}, "00 00 C2 05"},
        {"zero delay counts as none", {Step(2, 'A'), Step(1, 0), Step(3, 'A')},
         "0A 00 42 04 00 00 82 04"},
        {"no steps: terminator", {}, "00 00 80 00"},
        {"only delays: terminator too", {Step(1, 100), Step(1, 5)}, "00 00 80 00"},
        {"scroll down by description",
         {Step(4, 1, u"Scroll Down"), Step(5, 2, u"x Scroll Up y")},
         "0A 00 44 FF 00 00 C4 01"},
        {"mouse buttons", {Step(4, 2), Step(5, 0x110)}, "0A 00 43 02 00 00 83 10"},
        {"wheel steps", {Step(6, 9), Step(7, 9)}, "0A 00 44 01 00 00 C4 FF"},
        {"movement", {Step(8, 0x1F5), Step(11, 3)}, "0A 00 46 F5 00 00 C6 03"},
        {"combined movement with sign bits", {Step(12, 0x83F2)}, "00 C0 C6 23"},
        {"modifier variant for virtual keys 224..231",
         {Step(2, 226), Step(3, 226), Step(2, 160)},
         "0A 00 41 64 0A 00 01 64 00 00 C2 E1"},
        {"unknown step type", {Step(40, 1)}, "00 00 80 00"},
    };
    for (const Case& c : cases) {
        const auto image = BuildMacroImage({c.steps});
        EXPECT_EQ(Hex(image.bytes.data(), 2), "40 00") << c.name;
        EXPECT_EQ(Events(image), c.events) << c.name;
        EXPECT_FALSE(image.truncated) << c.name;
    }
}

TEST(MacroImage, HeaderPointsAtEachMacro) {
    const auto image = BuildMacroImage({{Step(2, 'A'), Step(3, 'A')}, {}, {Step(1, 5)}, {Step(2, 'C')}});
    EXPECT_EQ(Hex(image.bytes.data(), 10), "40 00 48 00 4C 00 50 00 00 00");
    EXPECT_EQ(image.bytes.size(), 84u);
    const auto chunks = protocol::SplitMacroImage(image.bytes);
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[1].length, 28);
    EXPECT_EQ(chunks[1].data[27], 0x06) << "last event code: C";
    EXPECT_EQ(chunks[1].data[28], 0x00) << "bytes past the end are zero";
}

TEST(MacroImage, ImageOf68BytesIsSentAs56And12) {
    const auto image = BuildMacroImage({{Step(2, 'A')}});
    ASSERT_EQ(image.bytes.size(), 68u);
    const auto chunks = protocol::SplitMacroImage(image.bytes);
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].length, 56);
    EXPECT_EQ(chunks[1].length, 12);
    EXPECT_EQ(chunks[1].offset, 56);
}

TEST(MacroImage, StaysWithinThirtyTwoMacrosAnd4224Bytes) {
    // 33 macros: the 33rd is left out.
    std::vector<MacroSteps> many(33, MacroSteps{Step(2, 'A')});
    auto image = BuildMacroImage(many);
    EXPECT_EQ(image.macrosPlaced, 32u);
    EXPECT_TRUE(image.truncated);
    EXPECT_EQ(image.bytes.size(), 64u + 32 * 4);

    // More events than fit: the image ends at 4224 bytes and the cut macro still ends.
    MacroSteps huge(2000, Step(2, 'A'));
    image = BuildMacroImage({{Step(2, 'B')}, huge, {Step(2, 'C')}});
    EXPECT_EQ(image.bytes.size(), protocol::kMacroImageCapacity);
    EXPECT_TRUE(image.truncated);
    EXPECT_EQ(image.macrosPlaced, 2u);
    EXPECT_EQ(Hex(image.bytes.data() + 4, 2), "00 00") << "no room for the third macro";
    EXPECT_EQ(image.bytes[4224 - 2] & 0x80, 0x80) << "the cut macro's last event has the end bit";
    EXPECT_EQ(image.bytes[4224 - 6] & 0x80, 0x00);
    EXPECT_EQ(protocol::SplitMacroImage(image.bytes).size(), 76u);
}

}  // namespace
