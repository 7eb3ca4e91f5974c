#include "i18n/LocalizeName.h"

#include <array>

#include "i18n/Language.h"
#include "i18n/LanguageFile.h"

namespace i18n {

namespace {

struct LanguageRow {
    int language;
    std::array<std::u16string_view, 5> prefixes;  // tried in order
    std::array<std::u16string_view, 4> suffixes;  // tried in order
    std::u16string_view copyWord;                 // the copy format is "%s " + copyWord
};

// Each language recognises the default words of the others, so names made in one language read
// naturally in the next.
constexpr LanguageRow kRows[] = {
    {kChinese,
     {u"Custom", u"自定義", u"カスタム", u"Настройка", u"Personalizado"},
     {u"Copy", u"複製", u"Копировать", u"Copiar"},
     u"复制"},
    {kEnglish,
     {u"自定义", u"自定義", u"カスタム", u"Настройка", u"Personalizado"},
     {u"复制", u"複製", u"Копировать", u"Copiar"},
     u"Copy"},
    {kRussian,
     {u"Custom", u"自定义", u"自定義", u"カスタム", u"Настройка"},
     {u"复制", u"Copy", u"複製", u"Копировать"},
     u"Копировать"},
};

const LanguageRow* RowFor(int language) {
    for (const LanguageRow& row : kRows) {
        if (row.language == language) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

std::u16string LocalizeName(std::u16string_view name) {
    std::u16string result(name);
    const LanguageRow* row = RowFor(CurrentLanguage());
    if (!row) {
        return result;
    }
    for (std::u16string_view prefix : row->prefixes) {
        if (result.size() >= prefix.size() && std::u16string_view(result).substr(0, prefix.size()) == prefix) {
            result = LoadText(351) + result.substr(prefix.size());
            break;
        }
    }
    for (std::u16string_view suffix : row->suffixes) {
        if (result.size() >= suffix.size() &&
            std::u16string_view(result).substr(result.size() - suffix.size()) == suffix) {
            const std::u16string base = result.substr(0, result.find(suffix));
            result = base + u" " + std::u16string(row->copyWord);
            break;
        }
    }
    return result;
}

}  // namespace i18n
