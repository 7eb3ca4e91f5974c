#pragma once

#include <string>
#include <string_view>

namespace store {

// Wide text to the UTF-8 bytes the database stores. The result stops at the first zero
// character, as a zero-terminated conversion would; a lone surrogate becomes U+FFFD. An empty
// text gives an empty byte string.
std::string ToUtf8(std::u16string_view text);

// Zero-terminated UTF-8 bytes (a text column, a file name) to wide text. A null pointer gives
// an empty text, so a NULL column reads back as empty. Malformed bytes each become U+FFFD.
std::u16string FromUtf8(const char* text);

}  // namespace store
