#include "i18n/LanguageFile.h"

#include <optional>

#include "base/Utf.h"
#include "i18n/Language.h"
#include "platform/FileIo.h"
#include "platform/Folders.h"

namespace i18n {

namespace {

// Language files are small; anything larger is not one of ours and reads as missing.
constexpr size_t kMaxFileSize = 4 * 1024 * 1024;

std::u16string DecodeFile(const std::string& bytes) {
    const auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2 && ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF))) {
        const bool little = at(0) == 0xFF;
        std::u16string text;
        text.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text.push_back(little ? char16_t(at(i) | (at(i + 1) << 8))
                                  : char16_t((at(i) << 8) | at(i + 1)));
        }
        return text;
    }
    std::string_view view(bytes);
    if (view.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
        view.remove_prefix(3);
    }
    return base::Utf8ToUtf16(view);
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == 0x3000 || c == 0xFEFF; }

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    const auto lower = [](char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; };
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string LanguageFilePath(int languageId) {
    return platform::ExeFolder() + "language/" + std::to_string(languageId) + ".lan";
}

std::u16string ReadProfileString(const std::string& path, std::u16string_view section,
                                 std::u16string_view key) {
    const std::optional<std::string> bytes = platform::ReadWholeFile(path, kMaxFileSize);
    if (!bytes) {
        return {};
    }
    const std::u16string text = DecodeFile(*bytes);
    std::u16string_view rest(text);
    bool inSection = false;
    bool sectionSeen = false;
    while (!rest.empty()) {
        size_t end = rest.find_first_of(u"\r\n");
        std::u16string_view line = rest.substr(0, end);
        rest = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end + 1);
        line = Trim(line);
        if (!line.empty() && line.front() == u'[') {
            if (inSection) {
                return {};  // the first matching section ended without the key
            }
            const size_t close = line.find(u']');
            const std::u16string_view name =
                Trim(line.substr(1, close == std::u16string_view::npos ? line.size() - 1 : close - 1));
            inSection = !sectionSeen && EqualsIgnoringCase(name, Trim(section));
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        if (!inSection) {
            continue;
        }
        const size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos ||
            !EqualsIgnoringCase(Trim(line.substr(0, equals)), Trim(key))) {
            continue;
        }
        std::u16string_view value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return std::u16string(value.substr(0, kMaxTextLength));
    }
    return {};
}

std::u16string LoadText(int key, const char* section) {
    return ReadProfileString(LanguageFilePath(CurrentLanguage()),
                             base::AsciiToUtf16(section ? section : ""),
                             base::AsciiToUtf16(std::to_string(key)));
}

}  // namespace i18n
