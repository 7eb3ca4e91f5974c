#include <gtest/gtest.h>

#include <filesystem>

#include "app/ProfileDefaults.h"
#include "support/TempHome.h"

namespace {

TEST(ProfileDefaults, ButtonsValuesAndReportRateReturnToDefaults) {
    const std::string folder = testing_support::MakeTempFolder("defaults") + "/";
    std::filesystem::create_directories(folder + "db");
    store::ProfileDatabase database;
    ASSERT_TRUE(database.OpenForDevice(folder, u"M"));
    database.EnsureDefaultProfiles();
    struct Case {
        int connectionKind;
        std::u16string rate;
    };
    for (const Case& c : {Case{0, u"4"}, Case{1, u"2"}, Case{2, u"2"}, Case{-1, u"2"}}) {
        store::KeyMapping mapping;
        mapping.profile = 2;
        mapping.key_code = 3;
        mapping.macro_type = 22;
        mapping.macro_value = 4;
        ASSERT_GT(database.SaveKeyMapping(mapping), 0);
        database.SetConfigValue(2, "dpi_group0_value", u"2000");
        database.SetConfigValue(1, "dpi_group0_value", u"3000");

        app::RestoreProfileDefaults(database, 2, c.connectionKind);

        std::vector<store::KeyMapping> mappings;
        EXPECT_EQ(database.ListKeyMappings(2, mappings), 0);
        std::u16string value;
        database.GetConfigValue(2, "dpi_group0_value", value);
        EXPECT_EQ(value, u"800");
        database.GetConfigValue(2, "report_rate", value);
        EXPECT_EQ(value, c.rate) << c.connectionKind;
        database.GetConfigValue(1, "dpi_group0_value", value);
        EXPECT_EQ(value, u"3000") << "other profiles are left alone";
    }
}

}  // namespace
