#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "input/EmojiTable.h"
#include "input/TypeText.h"
#include "platform/TextTyper.h"
#include "support/FakeClock.h"

namespace {

// A keyboard that records every code unit with the tick at which it was typed. It can be told
// to report typing as unavailable from a given unit on.
class RecordingKeyboard final : public platform::TextTyper {
  public:
    bool TypeUnit(char16_t unit) override {
        if (units.size() >= acceptedUnits) {
            ++refused;
            return false;
        }
        units.push_back(unit);
        ticks.push_back(base::DefaultClock().TickCount64());
        return true;
    }
    void EndText() override {
        ++endTexts;
        endTick = base::DefaultClock().TickCount64();
    }

    std::u16string units;
    std::vector<uint64_t> ticks;
    size_t acceptedUnits = SIZE_MAX;
    int refused = 0;
    int endTexts = 0;
    uint64_t endTick = 0;
};

class TypeTextTest : public testing::Test {
  protected:
    testing_support::ScopedFakeClock clock{0};
    RecordingKeyboard keyboard;
};

TEST_F(TypeTextTest, EmojiThreeTypesItsThreeUnitsTenMillisecondsApart) {
    EXPECT_TRUE(input::TypeEmoji(3, keyboard));
    EXPECT_EQ(keyboard.units, u"[\u8272]");
    EXPECT_EQ(keyboard.ticks, (std::vector<uint64_t>{0, 10, 20}));
    // The pause follows every unit, the last one too, before the text ends.
    EXPECT_EQ(keyboard.endTexts, 1);
    EXPECT_EQ(keyboard.endTick, 30u);
}

TEST_F(TypeTextTest, NumbersWithoutAnEntryTypeNothingAndTakeNoTime) {
    for (const int number : {0, 110, -1, 255, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(number);
        EXPECT_FALSE(input::TypeEmoji(number, keyboard));
        EXPECT_TRUE(input::EmojiText(number).empty());
    }
    EXPECT_TRUE(keyboard.units.empty());
    EXPECT_TRUE(clock->Sleeps().empty());
}

TEST_F(TypeTextTest, CarriageReturnsAreLeftOutAndSurrogatesGoAsTwoUnits) {
    struct Case {
        std::u16string text;
        std::u16string typed;
    };
    const Case cases[] = {
        {u"\r\n", u"\n"},
        {u"a\r\nb\rc\n",
         u"a\nb"
         u"c\n"},
        {u"\r\r", u""},
        {u"", u""},
        // U+1F600 is typed as its two surrogate units, each as its own unit.
        {u"x\U0001F600y", u"x\xD83D\xDE00y"},
        // Lone surrogates are handed over as they are; the keyboard decides what they become.
        {std::u16string(u"\xD800"
                        u"a\xDC00"),
         std::u16string(u"\xD800"
                        u"a\xDC00")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        RecordingKeyboard fresh;
        clock->ClearSleeps();
        EXPECT_TRUE(input::TypeText(c.text, fresh));
        EXPECT_EQ(fresh.units, c.typed);
        EXPECT_EQ(clock->Sleeps(), std::vector<uint32_t>(c.typed.size(), 10u));
        EXPECT_EQ(fresh.endTexts, 1);
    }
}

TEST_F(TypeTextTest, UnavailableKeyboardStopsTheTextWithoutWaitingItOut) {
    keyboard.acceptedUnits = 2;
    EXPECT_FALSE(input::TypeText(u"abcdef", keyboard));
    EXPECT_EQ(keyboard.units, u"ab");
    EXPECT_EQ(keyboard.refused, 1);
    EXPECT_EQ(clock->Sleeps(), (std::vector<uint32_t>{10, 10}));
    EXPECT_EQ(keyboard.endTexts, 1);
}

TEST_F(TypeTextTest, DefaultKeyboardIsTheInstalledOne) {
    platform::SetDefaultTextTyper(&keyboard);
    EXPECT_TRUE(input::TypeEmoji(87));
    EXPECT_TRUE(input::TypeText(u"\r!"));
    platform::SetDefaultTextTyper(nullptr);
    EXPECT_EQ(keyboard.units, u"[OK]!");
}

TEST(EmojiTable, HoldsTheBracketedCodeOfEveryNumber) {
    struct Case {
        int number;
        std::u16string_view text;
    };
    const Case cases[] = {
        {1, u"[微笑]"},      {2, u"[撇嘴]"}, {3, u"[色]"},  {50, u"[破涕为笑]"}, {64, u"[Emm]"},
        {65, u"[社会社会]"}, {71, u"[666]"}, {87, u"[OK]"}, {102, u"[發]"},      {109, u"[转圈]"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(input::EmojiText(c.number), c.text) << c.number;
    }
    std::set<std::u16string_view> distinct;
    for (int number = 1; number <= 109; ++number) {
        const std::u16string_view text = input::EmojiText(number);
        ASSERT_GE(text.size(), 3u) << number;
        EXPECT_EQ(text.front(), u'[') << number;
        EXPECT_EQ(text.back(), u']') << number;
        EXPECT_EQ(text.find_first_of(u"[]\r\n", 1), text.size() - 1) << number;
        distinct.insert(text);
    }
    EXPECT_EQ(distinct.size(), 109u);
}

}  // namespace
