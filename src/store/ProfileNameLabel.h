#pragma once

#include <string>
#include <string_view>

namespace store {

// The name under which a stored profile name is listed in a user-interface language. Older
// files hold names such as "Profile 2" or "配置 2"; in the language of the table these are
// shown in that language's form. The name's start is compared with the language's prefixes in
// order, exactly and case-sensitively; on the first match the rest of the name (kept as it is,
// including a blank that followed the prefix) fills the language's format. Names matching no
// prefix, names made of digits as the program writes them, and every name under another
// language are returned unchanged.
std::u16string RelabelProfileName(std::u16string_view name, int language);

}  // namespace store
