// The three delivered language files: every text the program looks up is there in every language,
// the words that default names are built from are exact, and each file is a clean one-section
// initialisation file that the lookup reads back exactly as written.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "base/Utf.h"
#include "i18n/Language.h"
#include "i18n/LanguageFile.h"
#include "i18n/LocalizeName.h"

namespace {

// Every text number the program looks up, ascending.
constexpr int kUsedTextNumbers[] = {
    // Window frame tooltips (close, minimise), tray menu exit.
    5, 6, 12,
    // Message box buttons; profile bar read and apply (22 is also the button-function dialog's OK).
    20, 21, 22, 23, 25,
    // Macro import and export, macro menu delete.
    26, 27, 30,
    // Copy (also the copy-name suffix), paste, cut; insert step.
    31, 32, 36, 39,
    // Connection states, Bluetooth notice, no-mouse banner.
    50, 51, 52, 53, 54, 56, 57,
    // Tabs: home, buttons, performance, macros, settings.
    71, 72, 73, 74, 76,
    // Device functions 0x55 and 0xAA.
    90, 91,
    // Key page: profile, button callouts, response time; profile bar restore, import, export;
    // caption of "settings applied".
    101, 103, 111, 112, 113, 114, 115,
    // Button functions: mouse buttons, DPI up and down, function types 13 and 14.
    121, 122, 123, 124, 125, 126, 127, 128, 129, 130,
    // Function groups 1 and 2 with their levels; device function 0x61.
    150, 151, 152, 153, 154, 155, 156,
    // Function categories and the button-function dialog title.
    160, 161, 162, 163, 164, 170,
    // Multimedia functions.
    175, 176, 177, 178, 179, 180, 181, 182,
    // System shortcuts.
    185, 186, 187, 188, 189, 190, 191, 192, 193, 194,
    // Restore-defaults question, upload and restore results.
    200, 201, 210, 212,
    // Performance page: DPI section, its help, reset and confirmation, report rate, stage title.
    249, 252, 253, 255, 256, 258, 261,
    // Macro page: titles, default macro name, list and step buttons, recording, options.
    350, 351, 352, 353, 355, 357, 358, 359, 360, 361, 362, 363, 364, 365, 366, 367, 368,
    // Step editor, limits and step list columns.
    385, 386, 387, 388, 389, 390, 391, 392, 393, 394, 395,
    // Insert menu, step menu, movement steps and directions, macro limit.
    396, 397, 398, 400, 401, 402, 403, 405, 406, 407, 408, 409, 410, 411, 412, 413, 414, 415,
    // Light effect title and the seven effects.
    500, 531, 532, 533, 534, 535, 536, 537,
    // Language change refused.
    576,
    // Scroll direction.
    600, 601, 602, 603,
    // Settings page, factory reset.
    630, 641, 650, 651, 653, 654, 657, 658, 659, 670, 671, 676,
    // Default profile names.
    800, 801, 811, 821, 831};
static_assert(std::ranges::is_sorted(kUsedTextNumbers));

struct Language {
    int id;
    const char* name;
    std::u16string custom;         // text 351, the default-name word
    std::u16string copy;           // text 31, the copy-name suffix
    std::u16string profileFormat;  // profile names 800..831 read as this word, a blank, 1..5
};

void PrintTo(const Language& language, std::ostream* out) {
    *out << language.name;
}

const Language kLanguages[] = {
    {i18n::kEnglish, "English", u"Custom", u"Copy", u"Profile"},
    {i18n::kRussian, "Russian", u"Настройка", u"Копировать", u"Профиль"},
    {i18n::kChinese, "Chinese", u"自定义", u"复制", u"配置"},
};

constexpr int kProfileNameNumbers[] = {800, 801, 811, 821, 831};

// Latin words allowed in the Russian and Chinese files: units and technical names.
const std::u16string kLatinWordsAllowed[] = {u"DPI", u"Hz", u"Bluetooth"};

std::string PathOf(int id) {
    return std::string(VARNETH_BIN_DIR) + "/language/" + std::to_string(id) + ".lan";
}

std::u16string Text(int id, int key) {
    return i18n::ReadProfileString(PathOf(id), u"LAN", base::AsciiToUtf16(std::to_string(key)));
}

// Texts are compared as UTF-8 so that a failure shows readable words.
std::string Utf8(const std::u16string& text) {
    return base::Utf16ToUtf8(text);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class LanguageFileContent : public testing::TestWithParam<Language> {};

TEST_P(LanguageFileContent, EveryUsedTextHasAValue) {
    for (int key : kUsedTextNumbers) {
        EXPECT_FALSE(Text(GetParam().id, key).empty()) << "text " << key;
    }
}

TEST_P(LanguageFileContent, DefaultNameWordsAndProfileNamesAreExact) {
    const Language& language = GetParam();
    EXPECT_EQ(Utf8(Text(language.id, 351)), Utf8(language.custom));
    EXPECT_EQ(Utf8(Text(language.id, 31)), Utf8(language.copy));
    for (int i = 0; i < 5; ++i) {
        const int key = kProfileNameNumbers[i];
        EXPECT_EQ(Utf8(Text(language.id, key)),
                  Utf8(language.profileFormat) + " " + std::to_string(i + 1))
            << "text " << key;
    }
}

// One section "[LAN]", then one "key=value" line per text: UTF-8 without byte order mark, LF line
// ends, keys ascending and never repeated, exactly the used texts, and every value read back by
// the lookup unchanged (nothing trimmed, unquoted or cut).
TEST_P(LanguageFileContent, FileIsCleanAndReadsBackAsWritten) {
    const Language& language = GetParam();
    const std::string path = PathOf(language.id);
    const std::string bytes = ReadBytes(path);
    ASSERT_FALSE(bytes.empty()) << path;
    EXPECT_TRUE(base::IsValidUtf8(bytes));
    EXPECT_FALSE(bytes.starts_with("\xEF\xBB\xBF")) << "byte order mark";
    EXPECT_EQ(bytes.find('\r'), std::string::npos) << "CR line end";
    EXPECT_TRUE(bytes.ends_with("\n")) << "last line without line end";

    std::istringstream lines(bytes);
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "[LAN]");
    std::map<int, int> occurrences;
    std::vector<int> order;
    while (std::getline(lines, line)) {
        const size_t equals = line.find('=');
        const std::string key = line.substr(0, equals);
        if (equals == std::string::npos || key.empty() || key.size() > 4 ||
            !std::ranges::all_of(key, [](char c) { return c >= '0' && c <= '9'; })) {
            ADD_FAILURE() << "not a text line: " << line;
            continue;
        }
        const int number = std::stoi(key);
        ++occurrences[number];
        order.push_back(number);
        const std::string value = line.substr(equals + 1);
        EXPECT_LE(base::Utf8ToUtf16(value).size(), i18n::kMaxTextLength) << "text " << number;
        EXPECT_EQ(Utf8(Text(language.id, number)), value) << "text " << number;
    }
    for (const auto& [number, count] : occurrences) {
        EXPECT_EQ(count, 1) << "text " << number << " appears " << count << " times";
    }
    EXPECT_TRUE(std::ranges::is_sorted(order)) << "keys out of order";
    std::vector<int> keys;
    for (const auto& entry : occurrences) {
        keys.push_back(entry.first);
    }
    EXPECT_EQ(keys, std::vector<int>(std::begin(kUsedTextNumbers), std::end(kUsedTextNumbers)))
        << "the file's texts differ from the texts the program uses";
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageFileContent, testing::ValuesIn(kLanguages),
                         [](const testing::TestParamInfo<Language>& info) {
                             return std::string(info.param.name);
                         });

// Nothing left untranslated: in the Russian and Chinese files the only Latin words are units and
// technical names.
TEST(LanguageFilesTest, NoEnglishLeftInTranslations) {
    const auto isLatin = [](char16_t c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    };
    for (const int id : {i18n::kRussian, i18n::kChinese}) {
        for (int key : kUsedTextNumbers) {
            const std::u16string text = Text(id, key);
            for (size_t i = 0; i < text.size();) {
                if (!isLatin(text[i])) {
                    ++i;
                    continue;
                }
                size_t end = i;
                while (end < text.size() && isLatin(text[end])) {
                    ++end;
                }
                const std::u16string word = text.substr(i, end - i);
                EXPECT_TRUE(std::ranges::find(kLatinWordsAllowed, word) !=
                            std::end(kLatinWordsAllowed))
                    << id << ".lan text " << key << ": " << Utf8(word);
                i = end;
            }
        }
    }
}

class DefaultNamesAcrossLanguages : public testing::Test {
  protected:
    void TearDown() override { i18n::SetCurrentLanguage(i18n::kChinese); }
};

// A macro named and copied in one language ("Custom 3", "Custom 3 Copy") shows in every other
// language with that language's words, because each file's words are the ones the name
// localisation recognises and writes.
TEST_F(DefaultNamesAcrossLanguages, NamesMadeInOneLanguageReadInAnother) {
    for (const Language& from : kLanguages) {
        const std::u16string name = Text(from.id, 351) + u" 3";
        const std::u16string copied = name + u" " + Text(from.id, 31);
        for (const Language& to : kLanguages) {
            if (to.id == from.id) {
                continue;
            }
            i18n::SetCurrentLanguage(to.id);
            EXPECT_EQ(Utf8(i18n::LocalizeName(name)), Utf8(Text(to.id, 351) + u" 3"))
                << from.name << " to " << to.name;
            // The base keeps the blank before the suffix and the copy format adds one.
            EXPECT_EQ(Utf8(i18n::LocalizeName(copied)),
                      Utf8(Text(to.id, 351) + u" 3  " + Text(to.id, 31)))
                << from.name << " to " << to.name;
        }
    }
}

}  // namespace
