#pragma once

#include <string>
#include <string_view>

namespace base {

// UTF-8 to UTF-16. Malformed sequences (bad lead or continuation bytes, overlong forms,
// encoded surrogates, values above U+10FFFF) each become U+FFFD; nothing is dropped silently.
std::u16string Utf8ToUtf16(std::string_view text);

// UTF-16 to UTF-8. A well-formed surrogate pair becomes one 4-byte sequence; a lone surrogate
// becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// True when the bytes are well-formed UTF-8 (shortest forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view text);

// ASCII-only conveniences for literals and numbers.
std::u16string AsciiToUtf16(std::string_view text);

}  // namespace base
