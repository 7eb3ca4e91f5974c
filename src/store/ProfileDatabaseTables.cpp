// Button assignments, macros with their steps, and light rows.
#include <string>

#include "store/ProfileDatabase.h"
#include "store/SQLiteAutoTransaction.h"
#include "store/SQLiteStatement.h"
#include "store/Utf8Text.h"

namespace store {

namespace {

constexpr const char* kInsertMacro =
    "INSERT INTO t_macro_data(name, play_type, play_times, delay_type, delay_time) VALUES (?, ?, "
    "?, ?, ?);";
constexpr const char* kInsertStep =
    "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) "
    "\t\t\t\t\t VALUES (?, ?, ?, ?, ?, ?);";

KeyMapping ReadKeyMapping(SQLiteStatement& statement) {
    KeyMapping mapping;
    mapping.key_id = statement.ColumnInt(0);
    mapping.profile = statement.ColumnInt(1);
    mapping.fn_layer = statement.ColumnInt(2);
    mapping.key_code = statement.ColumnInt(3);
    mapping.layout_value = statement.ColumnInt(4);
    mapping.layout_desc = FromUtf8(statement.ColumnText(5));
    mapping.macro_type = statement.ColumnInt(6);
    mapping.macro_value = statement.ColumnInt(7);
    mapping.macro_value2 = statement.ColumnInt(8);
    mapping.macro_value3 = statement.ColumnInt(9);
    mapping.macro_desc = FromUtf8(statement.ColumnText(10));
    return mapping;
}

MacroInfo ReadMacro(SQLiteStatement& statement) {
    MacroInfo macro;
    macro.macro_id = statement.ColumnInt(0);
    macro.name = FromUtf8(statement.ColumnText(1));
    macro.play_type = statement.ColumnInt(2);
    macro.play_times = statement.ColumnInt(3);
    macro.delay_type = statement.ColumnInt(4);
    macro.delay_time = statement.ColumnInt(5);
    return macro;
}

MacroStep ReadStep(SQLiteStatement& statement) {
    MacroStep step;
    step.record_id = statement.ColumnInt(0);
    step.macro_id = statement.ColumnInt(1);
    step.type = statement.ColumnInt(2);
    step.record_index = statement.ColumnInt(3);
    step.desc = FromUtf8(statement.ColumnText(4));
    step.value = statement.ColumnInt(5);
    step.delay_time = statement.ColumnInt(6);
    return step;
}

LightSetting ReadLight(SQLiteStatement& statement) {
    LightSetting light;
    light.light_id = statement.ColumnInt(0);
    light.profile = statement.ColumnInt(1);
    light.name = FromUtf8(statement.ColumnText(2));
    light.mode = statement.ColumnInt(3);
    light.brightness = statement.ColumnInt(4);
    light.speed = statement.ColumnInt(5);
    light.direction = statement.ColumnInt(6);
    light.colorful = statement.ColumnInt(7);
    light.colorindex = statement.ColumnInt(8);
    light.color_value = statement.ColumnInt(9);
    light.config_func = statement.ColumnInt(10);
    light.reserved = statement.ColumnInt(11);
    light.status = statement.ColumnInt(12);
    return light;
}

// Binds the statement of kInsertStep for one step; `desc` is the step's text in UTF-8, kept
// alive by the caller until the step has run.
void BindStep(SQLiteStatement& statement, const MacroStep& step, const std::string& desc) {
    statement.BindInt(1, step.macro_id);
    statement.BindInt(2, step.type);
    statement.BindInt(3, step.record_index);
    statement.BindText(4, desc);
    statement.BindInt(5, step.value);
    statement.BindInt(6, step.delay_time);
}

}  // namespace

// ---- Button assignments ------------------------------------------------------------------

int ProfileDatabase::SaveKeyMapping(const KeyMapping& mapping) {
    std::lock_guard hold(m_lock);
    const bool store = mapping.macro_value != 0 || mapping.macro_value2 != 0;
    // The old row is deleted before the new one is inserted. A savepoint around the pair lets
    // a failed insert bring the old row back instead of leaving the button without its
    // assignment.
    const bool guarded = store && m_db.Exec("SAVEPOINT save_key_mapping") == 0;

    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = "
                 "?");
    statement.BindInt(1, mapping.profile);
    statement.BindInt(2, mapping.fn_layer);
    statement.BindInt(3, mapping.key_code);
    statement.Step();
    if (!store) {
        return 0;
    }

    const std::string layoutDesc = ToUtf8(mapping.layout_desc);
    const std::string macroDesc = ToUtf8(mapping.macro_desc);
    m_db.Prepare(statement,
                 "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, "
                 "layout_desc,                     macro_type, macro_value, macro_value2, "
                 "macro_value3, macro_desc) \t\t\t\t\t VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
    statement.BindInt(1, mapping.profile);
    statement.BindInt(2, mapping.fn_layer);
    statement.BindInt(3, mapping.key_code);
    statement.BindInt(4, mapping.layout_value);
    statement.BindText(5, layoutDesc);
    statement.BindInt(6, mapping.macro_type);
    statement.BindInt(7, mapping.macro_value);
    statement.BindInt(8, mapping.macro_value2);
    statement.BindInt(9, mapping.macro_value3);
    statement.BindText(10, macroDesc);
    const int id = InsertedId(statement.Step());
    statement.Finalize();
    if (guarded) {
        if (id == 0) {
            m_db.Exec("ROLLBACK TO save_key_mapping");
        }
        m_db.Exec("RELEASE save_key_mapping");
    }
    return id;
}

bool ProfileDatabase::GetKeyMapping(int profile, int keyCode, KeyMapping& mapping) {
    std::lock_guard hold(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code "
                 "= ?");
    statement.BindInt(1, profile);
    statement.BindInt(2, 0);
    statement.BindInt(3, keyCode);
    if (statement.Step() != 100) {
        return false;
    }
    mapping = ReadKeyMapping(statement);
    return true;
}

bool ProfileDatabase::SetKeyMacroDesc(int profile, int keyCode, std::u16string_view desc) {
    std::lock_guard hold(m_lock);
    const std::string descText = ToUtf8(desc);
    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "UPDATE t_key_macro_data SET macro_desc = ? WHERE profile = ? and fn_layer = ? "
                 "and key_code = ?");
    statement.BindText(1, descText);
    statement.BindInt(2, profile);
    statement.BindInt(3, 0);
    statement.BindInt(4, keyCode);
    return StepSucceeded(statement.Step());
}

int ProfileDatabase::ListKeyMappings(int profile, std::vector<KeyMapping>& list) {
    std::lock_guard hold(m_lock);
    list.clear();
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?");
    statement.BindInt(1, profile);
    statement.BindInt(2, 0);
    while (statement.Step() == 100) {
        list.push_back(ReadKeyMapping(statement));
    }
    return static_cast<int>(list.size());
}

bool ProfileDatabase::DeleteKeyMappings(int profile) {
    std::lock_guard hold(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "DELETE FROM t_key_macro_data WHERE profile = ?");
    statement.BindInt(1, profile);
    return StepSucceeded(statement.Step());
}

// ---- Macros ------------------------------------------------------------------------------

int ProfileDatabase::AddMacro(std::u16string_view name) {
    MacroInfo macro;
    macro.name = name;
    macro.play_type = 0;
    macro.play_times = 1;
    macro.delay_type = 1;
    macro.delay_time = 0;
    return InsertMacro(macro);
}

int ProfileDatabase::InsertMacro(const MacroInfo& macro) {
    std::lock_guard hold(m_lock);
    const std::string name = ToUtf8(macro.name);
    SQLiteStatement statement;
    m_db.Prepare(statement, kInsertMacro);
    statement.BindText(1, name);
    statement.BindInt(2, macro.play_type);
    statement.BindInt(3, macro.play_times);
    statement.BindInt(4, macro.delay_type);
    statement.BindInt(5, macro.delay_time);
    return InsertedId(statement.Step());
}

bool ProfileDatabase::RenameMacro(int macroId, std::u16string_view name) {
    std::lock_guard hold(m_lock);
    const std::string nameText = ToUtf8(name);
    SQLiteStatement statement;
    m_db.Prepare(statement, "UPDATE t_macro_data SET name = ? WHERE macro_id = ?");
    statement.BindText(1, nameText);
    statement.BindInt(2, macroId);
    return StepSucceeded(statement.Step());
}

bool ProfileDatabase::UpdateMacro(int macroId, const MacroInfo& macro) {
    std::lock_guard hold(m_lock);
    const std::string name = ToUtf8(macro.name);
    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "UPDATE t_macro_data SET name = ?, play_type = ?, play_times = ?, delay_type = "
                 "?,delay_time = ? WHERE macro_id = ?");
    statement.BindText(1, name);
    statement.BindInt(2, macro.play_type);
    statement.BindInt(3, macro.play_times);
    statement.BindInt(4, macro.delay_type);
    statement.BindInt(5, macro.delay_time);
    statement.BindInt(6, macroId);
    return StepSucceeded(statement.Step());
}

bool ProfileDatabase::GetMacro(int macroId, MacroInfo& macro) {
    std::lock_guard hold(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_macro_data WHERE macro_id = ?");
    statement.BindInt(1, macroId);
    if (statement.Step() != 100) {
        return false;
    }
    macro = ReadMacro(statement);
    return true;
}

int ProfileDatabase::ListMacros(std::vector<MacroInfo>& list) {
    std::lock_guard hold(m_lock);
    list.clear();
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_macro_data");
    while (statement.Step() == 100) {
        list.push_back(ReadMacro(statement));
    }
    return static_cast<int>(list.size());
}

bool ProfileDatabase::DeleteMacro(int macroId) {
    std::lock_guard hold(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "DELETE FROM t_macro_data WHERE macro_id = ?");
    statement.BindInt(1, macroId);
    if (!StepSucceeded(statement.Step())) {
        return false;
    }
    m_db.Prepare(statement, "DELETE FROM t_macrorecord WHERE macro_id = ?");
    statement.BindInt(1, macroId);
    return StepSucceeded(statement.Step());
}

// ---- Macro steps -------------------------------------------------------------------------

int ProfileDatabase::AddMacroStep(const MacroStep& step) {
    std::lock_guard hold(m_lock);
    const std::string desc = ToUtf8(step.desc);
    SQLiteStatement statement;
    m_db.Prepare(statement, kInsertStep);
    BindStep(statement, step, desc);
    return InsertedId(statement.Step());
}

void ProfileDatabase::AddMacroSteps(std::vector<MacroStep> steps) {
    std::lock_guard hold(m_lock);
    SQLiteAutoTransaction transaction(&m_db);
    transaction.Begin();
    for (const MacroStep& step : steps) {
        const std::string desc = ToUtf8(step.desc);
        SQLiteStatement statement;
        m_db.Prepare(statement, kInsertStep);
        BindStep(statement, step, desc);
        statement.Step();
    }
    transaction.End();
}

int ProfileDatabase::ListMacroSteps(int macroId, std::vector<MacroStep>& list) {
    std::lock_guard hold(m_lock);
    list.clear();
    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC");
    statement.BindInt(1, macroId);
    while (statement.Step() == 100) {
        list.push_back(ReadStep(statement));
    }
    return static_cast<int>(list.size());
}

bool ProfileDatabase::DeleteMacroSteps(int macroId) {
    std::lock_guard hold(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "DELETE FROM t_macrorecord WHERE macro_id = ?");
    statement.BindInt(1, macroId);
    return StepSucceeded(statement.Step());
}

// ---- Light rows --------------------------------------------------------------------------

bool ProfileDatabase::UpdateLight(int profile, int mode, const LightSetting& light) {
    std::lock_guard hold(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, colorful = ?, "
                 "colorindex = ?,\t\t\t color_value = ?, config_func = ?, reserved = ? WHERE "
                 "profile = ? AND mode = ?");
    statement.BindInt(1, light.brightness);
    statement.BindInt(2, light.speed);
    statement.BindInt(3, light.direction);
    statement.BindInt(4, light.colorful);
    statement.BindInt(5, light.colorindex);
    statement.BindInt(6, light.color_value);
    statement.BindInt(7, light.config_func);
    statement.BindInt(8, light.reserved);
    statement.BindInt(9, profile);
    statement.BindInt(10, mode);
    return StepSucceeded(statement.Step());
}

bool ProfileDatabase::SetActiveLightMode(int profile, int mode) {
    std::lock_guard hold(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "UPDATE t_light_data SET status = ? WHERE profile = ?");
    statement.BindInt(1, 0);
    statement.BindInt(2, profile);
    statement.Step();
    m_db.Prepare(statement, "UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?");
    statement.BindInt(1, 1);
    statement.BindInt(2, profile);
    statement.BindInt(3, mode);
    return StepSucceeded(statement.Step());
}

int ProfileDatabase::GetActiveLightMode(int profile) {
    std::lock_guard hold(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT mode FROM t_light_data WHERE profile = ? and status = ?");
    statement.BindInt(1, profile);
    statement.BindInt(2, 1);
    if (statement.Step() != 100) {
        return 3;
    }
    return statement.ColumnInt(0);
}

bool ProfileDatabase::GetLight(int profile, int mode, LightSetting& light) {
    std::lock_guard hold(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_light_data WHERE profile = ? AND mode = ?");
    statement.BindInt(1, profile);
    statement.BindInt(2, mode);
    if (statement.Step() != 100) {
        return false;
    }
    light = ReadLight(statement);
    return true;
}

int ProfileDatabase::ListLights(int profile, std::vector<LightSetting>& list) {
    std::lock_guard hold(m_lock);
    list.clear();
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_light_data WHERE profile = ?");
    statement.BindInt(1, profile);
    while (statement.Step() == 100) {
        list.push_back(ReadLight(statement));
    }
    return static_cast<int>(list.size());
}

}  // namespace store
