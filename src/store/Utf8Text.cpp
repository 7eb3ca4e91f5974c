#include "store/Utf8Text.h"

#include "base/Utf.h"

namespace store {

std::string ToUtf8(std::u16string_view text) {
    const size_t zero = text.find(u'\0');
    if (zero != std::u16string_view::npos) {
        text = text.substr(0, zero);
    }
    return base::Utf16ToUtf8(text);
}

std::u16string FromUtf8(const char* text) {
    if (text == nullptr) {
        return {};
    }
    return base::Utf8ToUtf16(std::string_view(text));
}

}  // namespace store
