#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace xml {

// Families of the encoding names a document may declare.
enum class CharsetKind {
    Utf8,      // "UTF-8" (and "UTF8")
    Utf16,     // "UTF-16", "UTF-16LE", "UTF-16BE", "UCS-2", "UNICODE"...: two bytes a character
    Utf32,     // "UTF-32..." and "UCS-4...": four bytes a character
    EightBit,  // everything else: an 8-bit or multi-byte charset converted by name
};

// The charset used when an 8-bit file names none and is not valid UTF-8, or names one the
// system does not know: the Western ANSI code page.
inline constexpr char kAnsiCharset[] = "WINDOWS-1252";

// Which family a declared name belongs to, without regard to ASCII case.
CharsetKind KindOfCharset(std::string_view name);

// The name iconv knows a declared charset by. Most declared names are iconv names already; the
// few that name a different table in the usual code-page list ("gb2312" files are read as GBK,
// "shift_jis" as code page 932...) are mapped.
std::string IconvCharsetName(std::string_view declared);

// Converts 8-bit text in the named charset to UTF-16. Bytes that do not decode become U+FFFD
// and are counted in `lost`. False (and nothing converted) when the charset is unknown.
bool DecodeCharset(std::string_view bytes, std::string_view charset, std::u16string& out,
                   size_t& lost);

// Converts UTF-16 text to the named charset. Characters the charset cannot represent (and lone
// surrogates) become '?' and are counted in `lost`. False when the charset is unknown.
bool EncodeCharset(std::u16string_view text, std::string_view charset, std::string& out,
                   size_t& lost);

// UTF-8 in and out with the same loss counting: malformed bytes become U+FFFD on the way in,
// lone surrogates become U+FFFD on the way out.
std::u16string DecodeUtf8(std::string_view bytes, size_t& lost);
std::string EncodeUtf8(std::u16string_view text, size_t& lost);

}  // namespace xml
