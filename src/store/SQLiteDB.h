#pragma once

#include <cstdint>
#include <string>

struct sqlite3;

namespace store {

class SQLiteStatement;

// One SQLite connection. SQL texts, file names and text values cross this class as UTF-8.
// Results are SQLite's own codes, passed through unchanged: 0 OK, 21 misuse, 100 a row is
// ready, 101 done. Every operation on a closed connection answers 21 (or false / -1) without
// calling SQLite. The class has no lock: connections are opened in SQLite's serialized mode and
// the profile store serialises its operations itself.
class SQLiteDB {
  public:
    // Flags of the two ways the store opens a file: read-write without creating it, and
    // read-write creating it; both in SQLite's serialized threading mode.
    static constexpr int kOpenExisting = 0x00010002;
    static constexpr int kOpenCreate = 0x00010006;

    SQLiteDB() = default;
    SQLiteDB(const SQLiteDB&) = delete;
    SQLiteDB& operator=(const SQLiteDB&) = delete;
    // Interrupts whatever runs on the connection, then closes it.
    virtual ~SQLiteDB();

    // Opens `fileName` (UTF-8) with SQLite's open flags, first closing a connection that is
    // still held. Every new connection runs "PRAGMA synchronous = OFF" so that the many small
    // writes of the settings pages cost no disk flush each. The key must be empty: this build
    // has no page-encryption codec, so a non-empty key closes the new connection again and
    // fails rather than leave a file unenciphered that the caller wanted enciphered. False with
    // a null name or when SQLite refuses; the object is then closed.
    bool Open(const char* fileName, const std::string& key, int flags);

    // True with no connection. Otherwise closes it and returns true, or, when SQLite refuses
    // (a statement is still prepared), keeps the connection usable and returns false.
    bool Close();

    // True while a connection is held.
    bool IsOpen() const { return m_db != nullptr; }

    // Finalises what `statement` held, then prepares `sql` into it. A negative `length` takes
    // the text with its terminating zero. 21 with no connection or no SQL text; otherwise
    // SQLite's code (the statement recompiles itself after schema changes).
    int Prepare(SQLiteStatement& statement, const char* sql, int length = -1);

    // Runs one or more SQL statements at once; `callback` (may be null) gets each result row.
    // 21 with no connection or no SQL text, else SQLite's code. Messages are not collected.
    int Exec(const char* sql, int (*callback)(void*, int, char**, char**) = nullptr,
             void* argument = nullptr);

    // Row id of the connection's most recent successful insert; -1 with no connection.
    int64_t LastInsertRowId() const;

  private:
    // Gives up the held connection for good: interrupts it and closes it. When a statement
    // still holds it, the connection is handed to SQLite to close as soon as that statement is
    // finalised, so it never leaks.
    void Release();

    sqlite3* m_db = nullptr;  // the connection, or null while closed
};

}  // namespace store
