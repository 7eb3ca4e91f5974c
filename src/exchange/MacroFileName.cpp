#include "exchange/MacroFileName.h"

#include "base/Utf.h"

namespace exchange {

namespace {

constexpr char16_t kReplacement = u'_';

// Characters a file name must not hold: the separators of every platform and what common file
// systems refuse.
constexpr std::u16string_view kRefused = u"/\\:*?\"<>|";

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Bytes of one UTF-16 code unit sequence in UTF-8 (a surrogate pair counts as a whole).
size_t Utf8Length(char32_t c) {
    if (c < 0x80) {
        return 1;
    }
    if (c < 0x800) {
        return 2;
    }
    return c < 0x10000 ? 3 : 4;
}

}  // namespace

std::u16string MacroFileName::Stem(std::u16string_view name) {
    std::u16string stem;
    stem.reserve(name.size());
    size_t bytes = 0;
    bool leading = true;  // still at the start, where dots are mended
    for (size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        std::u16string_view unit = name.substr(i, 1);
        char32_t point = c;
        if (IsHighSurrogate(c) && i + 1 < name.size() && IsLowSurrogate(name[i + 1])) {
            unit = name.substr(i, 2);
            point = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(name[i + 1]) - 0xDC00);
        }
        std::u16string mended;
        if (unit.size() == 1 && (c < 0x20 || c == 0x7F || kRefused.find(c) != kRefused.npos ||
                                 IsHighSurrogate(c) || IsLowSurrogate(c))) {
            mended.assign(1, kReplacement);
            point = kReplacement;
            leading = false;
        } else if (leading && c == u'.') {
            mended.assign(1, kReplacement);
            point = kReplacement;
        } else {
            mended.assign(unit);
            leading = false;
        }
        const size_t length = Utf8Length(point);
        if (bytes + length > kMaxStemBytes) {
            break;  // cut before the character that would not fit
        }
        bytes += length;
        stem += mended;
        i += unit.size() - 1;
    }
    if (stem.empty()) {
        stem = kEmptyNameStem;
    }
    return stem;
}

std::string MacroFileName::FileName(std::u16string_view name, uint32_t tick) {
    return base::Utf16ToUtf8(Stem(name)) + "-" + std::to_string(tick) + ".xml";
}

std::string MacroFileName::PathIn(const std::string& folder, std::u16string_view name,
                                  uint32_t tick) {
    std::string path = folder;
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    return path + FileName(name, tick);
}

}  // namespace exchange
