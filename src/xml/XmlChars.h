#pragma once

#include <string_view>

namespace xml {

// Character classes of the document syntax. Reading is lenient (a name runs up to the next
// delimiter), writing is strict (only names that read back as themselves are written).

// Blank characters between names and attributes.
inline bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Characters that may begin a tag name: an element starts with '<' followed by one of these.
inline bool IsNameStart(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u':' ||
           c >= 0x80;
}

// Characters that end a name while reading.
inline bool IsNameDelimiter(char16_t c) {
    return IsBlank(c) || c == u'/' || c == u'>' || c == u'<' || c == u'=' || c == u'"' ||
           c == u'\'' || c == u'?';
}

// Characters a written name may continue with.
inline bool IsStrictNameChar(char16_t c) {
    return IsNameStart(c) || (c >= u'0' && c <= u'9') || c == u'.' || c == u'-';
}

// True when the name is one that AppendElement and SetAttribute may write: not empty, starting
// with a name start character and continuing with letters, digits, '.', '-', '_', ':' or
// non-ASCII characters.
inline bool IsWritableName(std::u16string_view name) {
    if (name.empty() || !IsNameStart(name[0])) {
        return false;
    }
    for (char16_t c : name) {
        if (!IsStrictNameChar(c)) {
            return false;
        }
    }
    return true;
}

// ASCII-only lower case, as names and character references are folded.
inline char16_t AsciiLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

inline bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// Length of the name starting at text[pos] (up to the first delimiter or the limit).
inline size_t NameLength(std::u16string_view text, size_t pos, size_t limit) {
    size_t end = pos;
    while (end < limit && !IsNameDelimiter(text[end])) {
        ++end;
    }
    return end - pos;
}

}  // namespace xml
