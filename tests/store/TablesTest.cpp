// Button assignments, macros with their steps, and light rows.
#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/ProfileDatabase.h"

namespace store {
namespace {

using store_test::Query;
using store_test::QueryOne;
using store_test::Rows;

KeyMapping Mapping(int profile, int keyCode, int type, int value, int value2 = 0,
                   const std::u16string& desc = u"") {
    KeyMapping mapping;
    mapping.profile = profile;
    mapping.key_code = keyCode;
    mapping.macro_type = type;
    mapping.macro_value = value;
    mapping.macro_value2 = value2;
    mapping.macro_desc = desc;
    return mapping;
}

MacroStep Step(int macro, int index, int value, const std::u16string& desc = u"") {
    return MacroStep{0, macro, 1, index, value, 100 + index, desc};
}

class TablesTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"M1"));
        m_path = m_folder.PathOf(u"M1");
    }

    std::string Count(const std::string& table, const std::string& where = "1") {
        return QueryOne(m_path, "SELECT count(*) FROM " + table + " WHERE " + where);
    }

    store_test::StoreFolder m_folder;
    ProfileDatabase m_db;
    std::string m_path;
};

// ---- Button assignments ------------------------------------------------------------------

TEST_F(TablesTest, SavingAButtonAgainReplacesItsRowUnderANewId) {
    KeyMapping first = Mapping(1, 4, 22, 0x41, 0x03, u"Ctrl+Shift+A");
    first.macro_value3 = 9;
    first.layout_value = 5;
    first.layout_desc = u"layout";
    const int firstId = m_db.SaveKeyMapping(first);
    EXPECT_EQ(firstId, 1);
    KeyMapping read;
    ASSERT_TRUE(m_db.GetKeyMapping(1, 4, read));
    first.key_id = firstId;
    EXPECT_EQ(read, first);

    const int secondId = m_db.SaveKeyMapping(Mapping(1, 4, 23, 2, 0, u"Макрос \U0001F600"));
    EXPECT_EQ(secondId, 2);
    EXPECT_EQ(Count("t_key_macro_data"), "1");
    ASSERT_TRUE(m_db.GetKeyMapping(1, 4, read));
    EXPECT_EQ(read, (KeyMapping{2, 1, 0, 4, 0, u"", 23, 2, 0, 0, u"Макрос \U0001F600"}));
}

TEST_F(TablesTest, AButtonIsStoredWhenEitherValueIsSetAndRemovedWhenBothAreZero) {
    EXPECT_GT(m_db.SaveKeyMapping(Mapping(1, 2, 22, 0, 5)), 0);
    EXPECT_EQ(Count("t_key_macro_data", "key_code = 2"), "1");
    EXPECT_EQ(m_db.SaveKeyMapping(Mapping(1, 2, 22, 0, 0)), 0);
    EXPECT_EQ(Count("t_key_macro_data"), "0");
    EXPECT_EQ(m_db.SaveKeyMapping(Mapping(1, 2, 22, 0, 0)), 0);  // nothing to remove
}

TEST_F(TablesTest, AButtonWithoutARowLeavesTheRecordAsItWas) {
    m_db.SaveKeyMapping(Mapping(2, 1, 1, 1));  // another profile
    KeyMapping read = Mapping(9, 9, 9, 9, 9, u"untouched");
    EXPECT_FALSE(m_db.GetKeyMapping(1, 1, read));
    EXPECT_EQ(read, Mapping(9, 9, 9, 9, 9, u"untouched"));
}

TEST_F(TablesTest, AFailedInsertKeepsTheButtonsPreviousAssignment) {
    const int id = m_db.SaveKeyMapping(Mapping(1, 3, 1, 1, 0, u"121"));
    ASSERT_TRUE(store_test::Run(m_path,
                                "CREATE TRIGGER refuse BEFORE INSERT ON t_key_macro_data "
                                "WHEN NEW.macro_value = 666 BEGIN SELECT RAISE(ABORT, 'no'); "
                                "END"));
    EXPECT_EQ(m_db.SaveKeyMapping(Mapping(1, 3, 22, 666)), 0);
    KeyMapping read;
    ASSERT_TRUE(m_db.GetKeyMapping(1, 3, read));
    EXPECT_EQ(read.key_id, id);
    EXPECT_EQ(read.macro_desc, u"121");
    // The store is not left inside a transaction: later writes reach the file.
    EXPECT_GT(m_db.SaveKeyMapping(Mapping(1, 5, 1, 2)), 0);
    EXPECT_EQ(Count("t_key_macro_data"), "2");
}

TEST_F(TablesTest, MappingsAreListedDescribedAndDeletedPerProfile) {
    m_db.SaveKeyMapping(Mapping(1, 3, 1, 1, 0, u"121"));
    m_db.SaveKeyMapping(Mapping(1, 1, 23, 4, 0, u"old"));
    m_db.SaveKeyMapping(Mapping(2, 1, 23, 4, 0, u"old"));
    EXPECT_TRUE(m_db.SetKeyMacroDesc(1, 1, u"new name"));
    EXPECT_TRUE(m_db.SetKeyMacroDesc(1, 8, u"no row"));  // changes nothing

    std::vector<KeyMapping> list(3);
    ASSERT_EQ(m_db.ListKeyMappings(1, list), 2);
    EXPECT_EQ(list[0].key_code, 3);  // table order
    EXPECT_EQ(list[1].macro_desc, u"new name");
    EXPECT_EQ(QueryOne(m_path, "SELECT macro_desc FROM t_key_macro_data WHERE profile = 2"), "old");

    EXPECT_TRUE(m_db.DeleteKeyMappings(1));
    EXPECT_EQ(m_db.ListKeyMappings(1, list), 0);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(m_db.ListKeyMappings(2, list), 1);
}

// ---- Macros ------------------------------------------------------------------------------

TEST_F(TablesTest, MacrosAreAddedInsertedUpdatedAndListedInIdOrder) {
    EXPECT_EQ(m_db.AddMacro(u"Custom 1"), 1);
    MacroInfo copy{77, u"Custom 1 Copy", 2, 5, 2, 30};
    EXPECT_EQ(m_db.InsertMacro(copy), 2);  // the record's own id is not used
    MacroInfo read;
    ASSERT_TRUE(m_db.GetMacro(1, read));
    EXPECT_EQ(read, (MacroInfo{1, u"Custom 1", 0, 1, 1, 0}));

    EXPECT_TRUE(m_db.UpdateMacro(1, MacroInfo{2, u"Renamed", 1, 3, 2, 15}));
    EXPECT_TRUE(m_db.RenameMacro(2, u"Second"));
    std::vector<MacroInfo> list;
    ASSERT_EQ(m_db.ListMacros(list), 2);
    EXPECT_EQ(list[0], (MacroInfo{1, u"Renamed", 1, 3, 2, 15}));
    EXPECT_EQ(list[1], (MacroInfo{2, u"Second", 2, 5, 2, 30}));
    EXPECT_FALSE(m_db.GetMacro(3, read));
    EXPECT_EQ(read, (MacroInfo{1, u"Custom 1", 0, 1, 1, 0}));
}

TEST_F(TablesTest, DeletingAMacroTakesItsStepsButLeavesButtonsNamingIt) {
    const int keep = m_db.AddMacro(u"keep");
    const int drop = m_db.AddMacro(u"drop");
    m_db.AddMacroSteps({Step(keep, 0, 65), Step(drop, 0, 66), Step(drop, 1, 67)});
    m_db.SaveKeyMapping(Mapping(1, 4, 23, drop, 0, u"drop"));

    EXPECT_TRUE(m_db.DeleteMacro(drop));
    std::vector<MacroInfo> macros;
    EXPECT_EQ(m_db.ListMacros(macros), 1);
    EXPECT_EQ(Count("t_macrorecord", "macro_id = " + std::to_string(drop)), "0");
    EXPECT_EQ(Count("t_macrorecord", "macro_id = " + std::to_string(keep)), "1");
    EXPECT_EQ(Count("t_key_macro_data", "macro_value = " + std::to_string(drop)), "1");
}

TEST_F(TablesTest, StepsStayWhenTheMacroRowCannotBeDeleted) {
    const int id = m_db.AddMacro(u"m");
    m_db.AddMacroSteps({Step(id, 0, 65)});
    ASSERT_TRUE(store_test::Run(m_path,
                                "CREATE TRIGGER keep BEFORE DELETE ON t_macro_data BEGIN "
                                "SELECT RAISE(ABORT, 'no'); END"));
    EXPECT_FALSE(m_db.DeleteMacro(id));
    EXPECT_EQ(Count("t_macrorecord"), "1");
}

TEST_F(TablesTest, StepsComeBackOrderedByTheirIndex) {
    const int id = m_db.AddMacro(u"m");
    EXPECT_EQ(m_db.AddMacroStep(Step(id, 2, 67, u"C")), 1);
    m_db.AddMacroSteps({Step(id, 0, 65, u"A"), Step(id, 3, 68, u"D"), Step(id, 1, 66, u"B")});
    m_db.AddMacroStep(Step(id + 1, 0, 1));  // another macro's step

    std::vector<MacroStep> steps(5);
    ASSERT_EQ(m_db.ListMacroSteps(id, steps), 4);
    EXPECT_EQ(steps[0], (MacroStep{2, id, 1, 0, 65, 100, u"A"}));
    EXPECT_EQ(steps[1].desc, u"B");
    EXPECT_EQ(steps[2], (MacroStep{1, id, 1, 2, 67, 102, u"C"}));
    EXPECT_EQ(steps[3].desc, u"D");
    // Column order in the file: record_id, macro_id, type, record_index, desc, value, delay_time.
    EXPECT_EQ(Query(m_path, "SELECT * FROM t_macrorecord WHERE record_id = 1"),
              (Rows{{"1", "1", "1", "2", "C", "67", "102"}}));

    EXPECT_TRUE(m_db.DeleteMacroSteps(id));
    EXPECT_EQ(m_db.ListMacroSteps(id, steps), 0);
    EXPECT_EQ(Count("t_macrorecord"), "1");
}

TEST_F(TablesTest, ABatchOfStepsKeepsTheStepsThatCouldBeStored) {
    const int id = m_db.AddMacro(u"m");
    ASSERT_TRUE(store_test::Run(m_path,
                                "CREATE TRIGGER refuse BEFORE INSERT ON t_macrorecord "
                                "WHEN NEW.value = 666 BEGIN SELECT RAISE(ABORT, 'no'); END"));
    m_db.AddMacroSteps({Step(id, 0, 65), Step(id, 1, 666), Step(id, 2, 67)});
    EXPECT_EQ(QueryOne(m_path, "SELECT group_concat(value) FROM t_macrorecord"), "65,67");
    EXPECT_EQ(m_db.AddMacro(u"after"), 2);  // no transaction was left open
    EXPECT_EQ(Count("t_macro_data"), "2");
}

TEST(TablesClosed, EveryOperationFailsQuietly) {
    ProfileDatabase db;
    EXPECT_EQ(db.AddMacro(u"m"), 0);
    EXPECT_EQ(db.InsertMacro(MacroInfo{}), 0);
    EXPECT_EQ(db.AddMacroStep(MacroStep{}), 0);
    db.AddMacroSteps({MacroStep{}});
    EXPECT_FALSE(db.DeleteMacro(1));
    EXPECT_EQ(db.SaveKeyMapping(Mapping(1, 1, 1, 1)), 0);
    std::vector<MacroInfo> macros(1);
    EXPECT_EQ(db.ListMacros(macros), 0);
    EXPECT_TRUE(macros.empty());
    EXPECT_EQ(db.GetActiveLightMode(1), 3);
    EXPECT_FALSE(db.UpdateLight(1, 3, LightSetting{}));
}

// ---- Light rows --------------------------------------------------------------------------

TEST_F(TablesTest, ADatabaseOfThisProgramHasNoLightRows) {
    LightSetting light{1, 1, u"n", 3, 50, 2, 1, 1, 0, 255, 0, 0, 1};
    EXPECT_EQ(m_db.GetActiveLightMode(1), 3);
    EXPECT_FALSE(m_db.GetLight(1, 3, light));
    EXPECT_EQ(light.brightness, 50);
    EXPECT_TRUE(m_db.UpdateLight(1, 3, light));
    EXPECT_TRUE(m_db.SetActiveLightMode(1, 3));
    std::vector<LightSetting> list;
    EXPECT_EQ(m_db.ListLights(1, list), 0);
    EXPECT_EQ(Count("t_light_data"), "0");
}

TEST_F(TablesTest, LightRowsOfAnImportedFileAreReadAndUpdated) {
    ASSERT_TRUE(store_test::Run(
        m_path,
        "INSERT INTO t_light_data(profile, name, mode, brightness, speed, direction, colorful, "
        "colorindex, color_value, config_func, reserved, status) VALUES "
        "(1, 'wave', 1, 10, 1, 0, 1, 0, 255, 0, 0, 1), (1, 'breath', 2, 20, 2, 1, 0, 2, 65280, "
        "1, 0, 0), (2, 'breath', 2, 30, 3, 0, 0, 0, 0, 0, 0, 1)"));
    EXPECT_EQ(m_db.GetActiveLightMode(1), 1);
    EXPECT_TRUE(m_db.SetActiveLightMode(1, 2));
    EXPECT_EQ(m_db.GetActiveLightMode(1), 2);
    EXPECT_EQ(QueryOne(m_path, "SELECT group_concat(status) FROM t_light_data"), "0,1,1");

    LightSetting changed{99, 99, u"ignored", 99, 80, 4, 1, 1, 3, 16711680, 2, 7, 0};
    EXPECT_TRUE(m_db.UpdateLight(1, 2, changed));
    LightSetting read;
    ASSERT_TRUE(m_db.GetLight(1, 2, read));
    EXPECT_EQ(read, (LightSetting{2, 1, u"breath", 2, 80, 4, 1, 1, 3, 16711680, 2, 7, 1}));
    ASSERT_TRUE(m_db.GetLight(2, 2, read));
    EXPECT_EQ(read.brightness, 30);  // another profile's row is untouched

    std::vector<LightSetting> list;
    EXPECT_EQ(m_db.ListLights(1, list), 2);
    EXPECT_EQ(list[0].name, u"wave");
}

}  // namespace
}  // namespace store
