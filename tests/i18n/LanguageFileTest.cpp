#include <gtest/gtest.h>

#include "i18n/LanguageFile.h"
#include "support/TempHome.h"

namespace {

using testing_support::MakeTempFolder;
using testing_support::WriteFile;

std::string Utf16LeWithMark(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

std::string Utf16BeWithMark(const std::u16string& text) {
    std::string bytes = "\xFE\xFF";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c >> 8));
        bytes.push_back(static_cast<char>(c & 0xFF));
    }
    return bytes;
}

class ProfileStringTest : public testing::Test {
protected:
    std::u16string Lookup(const std::string& contents, std::u16string_view key,
                          std::u16string_view section = u"LAN") {
        const std::string path = MakeTempFolder("lan") + "/t.lan";
        EXPECT_TRUE(WriteFile(path, contents));
        return i18n::ReadProfileString(path, section, key);
    }
};

TEST_F(ProfileStringTest, ReadsEveryAcceptedEncoding) {
    const std::u16string file = u"[LAN]\r\n51=Подключено 中文 \U0001F600\r\n";
    const std::u16string expected = u"Подключено 中文 \U0001F600";
    EXPECT_EQ(Lookup(Utf16LeWithMark(file), u"51"), expected) << "UTF-16 LE with mark";
    EXPECT_EQ(Lookup(Utf16BeWithMark(file), u"51"), expected) << "UTF-16 BE with mark";
    EXPECT_EQ(Lookup("\xEF\xBB\xBF[LAN]\n51=Подключено 中文 \xF0\x9F\x98\x80\n", u"51"), expected)
        << "UTF-8 with mark";
    EXPECT_EQ(Lookup("[LAN]\n51=Подключено 中文 \xF0\x9F\x98\x80", u"51"), expected)
        << "UTF-8 without mark or final line end";
}

TEST_F(ProfileStringTest, InitialisationFileRules) {
    struct Case {
        const char* name;
        std::string contents;
        std::u16string key;
        std::u16string expected;
    };
    const Case cases[] = {
        {"blanks around key and value", "[LAN]\n  5 =   Close  \n", u"5", u"Close"},
        {"section and key ignore case", "[lan]\nAbc=x\n", u"aBC", u"x"},
        {"enclosing quotes removed once", "[LAN]\n1=\"quoted\"\n", u"1", u"quoted"},
        {"single quote pair", "[LAN]\n1='q'\n", u"1", u"q"},
        {"unbalanced quote kept", "[LAN]\n1=\"half\n", u"1", u"\"half"},
        {"first key wins", "[LAN]\n1=a\n1=b\n", u"1", u"a"},
        {"value with equals sign", "[LAN]\n1=a=b\n", u"1", u"a=b"},
        {"missing key", "[LAN]\n1=a\n", u"2", u""},
        {"key of another section", "[OTHER]\n1=a\n[LAN]\n2=b\n", u"1", u""},
        {"section header with blanks", "[ LAN ]\n1=a\n", u"1", u"a"},
        {"empty value", "[LAN]\n1=\n", u"1", u""},
        {"line without equals ignored", "[LAN]\nnoise\n1=a\n", u"1", u"a"},
        {"key before any section", "1=a\n[LAN]\n", u"1", u""},
        {"CR only line ends", "[LAN]\r1=a\r2=b\r", u"2", u"b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Lookup(c.contents, c.key), c.expected) << c.name;
    }
    EXPECT_EQ(Lookup("[LAN]\n1=a\n", u"1", u"NOPE"), u"") << "missing section";
}

TEST_F(ProfileStringTest, LongValuesAreCutAt259Units) {
    const std::string longValue(400, 'x');
    EXPECT_EQ(Lookup("[LAN]\n1=" + longValue + "\n", u"1"), std::u16string(259, u'x'));
    EXPECT_EQ(Lookup("[LAN]\n1=" + std::string(259, 'y') + "\n", u"1"), std::u16string(259, u'y'));
}

TEST_F(ProfileStringTest, BadFilesGiveEmptyText) {
    EXPECT_EQ(i18n::ReadProfileString("/nonexistent/x.lan", u"LAN", u"1"), u"");
    EXPECT_EQ(i18n::ReadProfileString(MakeTempFolder("dir"), u"LAN", u"1"), u"") << "a folder";
    EXPECT_EQ(Lookup(std::string("\xFF\xFE\x00", 3), u"1"), u"") << "odd-length UTF-16";
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary.push_back(static_cast<char>(i * 37));
    }
    EXPECT_EQ(Lookup(binary + "\n[LAN]\n1=ok\n", u"1"), u"ok") << "garbage before the section";
    EXPECT_EQ(Lookup("[LAN]\n1=a\xFF" "b\n", u"1"), u"a\uFFFDb") << "malformed UTF-8";
}

}  // namespace
