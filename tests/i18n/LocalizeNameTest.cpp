#include <gtest/gtest.h>

#include "i18n/Language.h"
#include "i18n/LocalizeName.h"

namespace {

// The default-name prefix (text 351) of each language file is fixed: "Custom", "自定义",
// "Настройка".
struct Case {
    int language;
    std::u16string name;
    std::u16string shown;
};

class LocalizeNameTest : public testing::Test {
protected:
    void TearDown() override { i18n::SetCurrentLanguage(i18n::kChinese); }
};

TEST_F(LocalizeNameTest, RewritesPrefixAndCopySuffixPerLanguage) {
    const Case cases[] = {
        // English: other languages' prefixes become "Custom".
        {1033, u"自定义3", u"Custom3"},
        {1033, u"Custom3", u"Custom3"},
        {1033, u"Настройка 2", u"Custom 2"},
        {1033, u"Personalizado", u"Custom"},
        {1033, u"宏 复制", u"宏  Copy"},
        {1033, u"Custom1 Копировать", u"Custom1  Copy"},
        {1033, u"Custom1 Copy", u"Custom1 Copy"},
        // Chinese: the base keeps its blank and the format adds one.
        {2052, u"Custom5", u"自定义5"},
        {2052, u"Word Copy", u"Word  复制"},
        {2052, u"Custom1 Copy", u"自定义1  复制"},
        {2052, u"自定义5", u"自定义5"},
        // Russian: "Copiar" is not one of its suffixes.
        {1049, u"Macro Copiar", u"Macro Copiar"},
        {1049, u"Custom7 Copy", u"Настройка7  Копировать"},
        {1049, u"Personalizado1", u"Personalizado1"},
        // The base ends at the first occurrence of the suffix word.
        {1033, u"A复制B复制", u"A Copy"},
        // Untouched names and empty text.
        {1033, u"", u""},
        {1049, u"My macro", u"My macro"},
    };
    for (const Case& c : cases) {
        i18n::SetCurrentLanguage(c.language);
        EXPECT_EQ(i18n::LocalizeName(c.name), c.shown) << c.language;
    }
}

TEST_F(LocalizeNameTest, UnknownLanguageLeavesNamesAlone) {
    i18n::SetCurrentLanguage(1031);
    EXPECT_EQ(i18n::LocalizeName(u"Custom1 Copy"), u"Custom1 Copy");
}

}  // namespace
