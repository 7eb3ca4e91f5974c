#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace exchange {

// The file name a macro is exported under, "<name>-<tick>.xml", and the mending that keeps it
// a plain file name inside the chosen folder whatever the macro is called. Macro names are
// typed by the user (renamed in place, or read from someone else's macro file), so they may
// hold anything.
//
// A name that is safe is used unchanged. Otherwise, in this order:
// - every path separator ('/' and '\'), control character (U+0000 to U+001F, U+007F), character
//   that common file systems refuse in a name (: * ? " < > |) and unpaired surrogate becomes
//   '_', so the name can never reach another folder and the file can be copied anywhere;
// - dots at the start become '_', so "..", "." and ".name" give a visible file, never a hidden
//   one or one named like a folder link;
// - an empty name becomes "Macro";
// - a name whose UTF-8 form is longer than kMaxMacroFileStemBytes is cut to that length at a
//   character boundary, so the whole file name stays within the 255 bytes a file system allows.
class MacroFileName {
  public:
    // Longest stem in UTF-8 bytes: 255 less "-", ten digits of the tick and ".xml".
    static constexpr size_t kMaxStemBytes = 255 - 1 - 10 - 4;
    // The stem that stands in for an empty name.
    static constexpr std::u16string_view kEmptyNameStem = u"Macro";

    // The mended stem of a macro name (the name itself when it is safe).
    static std::u16string Stem(std::u16string_view name);
    // True when Stem would change the name.
    static bool NeedsMending(std::u16string_view name) { return Stem(name) != name; }
    // "<stem>-<tick>.xml" in UTF-8; the tick as an unsigned decimal number.
    static std::string FileName(std::u16string_view name, uint32_t tick);
    // The file name inside `folder` ("folder/<file name>", one '/' between them).
    static std::string PathIn(const std::string& folder, std::u16string_view name, uint32_t tick);
};

}  // namespace exchange
