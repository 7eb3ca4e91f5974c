#pragma once

#include <string>

struct sqlite3_stmt;

namespace store {

class SQLiteDB;

// One prepared SQL statement. The object is reused: SQLiteDB::Prepare finalises whatever it
// held before preparing new SQL into it. Every operation on an object without a statement
// answers the misuse code 21 (or 0 / null) without calling SQLite. A statement belongs to the
// store operation that prepared it and is never shared between threads.
class SQLiteStatement {
  public:
    SQLiteStatement() = default;
    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;
    // Finalises the statement it holds.
    virtual ~SQLiteStatement();

    // Binds a 32-bit integer to parameter `index` (1-based). 21 without a statement, else
    // SQLite's bind result.
    int BindInt(int index, int value);

    // Binds `length` bytes of UTF-8 (without terminator) to parameter `index` (1-based). The
    // bytes are not copied: the caller keeps the buffer alive and unchanged until the statement
    // has been stepped. 21 without a statement, else SQLite's bind result.
    int BindText(int index, const char* bytes, int length);
    // The same for the whole of a string the caller keeps alive. A temporary string would be
    // gone before the step, so binding one does not compile.
    int BindText(int index, const std::string& text);
    int BindText(int index, std::string&& text) = delete;

    // Runs the statement one step: 100 while a row is ready, 101 when done, an error code
    // otherwise; 21 without a statement.
    int Step();

    // Column `index` (0-based) of the current row as a 32-bit integer; 0 without a statement or
    // for a column the row does not have.
    int ColumnInt(int index);

    // Column `index` (0-based) of the current row as zero-terminated UTF-8, valid until the next
    // step or finalise; null without a statement, for a NULL value or for a column the row does
    // not have.
    const char* ColumnText(int index);

    // Finalises the statement, if any, and returns SQLite's answer (the result of the last
    // step when that failed). The statement is gone afterwards whatever the answer, so the
    // object is empty again.
    int Finalize();

    // True while a statement is prepared.
    bool IsPrepared() const { return m_statement != nullptr; }

  private:
    friend class SQLiteDB;

    bool HasColumn(int index) const;

    sqlite3_stmt* m_statement = nullptr;  // the prepared statement, or null
};

}  // namespace store
