// Profiles: the default set, the active profile and the names shown per language.
#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "i18n/Language.h"
#include "store/ProfileDatabase.h"
#include "store/ProfileListRefresh.h"
#include "store/ProfileNameLabel.h"

namespace store {
namespace {

using store_test::Query;
using store_test::QueryOne;
using store_test::Rows;

// Stands in for the language file: text N reads "T<N>".
std::u16string FakeText(int number) {
    const std::string text = "T" + std::to_string(number);
    return std::u16string(text.begin(), text.end());
}

class ProfilesTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"M1"));
        m_path = m_folder.PathOf(u"M1");
    }

    int AddNamed(const std::u16string& name) {
        return m_db.AddProfile(ProfileInfo{0, name, u"", 0, 0});
    }

    store_test::StoreFolder m_folder;
    ProfileDatabase m_db;
    std::string m_path;
};

TEST_F(ProfilesTest, FirstRefreshCreatesTheFiveDefaultProfilesWithProfileOneActive) {
    const ProfileListState state = RefreshProfileStore(m_db, FakeText);
    EXPECT_EQ(state.current, 1);
    EXPECT_EQ(state.items,
              (std::vector<ProfileSelectorItem>{
                  {u"T800", 1}, {u"T801", 2}, {u"T811", 3}, {u"T821", 4}, {u"T831", 5}}));
    EXPECT_EQ(Query(m_path, "SELECT profile, name, status, app, type FROM t_profile_data"),
              (Rows{{"1", "800", "1", "", "0"},
                    {"2", "801", "0", "", "0"},
                    {"3", "811", "0", "", "0"},
                    {"4", "821", "0", "", "0"},
                    {"5", "831", "0", "", "0"}}));
    EXPECT_EQ(Query(m_path,
                    "SELECT profile, count(*), count(DISTINCT key) FROM t_configdata "
                    "GROUP BY profile"),
              (Rows{{"1", "25", "25"},
                    {"2", "25", "25"},
                    {"3", "25", "25"},
                    {"4", "25", "25"},
                    {"5", "25", "25"}}));

    // A later refresh adds nothing and keeps the active profile.
    ASSERT_TRUE(m_db.SetActiveProfile(3));
    EXPECT_EQ(RefreshProfileStore(m_db, FakeText).current, 3);
    EXPECT_EQ(QueryOne(m_path, "SELECT count(*) FROM t_profile_data"), "5");
}

TEST_F(ProfilesTest, OnlyTheChosenProfileIsActive) {
    RefreshProfileStore(m_db, FakeText);
    EXPECT_TRUE(m_db.SetActiveProfile(4));
    EXPECT_EQ(QueryOne(m_path, "SELECT group_concat(profile) FROM t_profile_data WHERE status = 1"),
              "4");
    EXPECT_EQ(m_db.GetActiveProfile(), 4);
}

TEST_F(ProfilesTest, AnUnknownIdLeavesNoActiveProfileUntilTheNextRefresh) {
    RefreshProfileStore(m_db, FakeText);
    EXPECT_TRUE(m_db.SetActiveProfile(9));
    EXPECT_EQ(m_db.GetActiveProfile(), 0);
    EXPECT_EQ(RefreshProfileStore(m_db, FakeText).current, 1);
    EXPECT_EQ(QueryOne(m_path, "SELECT group_concat(profile) FROM t_profile_data WHERE status = 1"),
              "1");
}

TEST_F(ProfilesTest, WithTwoActiveRowsTheFirstOneTheQueryYieldsWins) {
    RefreshProfileStore(m_db, FakeText);
    ASSERT_TRUE(store_test::Run(m_path,
                                "UPDATE t_profile_data SET status = 1 WHERE profile IN (2, 4)"
                                "; UPDATE t_profile_data SET status = 0 WHERE profile = 1"));
    EXPECT_EQ(m_db.GetActiveProfile(), 2);
}

TEST_F(ProfilesTest, SelectorTextComesFromTheDigitsTheListedNameStartsWith) {
    store_test::ScopedLanguage english(i18n::kEnglish);
    AddNamed(u"821");
    AddNamed(u"配置2");  // listed as "Profile 2": no leading digits
    AddNamed(u"45abc");
    const ProfileListState state = RefreshProfileStore(m_db, FakeText);
    EXPECT_EQ(state.items,
              (std::vector<ProfileSelectorItem>{{u"T821", 1}, {u"T0", 2}, {u"T45", 3}}));
    EXPECT_EQ(state.current, 1);  // no profile was active
}

TEST_F(ProfilesTest, AProfileThatCannotBeStoredGetsNoConfigurationRows) {
    ASSERT_TRUE(store_test::Run(m_path, "DROP TABLE t_profile_data"));
    EXPECT_EQ(AddNamed(u"800"), 0);
    for (int i = 0; i < 3; ++i) {
        const ProfileListState state = RefreshProfileStore(m_db, FakeText);
        EXPECT_TRUE(state.items.empty());
        EXPECT_EQ(state.current, 0);
    }
    EXPECT_EQ(QueryOne(m_path, "SELECT count(*) FROM t_configdata"), "0");
}

TEST(ProfilesClosed, RefreshOfAClosedDatabaseShowsNothing) {
    ProfileDatabase db;
    const ProfileListState state = RefreshProfileStore(db, FakeText);
    EXPECT_TRUE(state.items.empty());
    EXPECT_EQ(state.current, 0);
    std::vector<ProfileInfo> list(2);
    EXPECT_EQ(db.ListProfiles(list), 0);
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(db.SetActiveProfile(1));
    EXPECT_EQ(db.AddProfile(ProfileInfo{}), 0);
}

struct LabelCase {
    int language;
    std::u16string stored;
    std::u16string listed;
};

TEST_F(ProfilesTest, StoredNamesAreListedInTheFormOfTheCurrentLanguage) {
    const LabelCase cases[] = {
        {i18n::kEnglish, u"配置2", u"Profile 2"},
        {i18n::kChinese, u"配置2", u"配置2"},
        {i18n::kEnglish, u"配置 3", u"Profile  3"},  // the blank after the prefix stays
        {i18n::kEnglish, u"配寘4", u"Profile 4"},
        {i18n::kEnglish, u"ボタン5", u"Profile 5"},
        {i18n::kEnglish, u"Profile 1", u"Profile 1"},
        {i18n::kEnglish, u"profile1", u"profile1"},  // case-sensitive
        {i18n::kChinese, u"Profile1", u"配置 1"},
        {i18n::kChinese, u"ボタンX", u"配置 X"},
        {i18n::kRussian, u"Profile1", u"Профиль 1"},
        {i18n::kRussian, u"配置1", u"Профиль 1"},
        {i18n::kRussian, u"配寘1", u"Профиль 1"},
        {i18n::kRussian, u"ボタン", u"Профиль "},
        {i18n::kRussian, u"Профиль 2", u"Профиль 2"},
        {i18n::kEnglish, u"Профиль 2", u"Профиль 2"},
        {i18n::kChinese, u"Профиль 2", u"Профиль 2"},
        {i18n::kRussian, u"800", u"800"},
        {1031, u"配置2", u"配置2"},  // any other language
        {i18n::kEnglish, u"配置%s%d", u"Profile %s%d"},
    };
    for (const LabelCase& c : cases) {
        AddNamed(c.stored);
    }
    for (size_t i = 0; i < std::size(cases); ++i) {
        store_test::ScopedLanguage language(cases[i].language);
        std::vector<ProfileInfo> list;
        ASSERT_EQ(m_db.ListProfiles(list), static_cast<int>(std::size(cases)));
        EXPECT_EQ(list[i].name, cases[i].listed) << "case " << i;
        EXPECT_EQ(RelabelProfileName(cases[i].stored, cases[i].language), cases[i].listed);
    }
    // Listing never changes what is stored.
    EXPECT_EQ(QueryOne(m_path, "SELECT name FROM t_profile_data WHERE profile = 1"),
              "\xE9\x85\x8D\xE7\xBD\xAE"
              "2");
}

TEST_F(ProfilesTest, ListedRecordsCarryEveryColumn) {
    ASSERT_TRUE(store_test::Run(m_path,
                                "INSERT INTO t_profile_data(name, status, app, type) "
                                "VALUES ('801', 1, 'game.exe', 3), (NULL, NULL, NULL, NULL)"));
    std::vector<ProfileInfo> list;
    ASSERT_EQ(m_db.ListProfiles(list), 2);
    EXPECT_EQ(list[0], (ProfileInfo{1, u"801", u"game.exe", 3, 1}));
    EXPECT_EQ(list[1], (ProfileInfo{2, u"", u"", 0, 0}));
}

}  // namespace
}  // namespace store
