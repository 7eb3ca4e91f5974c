#pragma once

#include <string>
#include <string_view>

namespace exchange {

// The first line of every exchange file; elements follow, one per line.
inline constexpr std::u16string_view kDeclaration =
    u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

// A number as the exchange files write it: plain decimal.
std::u16string Decimal(int value);

// A number as the exchange files read it: the digits at the start of the text; a missing or
// non-numeric value reads as 0.
int ReadNumber(std::u16string_view text);

// True when something (a file, a folder...) exists at the path.
bool PathExists(const std::string& path);

}  // namespace exchange
