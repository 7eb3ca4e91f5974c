#include "StoreTestSupport.h"

#include <sqlite3.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "i18n/Language.h"
#include "support/TempHome.h"

namespace store_test {

namespace {

int Collect(void* out, int count, char** values, char**) {
    Row row;
    for (int i = 0; i < count; ++i) {
        row.push_back(values[i] ? values[i] : "<null>");
    }
    static_cast<Rows*>(out)->push_back(std::move(row));
    return 0;
}

Rows Execute(const std::string& path, const std::string& sql, int flags, bool* ok) {
    Rows rows;
    sqlite3* db = nullptr;
    char* message = nullptr;
    int result = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (result == SQLITE_OK) {
        result = sqlite3_exec(db, sql.c_str(), Collect, &rows, &message);
    }
    if (result != SQLITE_OK) {
        rows = {{"<error>", message ? message : sqlite3_errstr(result)}};
    }
    sqlite3_free(message);
    sqlite3_close(db);
    if (ok) {
        *ok = result == SQLITE_OK;
    }
    return rows;
}

}  // namespace

Rows Query(const std::string& path, const std::string& sql) {
    return Execute(path, sql, SQLITE_OPEN_READONLY, nullptr);
}

std::string QueryOne(const std::string& path, const std::string& sql) {
    const Rows rows = Query(path, sql);
    return rows.empty() || rows[0].empty() ? "<none>" : rows[0][0];
}

bool Run(const std::string& path, const std::string& sql) {
    bool ok = false;
    Execute(path, sql, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, &ok);
    return ok;
}

std::string FileBytes(const std::string& path) {
    if (!Exists(path)) {
        return "<missing>";
    }
    return testing_support::ReadFile(path);
}

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

StoreFolder::StoreFolder() {
    m_folder = testing_support::MakeTempFolder("store") + "/";
    std::filesystem::create_directories(m_folder + "db");
}

StoreFolder::~StoreFolder() {
    testing_support::RemoveTree(m_folder);
}

std::string StoreFolder::PathOf(const std::u16string& name) const {
    return store::ProfileDatabase::DatabaseFilePath(m_folder, name);
}

ScopedLanguage::ScopedLanguage(int language) : m_previous(i18n::CurrentLanguage()) {
    i18n::SetCurrentLanguage(language);
}

ScopedLanguage::~ScopedLanguage() {
    i18n::SetCurrentLanguage(m_previous);
}

ScopedUnprivileged::ScopedUnprivileged() {
    if (geteuid() != 0) {
        return;
    }
    chmod(testing_support::TestHome().c_str(), 0711);
    m_previous = setfsuid(65534);
}

ScopedUnprivileged::~ScopedUnprivileged() {
    if (m_previous >= 0) {
        setfsuid(static_cast<uid_t>(m_previous));
    }
}

}  // namespace store_test
