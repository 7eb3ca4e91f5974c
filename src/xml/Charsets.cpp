#include "xml/Charsets.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

#include "base/Utf.h"

namespace xml {

namespace {

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}

std::string UpperAscii(std::string_view name) {
    std::string upper(name);
    for (char& c : upper) {
        c = Upper(c);
    }
    return upper;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Declared names whose table in the usual code-page list is a superset of (or differs from)
// the iconv table of the same name.
struct CharsetAlias {
    std::string_view declared;  // upper case
    std::string_view iconvName;
};
constexpr CharsetAlias kAliases[] = {
    {"GB2312", "GBK"},
    {"X-GBK", "GBK"},
    {"CHINESE", "GBK"},
    {"SHIFT_JIS", "CP932"},
    {"SHIFT-JIS", "CP932"},
    {"X-SJIS", "CP932"},
    {"SJIS", "CP932"},
    {"MS_KANJI", "CP932"},
    {"KS_C_5601-1987", "CP949"},
    {"KS_C_5601", "CP949"},
    {"BIG5", "CP950"},
    {"X-X-BIG5", "CP950"},
    {"WINDOWS-874", "CP874"},
    {"TIS-620", "CP874"},
    {"X-CP1250", "WINDOWS-1250"},
    {"X-CP1251", "WINDOWS-1251"},
    {"ANSI_X3.4-1968", "US-ASCII"},
    {"ASCII", "US-ASCII"},
};

// iconv handle that is closed when it goes out of scope.
class IconvHandle {
  public:
    IconvHandle(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (Valid()) {
            iconv_close(m_cd);
        }
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return m_cd; }

  private:
    iconv_t m_cd;
};

// Runs a conversion over the whole input. On an unconvertible or malformed input sequence
// `onBad` is called with the bytes left (it returns how many to skip and appends a substitute),
// so the conversion always makes progress and always reaches the end of the input.
template <typename OnBad>
void Convert(iconv_t cd, std::string_view input, std::string& output, OnBad onBad) {
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char buffer[16384];
    for (;;) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(cd, inLeft ? &in : nullptr, &inLeft, &out, &outLeft);
        const int error = errno;
        output.append(buffer, static_cast<size_t>(out - buffer));
        if (result != static_cast<size_t>(-1)) {
            if (inLeft == 0) {
                // Flush a stateful encoder's pending shift sequence.
                out = buffer;
                outLeft = sizeof buffer;
                iconv(cd, nullptr, nullptr, &out, &outLeft);
                output.append(buffer, static_cast<size_t>(out - buffer));
                return;
            }
            continue;
        }
        if (error == E2BIG) {
            continue;
        }
        // EILSEQ: a sequence that does not convert; EINVAL: an incomplete one at the end.
        const size_t skip = onBad(std::string_view(in, inLeft), output);
        if (skip == 0 || skip > inLeft) {
            return;
        }
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial shift state
        if (inLeft == 0) {
            return;
        }
    }
}

void AppendUtf16Le(std::string& bytes, char16_t c) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
}

}  // namespace

CharsetKind KindOfCharset(std::string_view name) {
    const std::string upper = UpperAscii(name);
    if (upper == "UTF-8" || upper == "UTF8") {
        return CharsetKind::Utf8;
    }
    if (StartsWith(upper, "UTF-16") || StartsWith(upper, "UTF16") || StartsWith(upper, "UCS-2") ||
        StartsWith(upper, "UCS2") || upper == "UNICODE" || upper == "UNICODEFFFE") {
        return CharsetKind::Utf16;
    }
    if (StartsWith(upper, "UTF-32") || StartsWith(upper, "UTF32") || StartsWith(upper, "UCS-4") ||
        StartsWith(upper, "UCS4")) {
        return CharsetKind::Utf32;
    }
    return CharsetKind::EightBit;
}

std::string IconvCharsetName(std::string_view declared) {
    const std::string upper = UpperAscii(declared);
    for (const CharsetAlias& alias : kAliases) {
        if (alias.declared == upper) {
            return std::string(alias.iconvName);
        }
    }
    return upper;
}

// Charset names are short printable ASCII without '/' (iconv would read "//" suffixes as
// options, and a name cut at a NUL could name a different charset).
static bool IsUsableName(const std::string& name) {
    if (name.empty() || name.size() > 64) {
        return false;
    }
    for (char c : name) {
        if (c <= ' ' || c > '~' || c == '/') {
            return false;
        }
    }
    return true;
}

bool DecodeCharset(std::string_view bytes, std::string_view charset, std::u16string& out,
                   size_t& lost) {
    out.clear();
    lost = 0;
    const std::string name = IconvCharsetName(charset);
    if (!IsUsableName(name)) {
        return false;
    }
    IconvHandle cd("UTF-16LE", name.c_str());
    if (!cd.Valid()) {
        return false;
    }
    std::string wide;
    wide.reserve(bytes.size() * 2);
    Convert(cd.Get(), bytes, wide, [&lost](std::string_view, std::string& output) {
        ++lost;
        AppendUtf16Le(output, 0xFFFD);
        return size_t{1};
    });
    out.reserve(wide.size() / 2);
    for (size_t i = 0; i + 1 < wide.size(); i += 2) {
        out.push_back(char16_t(uint8_t(wide[i]) | (uint8_t(wide[i + 1]) << 8)));
    }
    return true;
}

bool EncodeCharset(std::u16string_view text, std::string_view charset, std::string& out,
                   size_t& lost) {
    out.clear();
    lost = 0;
    const std::string name = IconvCharsetName(charset);
    if (!IsUsableName(name)) {
        return false;
    }
    IconvHandle cd(name.c_str(), "UTF-16LE");
    if (!cd.Valid()) {
        return false;
    }
    std::string wide;
    wide.reserve(text.size() * 2);
    for (char16_t c : text) {
        AppendUtf16Le(wide, c);
    }
    out.reserve(text.size());
    Convert(cd.Get(), wide, out, [&lost](std::string_view rest, std::string& output) {
        ++lost;
        output.push_back('?');
        // Skip one character: a whole surrogate pair, or one code unit.
        if (rest.size() >= 4) {
            const char16_t high = char16_t(uint8_t(rest[0]) | (uint8_t(rest[1]) << 8));
            const char16_t low = char16_t(uint8_t(rest[2]) | (uint8_t(rest[3]) << 8));
            if (high >= 0xD800 && high <= 0xDBFF && low >= 0xDC00 && low <= 0xDFFF) {
                return size_t{4};
            }
        }
        return rest.size() >= 2 ? size_t{2} : rest.size();
    });
    return true;
}

std::u16string DecodeUtf8(std::string_view bytes, size_t& lost) {
    lost = 0;
    std::u16string text = base::Utf8ToUtf16(bytes);
    if (!base::IsValidUtf8(bytes)) {
        size_t replacements = 0;
        for (char16_t c : text) {
            replacements += (c == 0xFFFD);
        }
        size_t written = 0;  // U+FFFD that was in the file as such
        for (size_t pos = bytes.find("\xEF\xBF\xBD"); pos != std::string_view::npos;
             pos = bytes.find("\xEF\xBF\xBD", pos + 3)) {
            ++written;
        }
        lost = replacements > written ? replacements - written : 0;
    }
    return text;
}

std::string EncodeUtf8(std::u16string_view text, size_t& lost) {
    lost = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            ++lost;
        }
    }
    return base::Utf16ToUtf8(text);
}

}  // namespace xml
