#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "i18n/Language.h"
#include "platform/Folders.h"
#include "store/ProfileDatabase.h"
#include "store/ProfileListRefresh.h"
#include "support/TempHome.h"

namespace exchange_test {

// Lines ended by CR LF, as the exchange files write them.
inline std::string CrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// A store with the five default profiles in a fresh data folder, English texts, and a folder
// for the files.
class ExchangeFixture : public testing::Test {
  public:
    void SetUp() override {
        i18n::SetCurrentLanguage(i18n::kEnglish);
        m_data = testing_support::MakeTempFolder("data") + "/";
        m_files = testing_support::MakeTempFolder("files");
        ASSERT_TRUE(platform::EnsureFolder(m_data + "db"));
        ASSERT_TRUE(db.OpenForDevice(m_data, u"Test"));
        ASSERT_EQ(store::RefreshProfileStore(db, [](int) { return std::u16string(); }).items.size(),
                  5u);
    }
    void TearDown() override { db.Close(); }

    std::string File(const std::string& name) const { return m_files + "/" + name; }

    // Plants a light row; the program itself never inserts one.
    void PlantLight(int profile, int mode, int brightness, int status) {
        sqlite3* handle = nullptr;
        ASSERT_EQ(sqlite3_open(db.DatabasePath().c_str(), &handle), SQLITE_OK);
        const std::string sql =
            "INSERT INTO t_light_data(profile, name, mode, brightness, speed, direction, "
            "colorful, colorindex, color_value, config_func, reserved, status) VALUES (" +
            std::to_string(profile) + ", 'light', " + std::to_string(mode) + ", " +
            std::to_string(brightness) + ", 2, 1, 0, 4, 16711680, 7, 9, " + std::to_string(status) +
            ")";
        EXPECT_EQ(sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(handle);
    }

    std::vector<store::KeyMapping> Keys(int profile) {
        std::vector<store::KeyMapping> keys;
        db.ListKeyMappings(profile, keys);
        return keys;
    }

    std::u16string Config(int profile, std::string_view key) {
        std::u16string value;
        db.GetConfigValue(profile, key, value);
        return value;
    }

    store::ProfileDatabase db;
    std::string m_data;
    std::string m_files;
};

}  // namespace exchange_test
