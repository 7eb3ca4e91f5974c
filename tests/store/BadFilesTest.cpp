// Files the store cannot use: not a database, another schema, read-only, missing or unwritable
// folders. Every operation fails quietly and the user's file stays exactly as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "StoreTestSupport.h"
#include "store/ProfileDatabase.h"
#include "store/ProfileListRefresh.h"
#include "support/TempHome.h"

namespace store {
namespace {

using store_test::Exists;
using store_test::FileBytes;
using store_test::QueryOne;

std::u16string NoText(int) {
    return {};
}

// Every kind of write the program makes, each of which must fail on these files.
void AttemptEveryWrite(ProfileDatabase& db) {
    EXPECT_EQ(db.AddProfile(ProfileInfo{0, u"800", u"", 0, 0}), 0);
    EXPECT_FALSE(db.SetConfigValue(1, "report_rate", u"4"));
    db.InsertConfigDefaults(1);
    db.ResetConfigDefaults(1);
    EXPECT_FALSE(db.SetActiveProfile(1));
    EXPECT_EQ(db.AddMacro(u"m"), 0);
    db.AddMacroSteps({MacroStep{0, 1, 1, 0, 65, 1, u"A"}});
    EXPECT_FALSE(db.RenameMacro(1, u"n"));
    KeyMapping mapping;
    mapping.profile = 1;
    mapping.key_code = 1;
    mapping.macro_value = 1;
    EXPECT_EQ(db.SaveKeyMapping(mapping), 0);
    EXPECT_FALSE(db.DeleteKeyMappings(1));
    EXPECT_FALSE(db.DeleteMacro(1));
    EXPECT_FALSE(db.SetActiveLightMode(1, 3));
}

class BadFilesTest : public testing::Test {
  protected:
    std::string FileAt(const std::u16string& name, const std::string& bytes) {
        const std::string path = m_folder.PathOf(name);
        EXPECT_TRUE(testing_support::WriteFile(path, bytes));
        return path;
    }

    store_test::StoreFolder m_folder;
    ProfileDatabase m_db;
};

struct NotADatabase {
    const char* what;
    std::string bytes;
};

TEST_F(BadFilesTest, AFileThatIsNotADatabaseIsNeverWritten) {
    std::string header = std::string("SQLite format 3", 16) + std::string(200, '\x7F');
    const NotADatabase cases[] = {
        {"text", std::string(3000, 'x') + "\nnot a database\n"},
        {"short", "PK\x03\x04 some archive"},
        {"damaged header", header},
        {"binary", std::string(8192, '\xFF')},
    };
    for (const NotADatabase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = FileAt(u"Bad", c.bytes);
        ProfileDatabase db;
        db.OpenForDevice(m_folder.Folder(), u"Bad");
        const ProfileListState state = RefreshProfileStore(db, NoText);
        EXPECT_TRUE(state.items.empty());
        EXPECT_EQ(state.current, 0);
        AttemptEveryWrite(db);
        std::u16string value = u"x";
        EXPECT_FALSE(db.GetConfigValue(1, "report_rate", value));
        EXPECT_EQ(value, u"");
        EXPECT_EQ(db.GetActiveLightMode(1), 3);
        db.ClearAll();
        EXPECT_TRUE(db.Close());
        EXPECT_TRUE(db.OpenAndClear(m_folder.Folder(), u"Bad"));
        EXPECT_EQ(FileBytes(path), c.bytes);
        EXPECT_FALSE(Exists(path + "-journal"));
    }
}

TEST_F(BadFilesTest, AnEmptyFileStaysEmpty) {
    const std::string path = FileAt(u"Empty", "");
    ASSERT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"Empty"));
    RefreshProfileStore(m_db, NoText);
    AttemptEveryWrite(m_db);
    m_db.ClearAll();
    EXPECT_EQ(FileBytes(path), "");
}

TEST_F(BadFilesTest, ADatabaseOfAnotherSchemaIsReadSafelyAndNotChanged) {
    const std::string path = m_folder.PathOf(u"Other");
    ASSERT_TRUE(
        store_test::Run(path,
                        "CREATE TABLE t_profile_data(id INTEGER PRIMARY KEY, label TEXT);"
                        "INSERT INTO t_profile_data VALUES (7, 'mine');"
                        "CREATE TABLE t_configdata(a, b);"
                        "CREATE TABLE t_key_macro_data(key_id INTEGER PRIMARY KEY, owner INTEGER);"
                        "INSERT INTO t_key_macro_data VALUES (1, 1);"
                        "CREATE TABLE notes(text TEXT); INSERT INTO notes VALUES ('keep me');"));
    const std::string before = FileBytes(path);
    ASSERT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"Other"));

    // Reads take what the file has; columns it lacks read as 0 and empty.
    std::vector<ProfileInfo> profiles;
    ASSERT_EQ(m_db.ListProfiles(profiles), 1);
    EXPECT_EQ(profiles[0], (ProfileInfo{7, u"mine", u"", 0, 0}));
    std::vector<KeyMapping> mappings;
    ASSERT_EQ(m_db.ListKeyMappings(1, mappings), 0);  // no profile column: the query fails
    const ProfileListState state = RefreshProfileStore(m_db, NoText);
    EXPECT_EQ(state.items.size(), 1u);
    EXPECT_EQ(state.current, 0);

    AttemptEveryWrite(m_db);
    EXPECT_EQ(FileBytes(path), before);

    // The factory reset empties only the tables named like the store's own.
    m_db.ClearAll();
    EXPECT_EQ(QueryOne(path, "SELECT text FROM notes"), "keep me");
    EXPECT_EQ(QueryOne(path, "SELECT count(*) FROM sqlite_master"), "4");
}

TEST_F(BadFilesTest, AReadOnlyFileIsReadButNeverWritten) {
    {
        ProfileDatabase writer;
        ASSERT_TRUE(writer.OpenForDevice(m_folder.Folder(), u"RO"));
        RefreshProfileStore(writer, NoText);
        writer.AddMacro(u"m");
        writer.AddMacroSteps({MacroStep{0, 1, 1, 0, 65, 1, u"A"}});
        KeyMapping mapping;
        mapping.profile = 1;
        mapping.key_code = 1;
        mapping.macro_value = 1;
        mapping.macro_desc = u"121";
        writer.SaveKeyMapping(mapping);
    }
    const std::string path = m_folder.PathOf(u"RO");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    const std::string before = FileBytes(path);
    {
        store_test::ScopedUnprivileged unprivileged;
        ASSERT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"RO"));
        const ProfileListState state = RefreshProfileStore(m_db, NoText);
        EXPECT_EQ(state.items.size(), 5u);
        EXPECT_EQ(state.current, 1);
        std::u16string value;
        EXPECT_TRUE(m_db.GetConfigValue(1, "dpi_group0_value", value));
        EXPECT_EQ(value, u"800");

        AttemptEveryWrite(m_db);
        KeyMapping read;
        ASSERT_TRUE(m_db.GetKeyMapping(1, 1, read));
        EXPECT_EQ(read.macro_desc, u"121");
        std::vector<MacroStep> steps;
        EXPECT_EQ(m_db.ListMacroSteps(1, steps), 1);
        m_db.ClearAll();
        EXPECT_TRUE(m_db.Close());
        EXPECT_TRUE(m_db.OpenAndClear(m_folder.Folder(), u"RO"));
        EXPECT_TRUE(m_db.Close());
    }
    EXPECT_EQ(FileBytes(path), before);
}

TEST_F(BadFilesTest, AMissingFolderIsNotCreated) {
    const std::string folder = testing_support::MakeTempFolder("nodb") + "/";  // no "db" in it
    EXPECT_FALSE(m_db.OpenForDevice(folder, u"M1"));
    EXPECT_FALSE(m_db.IsOpened());
    EXPECT_FALSE(m_db.IsOpen());
    EXPECT_FALSE(Exists(folder + "db"));
    AttemptEveryWrite(m_db);
    EXPECT_TRUE(RefreshProfileStore(m_db, NoText).items.empty());
}

TEST_F(BadFilesTest, AnUnwritableFolderGetsNoFile) {
    const std::string db = m_folder.Folder() + "db";
    ASSERT_EQ(chmod(db.c_str(), 0555), 0);
    {
        store_test::ScopedUnprivileged unprivileged;
        EXPECT_FALSE(m_db.OpenForDevice(m_folder.Folder(), u"M1"));
        EXPECT_FALSE(m_db.IsOpen());
    }
    EXPECT_FALSE(Exists(m_folder.PathOf(u"M1")));
    chmod(db.c_str(), 0755);
}

TEST_F(BadFilesTest, AFolderWhereTheFileShouldBeFailsToOpen) {
    std::filesystem::create_directories(m_folder.PathOf(u"M1"));
    EXPECT_FALSE(m_db.OpenForDevice(m_folder.Folder(), u"M1"));
    EXPECT_FALSE(m_db.IsOpen());
    EXPECT_TRUE(std::filesystem::is_directory(m_folder.PathOf(u"M1")));
}

}  // namespace
}  // namespace store
