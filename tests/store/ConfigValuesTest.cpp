// Configuration values: the 25 keys of a profile, their defaults, reading, writing and reset.
#include <gtest/gtest.h>

#include <climits>

#include "StoreTestSupport.h"
#include "store/ConfigDefaults.h"
#include "store/ProfileDatabase.h"

namespace store {
namespace {

using store_test::Query;
using store_test::QueryOne;
using store_test::Rows;

std::u16string Wide(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

class ConfigValuesTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"M1"));
        m_path = m_folder.PathOf(u"M1");
        m_profile = m_db.AddProfile(ProfileInfo{0, u"800", u"", 0, 0});
        ASSERT_EQ(m_profile, 1);
    }

    std::string Stored(int profile, const std::string& key) {
        return QueryOne(m_path,
                        "SELECT group_concat(value, '|') FROM t_configdata WHERE profile = " +
                            std::to_string(profile) + " AND key = '" + key + "'");
    }

    store_test::StoreFolder m_folder;
    ProfileDatabase m_db;
    std::string m_path;
    int m_profile = 0;
};

TEST_F(ConfigValuesTest, ANewProfileHasExactlyTheTwentyFiveDefaultRowsInOrder) {
    Rows expected;
    for (const ConfigDefault& row : kConfigDefaults) {
        expected.push_back({"1", std::string(row.key), std::string(row.value)});
    }
    EXPECT_EQ(Query(m_path, "SELECT profile, key, value FROM t_configdata ORDER BY config_id"),
              expected);
    std::u16string value;
    EXPECT_TRUE(m_db.GetConfigValue(m_profile, "dpi_group5_rgb", value));
    EXPECT_EQ(value, u"16776960");
    EXPECT_EQ(m_db.GetConfigInt(m_profile, config_key::kReportRate), 2);
}

TEST_F(ConfigValuesTest, StageKeysAreFormedFromTheStageIndex) {
    EXPECT_EQ(DpiValueKey(0), "dpi_group0_value");
    EXPECT_EQ(DpiColourKey(5), "dpi_group5_rgb");
    std::u16string value;
    EXPECT_TRUE(m_db.GetConfigValue(m_profile, DpiValueKey(3), value));
    EXPECT_EQ(value, u"3200");
}

TEST_F(ConfigValuesTest, ValuesAreStoredAsGivenAndReadBack) {
    const std::u16string values[] = {u"12000", u"", u"Профиль \U0001F600",
                                     u"'); DELETE FROM t_configdata; --", u"%s%d"};
    for (const std::u16string& text : values) {
        EXPECT_TRUE(m_db.SetConfigValue(m_profile, "light_mode", text));
        std::u16string read = u"old";
        EXPECT_TRUE(m_db.GetConfigValue(m_profile, "light_mode", read));
        EXPECT_EQ(read, text);
    }
    EXPECT_EQ(QueryOne(m_path, "SELECT count(*) FROM t_configdata"), "25");
}

TEST_F(ConfigValuesTest, AKeyWithoutARowIsNeitherCreatedNorRead) {
    EXPECT_TRUE(m_db.SetConfigValue(m_profile, "no_such_key", u"1"));
    EXPECT_TRUE(m_db.SetConfigValue(7, "report_rate", u"1"));  // no profile 7
    EXPECT_EQ(QueryOne(m_path, "SELECT count(*) FROM t_configdata"), "25");
    std::u16string value = u"left over";
    EXPECT_FALSE(m_db.GetConfigValue(m_profile, "no_such_key", value));
    EXPECT_EQ(value, u"");
    EXPECT_EQ(m_db.GetConfigInt(m_profile, "no_such_key"), 0);
}

TEST_F(ConfigValuesTest, NumbersAreReadWithAPlainDecimalParse) {
    const std::pair<std::u16string, int> cases[] = {
        {u"1600", 1600}, {u"-3", -3}, {u"  12abc", 12},          {u"", 0},
        {u"abc", 0},     {u"+7", 7},  {u"99999999999", INT_MAX}, {u"-99999999999", INT_MIN},
    };
    for (const auto& [text, number] : cases) {
        ASSERT_TRUE(m_db.SetConfigValue(m_profile, "dpi_index", text));
        EXPECT_EQ(m_db.GetConfigInt(m_profile, "dpi_index"), number) << Stored(1, "dpi_index");
    }
    EXPECT_TRUE(m_db.SetConfigInt(m_profile, "dpi_index", -42));
    EXPECT_EQ(Stored(1, "dpi_index"), "-42");
}

struct ResetCase {
    const char* connection;
    bool hasQuery;
    int kind;
    const char* reportRate;
};

TEST_F(ConfigValuesTest, ResetRestoresEveryDefaultButTheVersionWithTheConnectionsReportRate) {
    const ResetCase cases[] = {
        {"wired", true, 0, "4"},     {"receiver", true, 1, "2"},
        {"bluetooth", true, 2, "2"}, {"second receiver", true, 3, "2"},
        {"no mouse", true, -1, "2"}, {"no device manager", false, 0, "2"},
    };
    for (const ResetCase& c : cases) {
        SCOPED_TRACE(c.connection);
        for (const ConfigDefault& row : kConfigDefaults) {
            ASSERT_TRUE(m_db.SetConfigValue(m_profile, row.key, u"77"));
        }
        int asked = 0;
        m_db.SetConnectionKindQuery(c.hasQuery ? ConnectionKindQuery([&] {
            ++asked;
            return c.kind;
        })
                                               : ConnectionKindQuery());
        m_db.ResetConfigDefaults(m_profile);
        EXPECT_EQ(asked, c.hasQuery ? 1 : 0);
        for (const ConfigDefault& row : kConfigDefaults) {
            std::u16string value;
            ASSERT_TRUE(m_db.GetConfigValue(m_profile, row.key, value));
            if (row.key == config_key::kVersion) {
                EXPECT_EQ(value, u"77");
            } else if (row.key == config_key::kReportRate) {
                EXPECT_EQ(value, Wide(c.reportRate));
            } else {
                EXPECT_EQ(value, Wide(row.value)) << row.key;
            }
        }
    }
}

TEST_F(ConfigValuesTest, ResetTouchesOnlyItsProfile) {
    const int second = m_db.AddProfile(ProfileInfo{});
    ASSERT_TRUE(m_db.SetConfigValue(second, "scroll_flag", u"1"));
    ASSERT_TRUE(m_db.SetConfigValue(m_profile, "scroll_flag", u"1"));
    m_db.ResetConfigDefaults(m_profile);
    EXPECT_EQ(Stored(m_profile, "scroll_flag"), "0");
    EXPECT_EQ(Stored(second, "scroll_flag"), "1");
}

TEST_F(ConfigValuesTest, DefaultsInsertedTwiceGiveTwoRowsPerKeyAndUpdatesReachBoth) {
    m_db.InsertConfigDefaults(m_profile);
    EXPECT_EQ(QueryOne(m_path, "SELECT count(*) FROM t_configdata WHERE profile = 1"), "50");
    EXPECT_TRUE(m_db.SetConfigValue(m_profile, "sleep_light", u"5"));
    EXPECT_EQ(Stored(m_profile, "sleep_light"), "5|5");
    std::u16string value;
    EXPECT_TRUE(m_db.GetConfigValue(m_profile, "sleep_light", value));
    EXPECT_EQ(value, u"5");
}

TEST(ConfigValuesClosed, EveryOperationFailsQuietly) {
    ProfileDatabase db;
    std::u16string value = u"x";
    EXPECT_FALSE(db.GetConfigValue(1, "report_rate", value));
    EXPECT_EQ(value, u"");
    EXPECT_FALSE(db.SetConfigValue(1, "report_rate", u"4"));
    EXPECT_FALSE(db.SetConfigInt(1, "report_rate", 4));
    EXPECT_EQ(db.GetConfigInt(1, "report_rate"), 0);
    db.InsertConfigDefaults(1);
    db.ResetConfigDefaults(1);
    EXPECT_FALSE(db.IsOpen());
}

}  // namespace
}  // namespace store
