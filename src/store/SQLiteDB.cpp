#include "store/SQLiteDB.h"

#include <sqlite3.h>

#include <cstring>

#include "store/SQLiteStatement.h"

namespace store {

SQLiteDB::~SQLiteDB() {
    Release();
}

void SQLiteDB::Release() {
    if (m_db == nullptr) {
        return;
    }
    sqlite3_interrupt(m_db);
    if (sqlite3_close(m_db) != SQLITE_OK) {
        sqlite3_close_v2(m_db);
    }
    m_db = nullptr;
}

bool SQLiteDB::Open(const char* fileName, const std::string& key, int flags) {
    Release();
    if (fileName == nullptr) {
        return false;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(fileName, &db, flags, nullptr) != SQLITE_OK) {
        // SQLite hands back a handle even when opening failed; it must be closed.
        sqlite3_close(db);
        return false;
    }
    m_db = db;
    sqlite3_exec(m_db, "PRAGMA synchronous = OFF; ", nullptr, nullptr, nullptr);
    if (key.empty()) {
        return true;
    }
    Release();
    return false;
}

bool SQLiteDB::Close() {
    if (m_db == nullptr) {
        return true;
    }
    if (sqlite3_close(m_db) != SQLITE_OK) {
        return false;
    }
    m_db = nullptr;
    return true;
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sql, int length) {
    statement.Finalize();
    if (m_db == nullptr || sql == nullptr) {
        return SQLITE_MISUSE;
    }
    if (length < 0) {
        length = static_cast<int>(std::strlen(sql)) + 1;
    }
    return sqlite3_prepare_v2(m_db, sql, length, &statement.m_statement, nullptr);
}

int SQLiteDB::Exec(const char* sql, int (*callback)(void*, int, char**, char**), void* argument) {
    if (m_db == nullptr || sql == nullptr) {
        return SQLITE_MISUSE;
    }
    return sqlite3_exec(m_db, sql, callback, argument, nullptr);
}

int64_t SQLiteDB::LastInsertRowId() const {
    if (m_db == nullptr) {
        return -1;
    }
    return sqlite3_last_insert_rowid(m_db);
}

}  // namespace store
