#pragma once

#include <string_view>

namespace xml {

// The character a named reference stands for: the HTML 4 named character entities plus "apos".
// Names are looked up in lower case (the caller folds them), so where HTML 4 has a lower- and an
// upper-case form ("dagger" and "Dagger") the lower-case one is the one found. 0 when the name
// is unknown.
char32_t LookupNamedEntity(std::u16string_view lowerName);

}  // namespace xml
