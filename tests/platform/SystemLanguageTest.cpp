#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/SystemLanguage.h"

namespace {

TEST(SystemLanguage, LocaleNamesMapToLanguageIdentifiers) {
    struct Case {
        const char* locale;
        int id;
    };
    const Case cases[] = {
        {"ru_RU.UTF-8", 1049}, {"ru", 1049},        {"en_US.UTF-8", 1033}, {"en_GB.UTF-8", 2057},
        {"en", 1033},          {"zh_CN.UTF-8", 2052}, {"zh_TW", 1028},     {"de_DE@euro", 1031},
        {"de_AT", 3079},       {"ja_JP.eucJP", 1041}, {"C", 1033},         {"POSIX", 1033},
        {"C.UTF-8", 1033},     {"xx_YY", 0},          {"", 0},             {"pt-BR", 1046},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::LocaleToLanguageId(c.locale), c.id) << c.locale;
    }
}

TEST(SystemLanguage, FirstVariableThatNamesALanguageDecides) {
    const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    for (const char* name : names) {
        unsetenv(name);
    }
    EXPECT_EQ(platform::SystemUiLanguage(), 1033) << "nothing set counts as US English";
    setenv("LANG", "ru_RU.UTF-8", 1);
    EXPECT_EQ(platform::SystemUiLanguage(), 1049);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_EQ(platform::SystemUiLanguage(), 1031);
    setenv("LANGUAGE", "xx:fr", 1);  // an unknown first entry skips to the next variable
    EXPECT_EQ(platform::SystemUiLanguage(), 1031);
    setenv("LANGUAGE", "zh_CN:en", 1);
    EXPECT_EQ(platform::SystemUiLanguage(), 2052);
    for (const char* name : names) {
        unsetenv(name);
    }
}

}  // namespace
