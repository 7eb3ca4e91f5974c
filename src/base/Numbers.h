#pragma once

#include <string_view>

namespace base {

// Decimal value of the digits at the very start of the text; 0 when the text does not start
// with a digit. Stops at the first non-digit. Values beyond the int range saturate at INT_MAX
// instead of overflowing.
int ParseLeadingDigits(std::string_view text);
int ParseLeadingDigits(std::u16string_view text);

}  // namespace base
