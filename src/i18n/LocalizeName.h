#pragma once

#include <string>

namespace i18n {

// Shows a stored default name in the current language: a recognised default prefix becomes
// text 351 followed by the rest of the name, then a recognised copy suffix is rewritten into the
// language's copy format. Names without either stay as they are.
std::u16string LocalizeName(std::u16string_view name);

}  // namespace i18n
