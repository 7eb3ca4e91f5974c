#include "cli/CliText.h"

#include "base/Utf.h"
#include "i18n/LanguageFile.h"

namespace cli {

std::string Utf8(std::u16string_view text) {
    return base::Utf16ToUtf8(text);
}

std::string LanguageText(int number) {
    return Utf8(i18n::LoadText(number));
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

bool ParseCount(std::string_view text, int& value) {
    if (text.empty() || text.size() > 9) {
        return false;
    }
    int result = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        result = result * 10 + (c - '0');
    }
    value = result;
    return true;
}

std::string ImportProblem(exchange::ImportStatus status, const std::string& path,
                          std::string_view kind) {
    switch (status) {
        case exchange::ImportStatus::Imported:
            return {};
        case exchange::ImportStatus::NoFile:
            return "there is no file " + path;
        case exchange::ImportStatus::NotReadable:
            return path +
                   " cannot be read as an XML file with one top-level element; nothing was "
                   "imported";
        case exchange::ImportStatus::WrongKind:
            return path + " is not a " + std::string(kind) + " file; nothing was imported";
        case exchange::ImportStatus::StoreFailed:
            return "the settings database refused the new " + std::string(kind) +
                   "; nothing was imported";
    }
    return "nothing was imported";
}

}  // namespace cli
