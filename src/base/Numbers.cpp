#include "base/Numbers.h"

#include <climits>

namespace base {

namespace {
template <typename Char>
int Parse(std::basic_string_view<Char> text) {
    long long value = 0;
    for (Char c : text) {
        if (c < Char('0') || c > Char('9')) {
            break;
        }
        value = value * 10 + (c - Char('0'));
        if (value > INT_MAX) {
            return INT_MAX;
        }
    }
    return static_cast<int>(value);
}
}  // namespace

int ParseLeadingDigits(std::string_view text) { return Parse(text); }
int ParseLeadingDigits(std::u16string_view text) { return Parse(text); }

}  // namespace base
