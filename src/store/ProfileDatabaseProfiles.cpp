// Profiles: rows of t_profile_data, ids 1 to 5, exactly one of them active.
#include <string>

#include "i18n/Language.h"
#include "store/ProfileDatabase.h"
#include "store/ProfileNameLabel.h"
#include "store/SQLiteStatement.h"
#include "store/Utf8Text.h"

namespace store {

int ProfileDatabase::AddProfile(const ProfileInfo& info) {
    std::lock_guard hold(m_lock);
    const std::string name = ToUtf8(info.name);
    const std::string app = ToUtf8(info.app);
    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);");
    statement.BindText(1, name);
    statement.BindInt(2, 0);
    statement.BindText(3, app);
    statement.BindInt(4, 0);
    const int id = InsertedId(statement.Step());
    // A profile that could not be stored gets no configuration rows: rows of a profile 0 would
    // belong to nothing and pile up at every refresh of a file whose profile table is broken.
    if (id != 0) {
        InsertConfigDefaults(id);
    }
    return id;
}

int ProfileDatabase::ListProfiles(std::vector<ProfileInfo>& list) {
    std::lock_guard hold(m_lock);
    list.clear();
    const int language = i18n::CurrentLanguage();
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_profile_data");
    while (statement.Step() == 100) {
        ProfileInfo info;
        info.profile = statement.ColumnInt(0);
        info.name = RelabelProfileName(FromUtf8(statement.ColumnText(1)), language);
        info.status = statement.ColumnInt(2);
        info.app = FromUtf8(statement.ColumnText(3));
        info.type = statement.ColumnInt(4);
        list.push_back(std::move(info));
    }
    return static_cast<int>(list.size());
}

bool ProfileDatabase::SetActiveProfile(int id) {
    std::lock_guard hold(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "UPDATE t_profile_data SET status = ?");
    statement.BindInt(1, 0);
    statement.Step();
    m_db.Prepare(statement, "UPDATE t_profile_data SET status = ? WHERE profile = ?");
    statement.BindInt(1, 1);
    statement.BindInt(2, id);
    return StepSucceeded(statement.Step());
}

int ProfileDatabase::GetActiveProfile() {
    std::lock_guard hold(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT profile FROM t_profile_data WHERE status = ?");
    statement.BindInt(1, 1);
    if (statement.Step() != 100) {
        return 0;
    }
    return statement.ColumnInt(0);
}

bool ProfileDatabase::EnsureDefaultProfiles() {
    std::lock_guard hold(m_lock);
    std::vector<ProfileInfo> list;
    if (ListProfiles(list) >= 1) {
        return false;
    }
    for (int name : kDefaultProfileNames) {
        ProfileInfo info;
        const std::string digits = std::to_string(name);
        info.name.assign(digits.begin(), digits.end());
        AddProfile(info);
    }
    SetActiveProfile(1);
    return true;
}

int ProfileDatabase::EnsureActiveProfile() {
    std::lock_guard hold(m_lock);
    int id = GetActiveProfile();
    if (id < 1) {
        SetActiveProfile(1);
        id = GetActiveProfile();
    }
    return id;
}

}  // namespace store
