#include "store/SQLiteStatement.h"

#include <sqlite3.h>

namespace store {

SQLiteStatement::~SQLiteStatement() {
    Finalize();
}

int SQLiteStatement::BindInt(int index, int value) {
    if (m_statement == nullptr) {
        return SQLITE_MISUSE;
    }
    return sqlite3_bind_int(m_statement, index, value);
}

int SQLiteStatement::BindText(int index, const char* bytes, int length) {
    if (m_statement == nullptr) {
        return SQLITE_MISUSE;
    }
    return sqlite3_bind_text(m_statement, index, bytes, length, SQLITE_STATIC);
}

int SQLiteStatement::BindText(int index, const std::string& text) {
    return BindText(index, text.c_str(), static_cast<int>(text.size()));
}

int SQLiteStatement::Step() {
    if (m_statement == nullptr) {
        return SQLITE_MISUSE;
    }
    return sqlite3_step(m_statement);
}

bool SQLiteStatement::HasColumn(int index) const {
    return index >= 0 && index < sqlite3_data_count(m_statement);
}

int SQLiteStatement::ColumnInt(int index) {
    if (m_statement == nullptr || !HasColumn(index)) {
        return 0;
    }
    return sqlite3_column_int(m_statement, index);
}

const char* SQLiteStatement::ColumnText(int index) {
    if (m_statement == nullptr || !HasColumn(index)) {
        return nullptr;
    }
    return reinterpret_cast<const char*>(sqlite3_column_text(m_statement, index));
}

int SQLiteStatement::Finalize() {
    if (m_statement == nullptr) {
        return SQLITE_OK;
    }
    // sqlite3_finalize destroys the statement even when it answers the error of the last step,
    // so the handle must be forgotten in every case; keeping it would finalise freed memory
    // on the next prepare or at destruction.
    const int result = sqlite3_finalize(m_statement);
    m_statement = nullptr;
    return result;
}

}  // namespace store
