#include <gtest/gtest.h>

#include "base/Numbers.h"
#include "base/Utf.h"

namespace {

TEST(Utf, RoundTripsEveryPlane) {
    const std::u16string text = u"A\u00e9\u4e2d\U0001F600z";
    EXPECT_EQ(base::Utf8ToUtf16(base::Utf16ToUtf8(text)), text);
    EXPECT_EQ(base::Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string expected;
    };
    const Case cases[] = {
        {"lone continuation", "a\x80z", u"a\uFFFDz"},
        {"truncated sequence at end", "a\xE4\xB8", u"a\uFFFD"},
        {"overlong slash", "\xC0\xAF", u"\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD"},
        {"invalid lead", "\xFF", u"\uFFFD"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(base::Utf8ToUtf16(c.bytes), c.expected) << c.name;
        EXPECT_FALSE(base::IsValidUtf8(c.bytes)) << c.name;
    }
    EXPECT_TRUE(base::IsValidUtf8("plain \xE4\xB8\xAD"));
}

TEST(Utf, LoneSurrogatesAreReplacedWhenWritten) {
    EXPECT_EQ(base::Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
    EXPECT_EQ(base::Utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

TEST(Numbers, LeadingDigits) {
    struct Case {
        std::string text;
        int expected;
    };
    const Case cases[] = {
        {"1033", 1033}, {"2052abc", 2052}, {"", 0},          {"abc", 0},
        {" 12", 0},     {"-5", 0},         {"007", 7},       {"99999999999999", 2147483647},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(base::ParseLeadingDigits(c.text), c.expected) << c.text;
        EXPECT_EQ(base::ParseLeadingDigits(std::u16string(c.text.begin(), c.text.end())), c.expected);
    }
}

}  // namespace
