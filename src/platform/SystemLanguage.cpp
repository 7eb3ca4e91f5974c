#include "platform/SystemLanguage.h"

#include <cstdlib>
#include <algorithm>
#include <string>

namespace platform {

namespace {

struct LocaleId {
    const char* locale;  // language, or language_TERRITORY for a specific variant
    int id;
};

// Specific territories first; a bare language gives its primary identifier.
constexpr LocaleId kLocaleIds[] = {
    {"en_US", 1033}, {"en_GB", 2057}, {"en_AU", 3081}, {"en_CA", 4105}, {"en_NZ", 5129},
    {"en_IE", 6153}, {"en_ZA", 7177}, {"en_IN", 16393}, {"zh_CN", 2052}, {"zh_SG", 4100},
    {"zh_TW", 1028}, {"zh_HK", 3076}, {"zh_MO", 5124}, {"pt_BR", 1046}, {"pt_PT", 2070},
    {"es_ES", 3082}, {"es_MX", 2058}, {"es_AR", 11274}, {"fr_FR", 1036}, {"fr_BE", 2060},
    {"fr_CA", 3084}, {"fr_CH", 4108}, {"de_DE", 1031}, {"de_AT", 3079}, {"de_CH", 2055},
    {"nl_NL", 1043}, {"nl_BE", 2067}, {"sr_RS", 10266}, {"ru_UA", 1049},
    {"en", 1033}, {"ru", 1049}, {"zh", 2052}, {"de", 1031}, {"fr", 1036}, {"es", 3082},
    {"it", 1040}, {"pt", 2070}, {"ja", 1041}, {"ko", 1042}, {"pl", 1045}, {"uk", 1058},
    {"be", 1059}, {"kk", 1087}, {"cs", 1029}, {"sk", 1051}, {"hu", 1038}, {"ro", 1048},
    {"bg", 1026}, {"el", 1032}, {"tr", 1055}, {"ar", 1025}, {"he", 1037}, {"fa", 1065},
    {"hi", 1081}, {"th", 1054}, {"vi", 1066}, {"id", 1057}, {"ms", 1086}, {"nl", 1043},
    {"sv", 1053}, {"da", 1030}, {"nb", 1044}, {"no", 1044}, {"nn", 2068}, {"fi", 1035},
    {"et", 1061}, {"lv", 1062}, {"lt", 1063}, {"sl", 1060}, {"hr", 1050}, {"sr", 3098},
    {"ca", 1027}, {"eu", 1069}, {"gl", 1110},
};

}  // namespace

int LocaleToLanguageId(std::string_view locale) {
    // Strip ".codeset" and "@modifier".
    const size_t cut = locale.find_first_of(".@");
    if (cut != std::string_view::npos) {
        locale = locale.substr(0, cut);
    }
    if (locale.empty()) {
        return 0;
    }
    if (locale == "C" || locale == "POSIX") {
        return 1033;
    }
    std::string name(locale);
    std::replace(name.begin(), name.end(), '-', '_');
    const std::string language = name.substr(0, name.find('_'));
    for (const LocaleId& entry : kLocaleIds) {
        if (name == entry.locale) {
            return entry.id;
        }
    }
    for (const LocaleId& entry : kLocaleIds) {
        if (language == entry.locale) {
            return entry.id;
        }
    }
    return 0;
}

int SystemUiLanguage() {
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (!value || !*value) {
            continue;
        }
        // LANGUAGE may list several languages separated by ':'; the first one decides.
        std::string_view text(value);
        text = text.substr(0, text.find(':'));
        if (const int id = LocaleToLanguageId(text)) {
            return id;
        }
    }
    return 1033;
}

}  // namespace platform
