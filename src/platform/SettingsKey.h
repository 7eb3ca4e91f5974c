#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

// The program's settings key: a small text file "settings" in SettingsFolder(), one
// "Name=Value" line per value. Names match without regard to ASCII case, as registry value
// names do. Lines the program does not understand are kept as they are whenever it rewrites the
// file, and every rewrite is atomic, so a crash or a full disk never leaves half a file.
class SettingsKey {
public:
    enum class OpenResult {
        Opened,    // the file exists and was read
        NotFound,  // there is no settings file (or no settings folder)
        Failed,    // it exists but cannot be read (permissions, a folder in its place, too large)
    };

    // The path of the settings file.
    static std::string Path();

    // Reads the file. On Opened the key's lines are held by this object.
    OpenResult Open();

    // Creates the folder and an empty settings file. False when that fails.
    bool Create();

    // The value of a name, if present. Only valid after Open() returned Opened.
    std::optional<std::string> Get(const std::string& name) const;

    // Sets a value in memory and writes the whole file back atomically. Only valid after
    // Open() returned Opened (or Create() succeeded). False when the write fails; the file on
    // disk is then unchanged.
    bool Set(const std::string& name, const std::string& value);

private:
    std::vector<std::string> m_lines;
};

// The stored UI language: its leading-digits value; 0 when the key had to be created, or the
// value is missing or not numeric; 2052 when the key exists but cannot be read, or cannot be
// created.
int ReadLanguageSetting();

// Stores "LCID" as decimal text. Only an existing key is written; otherwise nothing happens.
void WriteLanguageSetting(int id);

// The stored "DeviceType" number; 0 when the key cannot be opened or the value is absent. Never
// creates the key.
int ReadDeviceTypeSetting();

// Stores "DeviceType" with the same rules as WriteLanguageSetting.
void WriteDeviceTypeSetting(int type);

}  // namespace platform
