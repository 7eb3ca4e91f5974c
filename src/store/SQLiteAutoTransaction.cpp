#include "store/SQLiteAutoTransaction.h"

#include "store/SQLiteDB.h"

namespace store {

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* db) : m_db(db) {
    if (m_db == nullptr) {
        return;
    }
    if (m_db->IsOpen()) {
        m_db->Exec("BEGIN");
    }
    m_active = true;
}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
    if (m_active && m_db != nullptr) {
        if (m_db->IsOpen()) {
            m_db->Exec("END");
        }
        m_active = false;
    }
}

bool SQLiteAutoTransaction::Begin() {
    if (m_db == nullptr || m_active) {
        return false;
    }
    m_active = true;
    if (!m_db->IsOpen()) {
        return false;
    }
    return m_db->Exec("BEGIN") == 0;
}

bool SQLiteAutoTransaction::End() {
    if (m_db == nullptr) {
        return false;
    }
    m_active = false;
    if (!m_db->IsOpen()) {
        return false;
    }
    return m_db->Exec("END") == 0;
}

}  // namespace store
