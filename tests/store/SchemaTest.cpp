// Opening, creating and clearing the database file of a model.
#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/ProfileDatabase.h"
#include "store/ProfileListRefresh.h"

namespace store {
namespace {

using store_test::Exists;
using store_test::Query;
using store_test::QueryOne;
using store_test::Rows;

std::u16string NoText(int) {
    return {};
}

class SchemaTest : public testing::Test {
  protected:
    store_test::StoreFolder m_folder;
    ProfileDatabase m_db;
};

TEST_F(SchemaTest, FirstRunCreatesTheFileWithTheWholeSchemaInOrder) {
    const std::string path = m_folder.PathOf(u"M1");
    ASSERT_FALSE(Exists(path));
    EXPECT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"M1"));
    EXPECT_TRUE(m_db.IsOpened());
    EXPECT_TRUE(m_db.IsOpen());
    EXPECT_EQ(m_db.DatabasePath(), m_folder.Folder() + "db/M1_data_trq.db");
    ASSERT_TRUE(Exists(path));

    // sqlite_sequence comes with the first AUTOINCREMENT table.
    const Rows expected = {
        {"table", "t_configdata", "t_configdata"},
        {"table", "sqlite_sequence", "sqlite_sequence"},
        {"table", "t_profile_data", "t_profile_data"},
        {"index", "profileindex", "t_profile_data"},
        {"table", "t_key_macro_data", "t_key_macro_data"},
        {"index", "keyindex", "t_key_macro_data"},
        {"table", "t_key_otherdata", "t_key_otherdata"},
        {"index", "otheridindex", "t_key_otherdata"},
        {"table", "t_macro_data", "t_macro_data"},
        {"index", "macroidindex", "t_macro_data"},
        {"table", "t_macrorecord", "t_macrorecord"},
        {"index", "macrorecordindex", "t_macrorecord"},
        {"table", "t_light_data", "t_light_data"},
        {"index", "lightindex", "t_light_data"},
        {"table", "t_key_light_data", "t_key_light_data"},
        {"index", "keylightindex", "t_key_light_data"},
    };
    EXPECT_EQ(Query(path, "SELECT type, name, tbl_name FROM sqlite_master ORDER BY rowid"),
              expected);
}

struct TableShape {
    const char* table;
    const char* columns;  // name:type, the first one the AUTOINCREMENT primary key
    const char* index;
};

TEST_F(SchemaTest, EveryTableHasItsColumnsAndAnIndexOnItsPrimaryKey) {
    ASSERT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"M1"));
    const std::string path = m_folder.PathOf(u"M1");
    const TableShape shapes[] = {
        {"t_configdata", "config_id:INTEGER profile:INTEGER key:TEXT value:TEXT", ""},
        {"t_profile_data", "profile:INTEGER name:TEXT status:INTEGER app:TEXT type:INTEGER",
         "profileindex"},
        {"t_key_macro_data",
         "key_id:INTEGER profile:INTEGER fn_layer:INTEGER key_code:INTEGER "
         "layout_value:INTEGER layout_desc:TEXT macro_type:INTEGER macro_value:INTEGER "
         "macro_value2:INTEGER macro_value3:INTEGER macro_desc:TEXT",
         "keyindex"},
        {"t_key_otherdata", "macro_value:INTEGER macro_desc:TEXT param:TEXT type:INTEGER",
         "otheridindex"},
        {"t_macro_data",
         "macro_id:INTEGER name:TEXT play_type:INTEGER play_times:INTEGER delay_type:INTEGER "
         "delay_time:INTEGER",
         "macroidindex"},
        {"t_macrorecord",
         "record_id:INTEGER macro_id:INTEGER type:INTEGER record_index:INTEGER desc:TEXT "
         "value:INTEGER delay_time:INTEGER",
         "macrorecordindex"},
        {"t_light_data",
         "light_id:INTEGER profile:INTEGER name:TEXT mode:INTEGER brightness:INTEGER "
         "speed:INTEGER direction:INTEGER colorful:INTEGER colorindex:INTEGER "
         "color_value:INTEGER config_func:INTEGER reserved:INTEGER status:INTEGER",
         "lightindex"},
        {"t_key_light_data",
         "keylight_id:INTEGER profile:INTEGER light_id:INTEGER key_code:INTEGER "
         "key_rgb:INTEGER",
         "keylightindex"},
    };
    for (const TableShape& shape : shapes) {
        SCOPED_TRACE(shape.table);
        const std::string table = shape.table;
        std::string columns;
        for (const auto& row :
             Query(path, "SELECT name, type, pk, \"notnull\", dflt_value FROM pragma_table_info('" +
                             table + "') ORDER BY cid")) {
            columns += (columns.empty() ? "" : " ") + row[0] + ":" + row[1];
            EXPECT_EQ(row[2], columns.find(' ') == std::string::npos ? "1" : "0");
            EXPECT_EQ(row[3], "0");
            EXPECT_EQ(row[4], "<null>");
        }
        EXPECT_EQ(columns, shape.columns);
        const std::string sql =
            QueryOne(path, "SELECT sql FROM sqlite_master WHERE name = '" + table + "'");
        EXPECT_NE(sql.find("PRIMARY KEY AUTOINCREMENT"), std::string::npos) << sql;
        if (*shape.index) {
            const std::string key = std::string(shape.columns).substr(0, columns.find(':'));
            EXPECT_EQ(QueryOne(path, std::string("SELECT name FROM pragma_index_info('") +
                                         shape.index + "')"),
                      key);
        }
    }
}

TEST_F(SchemaTest, AnOpenConnectionStaysInUseUntilClosed) {
    ASSERT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"First"));
    ASSERT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"First"));
    // Another file that exists: the first file's connection stays in use.
    ProfileDatabase other;
    ASSERT_TRUE(other.OpenForDevice(m_folder.Folder(), u"Second"));
    EXPECT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"Second"));
    EXPECT_EQ(m_db.DatabasePath(), m_folder.PathOf(u"Second"));
    EXPECT_EQ(m_db.AddMacro(u"where"), 1);
    EXPECT_EQ(QueryOne(m_folder.PathOf(u"First"), "SELECT name FROM t_macro_data"), "where");
    EXPECT_EQ(QueryOne(m_folder.PathOf(u"Second"), "SELECT count(*) FROM t_macro_data"), "0");
    // A file that does not exist yet is not created while a connection is open.
    EXPECT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"Third"));
    EXPECT_FALSE(Exists(m_folder.PathOf(u"Third")));
    EXPECT_TRUE(m_db.CreateSchema());
    EXPECT_FALSE(Exists(m_folder.PathOf(u"Third")));

    // Closing first switches files.
    EXPECT_TRUE(m_db.Close());
    EXPECT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"Second"));
    EXPECT_EQ(m_db.AddMacro(u"there"), 1);
    EXPECT_EQ(QueryOne(m_folder.PathOf(u"Second"), "SELECT name FROM t_macro_data"), "there");
}

TEST_F(SchemaTest, AModelWithoutNameUsesTheFileWithAnEmptyName) {
    EXPECT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u""));
    EXPECT_TRUE(Exists(m_folder.Folder() + "db/_data_trq.db"));
}

TEST_F(SchemaTest, AnExistingFileIsOpenedAsItIsWithoutAddingTables) {
    const std::string path = m_folder.PathOf(u"Old");
    ASSERT_TRUE(store_test::Run(path,
                                "CREATE TABLE t_macro_data(macro_id INTEGER PRIMARY KEY "
                                "AUTOINCREMENT, name TEXT, play_type INTEGER, play_times "
                                "INTEGER, delay_type INTEGER, delay_time INTEGER)"));
    const Rows before = Query(path, "SELECT name FROM sqlite_master ORDER BY name");
    EXPECT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"Old"));
    EXPECT_EQ(m_db.AddMacro(u"kept"), 1);          // what the file has works
    EXPECT_EQ(m_db.AddProfile(ProfileInfo{}), 0);  // what it lacks fails quietly
    EXPECT_EQ(Query(path, "SELECT name FROM sqlite_master ORDER BY name"), before);
}

TEST_F(SchemaTest, ClearAllEmptiesEveryTableAndRestartsTheIds) {
    ASSERT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"M1"));
    const std::string path = m_folder.PathOf(u"M1");
    RefreshProfileStore(m_db, NoText);
    const int macro = m_db.AddMacro(u"m");
    m_db.AddMacroStep(MacroStep{0, macro, 1, 0, 65, 1, u"A"});
    KeyMapping mapping;
    mapping.profile = 1;
    mapping.key_code = 3;
    mapping.macro_value = 1;
    m_db.SaveKeyMapping(mapping);
    ASSERT_TRUE(store_test::Run(path,
                                "INSERT INTO t_light_data(profile, mode) VALUES (1, 2);"
                                "INSERT INTO t_key_light_data(profile) VALUES (1);"
                                "INSERT INTO t_key_otherdata(param) VALUES ('p');"));

    m_db.ClearAll();

    for (const char* table :
         {"t_configdata", "t_profile_data", "t_key_macro_data", "t_key_otherdata", "t_macro_data",
          "t_macrorecord", "t_light_data", "t_key_light_data", "sqlite_sequence"}) {
        EXPECT_EQ(QueryOne(path, std::string("SELECT count(*) FROM ") + table), "0") << table;
    }
    // The statements for tables this schema does not have created nothing.
    EXPECT_EQ(QueryOne(path, "SELECT count(*) FROM sqlite_master"), "16");
    EXPECT_EQ(m_db.AddProfile(ProfileInfo{}), 1);
    EXPECT_EQ(m_db.AddMacro(u"again"), 1);
    EXPECT_EQ(QueryOne(path, "SELECT min(config_id) FROM t_configdata"), "1");
}

TEST_F(SchemaTest, OpenAndClearEmptiesAnExistingFileAndTheDefaultsComeBackWithIdsOneToFive) {
    {
        ProfileDatabase earlier;
        ASSERT_TRUE(earlier.OpenForDevice(m_folder.Folder(), u"M1"));
        RefreshProfileStore(earlier, NoText);
        ASSERT_EQ(earlier.AddProfile(ProfileInfo{}), 6);
        earlier.AddMacro(u"m");
        earlier.SetActiveProfile(4);
    }
    const std::string path = m_folder.PathOf(u"M1");
    EXPECT_TRUE(m_db.OpenAndClear(m_folder.Folder(), u"M1"));
    EXPECT_EQ(QueryOne(path, "SELECT count(*) FROM t_profile_data"), "0");
    EXPECT_EQ(QueryOne(path, "SELECT count(*) FROM t_macro_data"), "0");

    const ProfileListState state = RefreshProfileStore(m_db, NoText);
    EXPECT_EQ(state.current, 1);
    EXPECT_EQ(Query(path, "SELECT profile, name, status FROM t_profile_data ORDER BY profile"),
              (Rows{{"1", "800", "1"},
                    {"2", "801", "0"},
                    {"3", "811", "0"},
                    {"4", "821", "0"},
                    {"5", "831", "0"}}));
}

TEST_F(SchemaTest, CreateSchemaWithoutAComputedPathCreatesNothing) {
    EXPECT_FALSE(m_db.CreateSchema());
    EXPECT_FALSE(m_db.IsOpen());
}

}  // namespace
}  // namespace store
