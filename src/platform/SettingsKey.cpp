#include "platform/SettingsKey.h"

#include <sys/stat.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "base/Numbers.h"
#include "platform/FileIo.h"
#include "platform/Folders.h"

namespace platform {

namespace {

// A registry string read goes into a 255-byte buffer: at most 127 characters of a value count.
constexpr size_t kValueCapacity = 127;
// A settings file larger than this is not ours; it is treated as unreadable, never rewritten.
constexpr size_t kMaxFileSize = 64 * 1024;

bool NameMatches(const std::string& line, const std::string& name) {
    if (line.size() <= name.size() || line[name.size()] != '=') {
        return false;
    }
    for (size_t i = 0; i < name.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(line[i]) != lower(name[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string SettingsKey::Path() { return SettingsFolder() + "settings"; }

SettingsKey::OpenResult SettingsKey::Open() {
    m_lines.clear();
    const std::string path = Path();
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        return (errno == ENOENT || errno == ENOTDIR) ? OpenResult::NotFound : OpenResult::Failed;
    }
    const std::optional<std::string> data = ReadWholeFile(path, kMaxFileSize);
    if (!data) {
        return OpenResult::Failed;
    }
    size_t start = 0;
    while (start < data->size()) {
        size_t end = data->find('\n', start);
        if (end == std::string::npos) {
            end = data->size();
        }
        std::string line = data->substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        m_lines.push_back(std::move(line));
        start = end + 1;
    }
    return OpenResult::Opened;
}

bool SettingsKey::Create() {
    m_lines.clear();
    if (!EnsureFolder(SettingsFolder().substr(0, SettingsFolder().size() - 1))) {
        return false;
    }
    // O_EXCL: never replace a file that appeared in the meantime.
    const int fd = open(Path().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    close(fd);
    return true;
}

std::optional<std::string> SettingsKey::Get(const std::string& name) const {
    for (const std::string& line : m_lines) {
        if (NameMatches(line, name)) {
            return line.substr(name.size() + 1);
        }
    }
    return std::nullopt;
}

bool SettingsKey::Set(const std::string& name, const std::string& value) {
    bool replaced = false;
    for (std::string& line : m_lines) {
        if (NameMatches(line, name)) {
            line = name + "=" + value;
            replaced = true;
            break;
        }
    }
    if (!replaced) {
        m_lines.push_back(name + "=" + value);
    }
    std::string contents;
    for (const std::string& line : m_lines) {
        contents += line;
        contents += '\n';
    }
    return WriteFileAtomically(Path(), contents);
}

namespace {

int ReadNumber(const SettingsKey& key, const char* name) {
    const std::optional<std::string> value = key.Get(name);
    if (!value) {
        return 0;
    }
    return base::ParseLeadingDigits(std::string_view(*value).substr(0, kValueCapacity));
}

void WriteNumber(const char* name, int number) {
    SettingsKey key;
    if (key.Open() != SettingsKey::OpenResult::Opened) {
        return;
    }
    key.Set(name, std::to_string(number));
}

}  // namespace

int ReadLanguageSetting() {
    SettingsKey key;
    switch (key.Open()) {
        case SettingsKey::OpenResult::NotFound:
            return key.Create() ? 0 : 2052;
        case SettingsKey::OpenResult::Failed:
            return 2052;
        case SettingsKey::OpenResult::Opened:
            break;
    }
    return ReadNumber(key, "LCID");
}

void WriteLanguageSetting(int id) { WriteNumber("LCID", id); }

int ReadDeviceTypeSetting() {
    SettingsKey key;
    if (key.Open() != SettingsKey::OpenResult::Opened) {
        return 0;
    }
    return ReadNumber(key, "DeviceType");
}

void WriteDeviceTypeSetting(int type) { WriteNumber("DeviceType", type); }

}  // namespace platform
