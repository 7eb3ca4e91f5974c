#pragma once

namespace store {

class SQLiteDB;

// Brackets a group of writes in one transaction. Constructing it already begins the
// transaction (on an open connection), so a following Begin() answers false without effect;
// the one "END" (the same as "COMMIT") comes from End() or, failing that, from the destructor.
class SQLiteAutoTransaction {
  public:
    // Remembers `db` (may be null). With a connection that is open, executes "BEGIN"; with any
    // non-null `db` the transaction then counts as active, even over a closed connection.
    explicit SQLiteAutoTransaction(SQLiteDB* db);
    SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
    SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;
    // While active: executes "END" if the connection is open, and stops being active.
    virtual ~SQLiteAutoTransaction();

    // False without a database or when already active, and nothing happens. Over a closed
    // connection: becomes active and answers false. Otherwise executes "BEGIN", becomes active
    // and answers whether "BEGIN" succeeded.
    bool Begin();

    // False without a database. Over a closed connection: stops being active and answers
    // false. Otherwise executes "END", stops being active and answers whether it succeeded.
    bool End();

    bool IsActive() const { return m_active; }

  private:
    SQLiteDB* m_db = nullptr;  // the connection worked on, or null
    bool m_active = false;     // a transaction was begun and not yet ended
};

}  // namespace store
