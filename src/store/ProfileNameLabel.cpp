#include "store/ProfileNameLabel.h"

#include <array>
#include <vector>

#include "i18n/Language.h"

namespace store {

namespace {

struct LanguageLabels {
    int language;
    std::vector<std::u16string_view> prefixes;  // tried in this order
    std::u16string_view format;                 // %s stands for the rest of the name
};

const std::array<LanguageLabels, 3>& Labels() {
    static const std::array<LanguageLabels, 3> labels{{
        {i18n::kChinese, {u"Profile", u"配寘", u"ボタン"}, u"配置 %s"},
        {i18n::kEnglish, {u"配置", u"配寘", u"ボタン"}, u"Profile %s"},
        {i18n::kRussian, {u"Profile", u"配置", u"配寘", u"ボタン"}, u"Профиль %s"},
    }};
    return labels;
}

// The format with its %s replaced by `rest`, by plain substitution: the rest is never read as
// a format, so a '%' in a stored name is shown as it is.
std::u16string Fill(std::u16string_view format, std::u16string_view rest) {
    const size_t at = format.find(u"%s");
    std::u16string result(format.substr(0, at));
    result += rest;
    result += format.substr(at + 2);
    return result;
}

}  // namespace

std::u16string RelabelProfileName(std::u16string_view name, int language) {
    for (const LanguageLabels& labels : Labels()) {
        if (labels.language != language) {
            continue;
        }
        for (std::u16string_view prefix : labels.prefixes) {
            if (name.substr(0, prefix.size()) == prefix) {
                return Fill(labels.format, name.substr(prefix.size()));
            }
        }
        break;
    }
    return std::u16string(name);
}

}  // namespace store
