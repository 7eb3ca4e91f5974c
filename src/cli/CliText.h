#pragma once

#include <string>
#include <string_view>

#include "exchange/ImportStatus.h"

namespace cli {

// UTF-8 for printing.
std::string Utf8(std::u16string_view text);
// Language text N (the current language file) in UTF-8.
std::string LanguageText(int number);
// The text in double quotes, for messages.
std::string Quoted(std::string_view text);
// A whole number written in plain decimal (digits only, at most nine of them); nothing else.
bool ParseCount(std::string_view text, int& value);
// Why an import of `path` changed nothing, in plain words; `kind` names the file ("profile",
// "macro").
std::string ImportProblem(exchange::ImportStatus status, const std::string& path,
                          std::string_view kind);

}  // namespace cli
