#include "store/ProfileDatabase.h"

#include <sys/stat.h>

#include <array>

#include "store/SQLiteStatement.h"
#include "store/Utf8Text.h"

namespace store {

namespace {

// The schema, created in this order when the file is new. Every primary key is
// AUTOINCREMENT, so ids are never reused until ClearAll restarts the counters, and every index
// repeats its table's primary key.
constexpr std::array<const char*, 15> kSchema{{
    "CREATE TABLE IF NOT EXISTS t_configdata(config_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "profile INTEGER, key TEXT, value TEXT)",
    "CREATE TABLE IF NOT EXISTS t_profile_data(profile INTEGER PRIMARY KEY AUTOINCREMENT, "
    "name TEXT, status INTEGER, app TEXT, type INTEGER)",
    "CREATE INDEX IF NOT EXISTS profileindex ON t_profile_data(profile)",
    "CREATE TABLE IF NOT EXISTS t_key_macro_data(key_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "profile INTEGER, fn_layer INTEGER, key_code INTEGER, layout_value INTEGER, "
    "layout_desc TEXT, macro_type INTEGER, macro_value INTEGER, macro_value2 INTEGER, "
    "macro_value3 INTEGER, macro_desc TEXT)",
    "CREATE INDEX IF NOT EXISTS keyindex ON t_key_macro_data(key_id)",
    "CREATE TABLE IF NOT EXISTS t_key_otherdata(macro_value INTEGER PRIMARY KEY AUTOINCREMENT, "
    "macro_desc TEXT, param TEXT, type INTEGER)",
    "CREATE INDEX IF NOT EXISTS otheridindex ON t_key_otherdata(macro_value)",
    "CREATE TABLE IF NOT EXISTS t_macro_data(macro_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "name TEXT, play_type INTEGER, play_times INTEGER, delay_type INTEGER, delay_time INTEGER)",
    "CREATE INDEX IF NOT EXISTS macroidindex ON t_macro_data(macro_id)",
    "CREATE TABLE IF NOT EXISTS t_macrorecord(record_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "macro_id INTEGER, type INTEGER, record_index INTEGER, desc TEXT, value INTEGER, "
    "delay_time INTEGER)",
    "CREATE INDEX IF NOT EXISTS macrorecordindex ON t_macrorecord(record_id)",
    "CREATE TABLE IF NOT EXISTS t_light_data(light_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "profile INTEGER, name TEXT, mode INTEGER, brightness INTEGER, speed INTEGER, "
    "direction INTEGER, colorful INTEGER, colorindex INTEGER, color_value INTEGER, "
    "config_func INTEGER, reserved INTEGER, status INTEGER)",
    "CREATE INDEX IF NOT EXISTS lightindex ON t_light_data(light_id)",
    "CREATE TABLE IF NOT EXISTS t_key_light_data(keylight_id INTEGER PRIMARY KEY "
    "AUTOINCREMENT, profile INTEGER, light_id INTEGER, key_code INTEGER, key_rgb INTEGER)",
    "CREATE INDEX IF NOT EXISTS keylightindex ON t_key_light_data(keylight_id)",
}};

// Emptying the database. The three tables after t_key_light_data are not part of this schema:
// their statements fail to prepare and are skipped. Emptying sqlite_sequence restarts every id
// counter.
constexpr std::array<const char*, 12> kClearStatements{{
    "DELETE FROM t_configdata",
    "DELETE FROM t_profile_data",
    "DELETE FROM t_key_macro_data",
    "DELETE FROM t_key_otherdata",
    "DELETE FROM t_macro_data",
    "DELETE FROM t_macrorecord",
    "DELETE FROM t_light_data",
    "DELETE FROM t_key_light_data",
    "DELETE FROM t_customlight_data",
    "DELETE FROM t_customrgb_data",
    "DELETE FROM t_musiclayer_data",
    "DELETE FROM sqlite_sequence",
}};

// True when something (a file, a folder) exists at the path.
bool PathExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

}  // namespace

ProfileDatabase& ProfileDatabase::Instance() {
    static ProfileDatabase instance;
    return instance;
}

std::unique_lock<std::recursive_mutex> ProfileDatabase::Hold() {
    return std::unique_lock<std::recursive_mutex>(m_lock);
}

std::string ProfileDatabase::DatabaseFilePath(const std::string& folder, std::u16string_view name) {
    return folder + "db/" + ToUtf8(name) + "_data_trq.db";
}

bool ProfileDatabase::OpenForDevice(const std::string& folder, std::u16string_view name) {
    std::lock_guard hold(m_lock);
    m_path = DatabaseFilePath(folder, name);
    bool result;
    if (PathExists(m_path)) {
        result = m_db.IsOpen() || m_db.Open(m_path.c_str(), m_key, SQLiteDB::kOpenExisting);
    } else {
        result = CreateSchema();
    }
    m_opened = result;
    return result;
}

bool ProfileDatabase::OpenAndClear(const std::string& folder, std::u16string_view name) {
    std::lock_guard hold(m_lock);
    const bool result = OpenForDevice(folder, name);
    ClearAll();
    return result;
}

bool ProfileDatabase::CreateSchema() {
    std::lock_guard hold(m_lock);
    if (m_db.IsOpen()) {
        return true;
    }
    // Without a path SQLite would open a nameless temporary database.
    if (m_path.empty() || !m_db.Open(m_path.c_str(), m_key, SQLiteDB::kOpenCreate)) {
        return false;
    }
    bool all = true;
    for (const char* statement : kSchema) {
        if (m_db.Exec(statement) != 0) {
            all = false;
        }
    }
    return all;
}

void ProfileDatabase::ClearAll() {
    std::lock_guard hold(m_lock);
    SQLiteStatement statement;
    for (const char* sql : kClearStatements) {
        m_db.Prepare(statement, sql);
        statement.Step();
    }
}

bool ProfileDatabase::Close() {
    std::lock_guard hold(m_lock);
    return m_db.Close();
}

bool ProfileDatabase::IsOpen() const {
    std::lock_guard hold(m_lock);
    return m_db.IsOpen();
}

bool ProfileDatabase::SelectDatabase(const std::string& folder, std::u16string_view name,
                                     int deviceType) {
    std::lock_guard hold(m_lock);
    if (m_opened || m_db.IsOpen()) {
        m_db.Close();
        m_opened = false;
    }
    const bool result = OpenForDevice(folder, name);
    m_deviceType = deviceType;
    return result;
}

bool ProfileDatabase::IsOpened() const {
    std::lock_guard hold(m_lock);
    return m_opened;
}

int ProfileDatabase::DeviceType() const {
    std::lock_guard hold(m_lock);
    return m_deviceType;
}

void ProfileDatabase::SetDeviceType(int deviceType) {
    std::lock_guard hold(m_lock);
    m_deviceType = deviceType;
}

std::string ProfileDatabase::DatabasePath() const {
    std::lock_guard hold(m_lock);
    return m_path;
}

void ProfileDatabase::SetConnectionKindQuery(ConnectionKindQuery query) {
    std::lock_guard hold(m_lock);
    m_connectionKind = std::move(query);
}

int ProfileDatabase::InsertedId(int stepResult) const {
    if (!StepSucceeded(stepResult)) {
        return 0;
    }
    return static_cast<int>(m_db.LastInsertRowId());
}

}  // namespace store
