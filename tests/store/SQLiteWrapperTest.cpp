// The database wrapper: result codes on misuse, preparing, binding, closing, transactions and
// the UTF-8 boundary.
#include <gtest/gtest.h>

#include <string>

#include "StoreTestSupport.h"
#include "store/SQLiteAutoTransaction.h"
#include "store/SQLiteDB.h"
#include "store/SQLiteStatement.h"
#include "store/Utf8Text.h"
#include "support/TempHome.h"

namespace store {
namespace {

using store_test::Query;
using store_test::QueryOne;

class SQLiteWrapperTest : public testing::Test {
  protected:
    void SetUp() override {
        m_path = testing_support::MakeTempFolder("wrapper") + "/w.db";
        ASSERT_TRUE(m_db.Open(m_path.c_str(), "", SQLiteDB::kOpenCreate));
        ASSERT_EQ(m_db.Exec("CREATE TABLE t(id INTEGER PRIMARY KEY AUTOINCREMENT, v TEXT, n "
                            "INTEGER UNIQUE)"),
                  0);
    }

    std::string m_path;
    SQLiteDB m_db;
};

TEST(SQLiteWrapperMisuse, ClosedConnectionAndEmptyStatementAnswerMisuseWithoutSQLite) {
    SQLiteDB db;
    SQLiteStatement statement;
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.Close());
    EXPECT_EQ(db.Prepare(statement, "SELECT 1"), 21);
    EXPECT_EQ(db.Exec("SELECT 1"), 21);
    EXPECT_EQ(db.LastInsertRowId(), -1);
    EXPECT_FALSE(db.Open(nullptr, "", SQLiteDB::kOpenCreate));

    EXPECT_EQ(statement.BindInt(1, 5), 21);
    EXPECT_EQ(statement.BindText(1, "x", 1), 21);
    EXPECT_EQ(statement.Step(), 21);
    EXPECT_EQ(statement.ColumnInt(0), 0);
    EXPECT_EQ(statement.ColumnText(0), nullptr);

    SQLiteAutoTransaction none(nullptr);
    EXPECT_FALSE(none.Begin());
    EXPECT_FALSE(none.End());
}

TEST_F(SQLiteWrapperTest, MissingSqlTextIsMisuse) {
    SQLiteStatement statement;
    EXPECT_EQ(m_db.Prepare(statement, nullptr), 21);
    EXPECT_EQ(m_db.Exec(nullptr), 21);
}

TEST_F(SQLiteWrapperTest, NegativeLengthTakesTheTextWithItsTerminator) {
    SQLiteStatement statement;
    ASSERT_EQ(m_db.Prepare(statement, "SELECT 7", -1), 0);  // eight characters, nine bytes
    ASSERT_EQ(statement.Step(), 100);
    EXPECT_EQ(statement.ColumnInt(0), 7);
    EXPECT_EQ(statement.Step(), 101);

    // A given length is honoured: only "SELECT 1" of "SELECT 12" is compiled.
    ASSERT_EQ(m_db.Prepare(statement, "SELECT 12", 8), 0);
    ASSERT_EQ(statement.Step(), 100);
    EXPECT_EQ(statement.ColumnInt(0), 1);
}

TEST_F(SQLiteWrapperTest, StatementOfAFailedPrepareBindsAndStepsNothing) {
    SQLiteStatement statement;
    EXPECT_NE(m_db.Prepare(statement, "INSERT INTO missing(v) VALUES (?)"), 0);
    EXPECT_FALSE(statement.IsPrepared());
    EXPECT_EQ(statement.BindText(1, "x", 1), 21);
    EXPECT_EQ(statement.Step(), 21);

    // A good statement prepared into the same object is replaced by the failing one.
    ASSERT_EQ(m_db.Prepare(statement, "INSERT INTO t(v) VALUES ('a')"), 0);
    EXPECT_NE(m_db.Prepare(statement, "INSERT INTO nothing VALUES (1)"), 0);
    EXPECT_EQ(statement.Step(), 21);
    EXPECT_EQ(QueryOne(m_path, "SELECT count(*) FROM t"), "0");
}

TEST_F(SQLiteWrapperTest, TextIsBoundWithoutCopying) {
    std::string buffer = "before";
    SQLiteStatement statement;
    ASSERT_EQ(m_db.Prepare(statement, "INSERT INTO t(v) VALUES (?)"), 0);
    ASSERT_EQ(statement.BindText(1, buffer.data(), static_cast<int>(buffer.size())), 0);
    buffer.replace(0, 6, "after!");  // same size, same storage
    EXPECT_EQ(statement.Step(), 101);
    EXPECT_EQ(QueryOne(m_path, "SELECT v FROM t"), "after!");
    EXPECT_EQ(m_db.LastInsertRowId(), 1);
}

TEST_F(SQLiteWrapperTest, NullColumnAndMissingColumnReadAsNullAndZero) {
    ASSERT_EQ(m_db.Exec("INSERT INTO t(v, n) VALUES (NULL, 4)"), 0);
    SQLiteStatement statement;
    ASSERT_EQ(m_db.Prepare(statement, "SELECT v, n FROM t"), 0);
    ASSERT_EQ(statement.Step(), 100);
    EXPECT_EQ(statement.ColumnText(0), nullptr);
    EXPECT_EQ(FromUtf8(statement.ColumnText(0)), u"");
    EXPECT_EQ(statement.ColumnInt(1), 4);
    EXPECT_EQ(statement.ColumnText(2), nullptr);
    EXPECT_EQ(statement.ColumnInt(-1), 0);
    EXPECT_EQ(statement.ColumnInt(7), 0);
    EXPECT_EQ(statement.Step(), 101);
    EXPECT_EQ(statement.ColumnInt(1), 0);  // no current row
}

TEST_F(SQLiteWrapperTest, CloseWithAPreparedStatementKeepsTheConnectionUsable) {
    SQLiteStatement statement;
    ASSERT_EQ(m_db.Prepare(statement, "SELECT 1"), 0);
    EXPECT_FALSE(m_db.Close());
    EXPECT_TRUE(m_db.IsOpen());
    EXPECT_EQ(m_db.Exec("INSERT INTO t(v) VALUES ('still')"), 0);
    statement.Finalize();
    EXPECT_TRUE(m_db.Close());
    EXPECT_FALSE(m_db.IsOpen());
    EXPECT_EQ(QueryOne(m_path, "SELECT v FROM t"), "still");
}

TEST_F(SQLiteWrapperTest, StatementWhoseStepFailedCanBeReusedAndDestroyed) {
    ASSERT_EQ(m_db.Exec("INSERT INTO t(n) VALUES (1)"), 0);
    SQLiteStatement statement;
    ASSERT_EQ(m_db.Prepare(statement, "INSERT INTO t(n) VALUES (1)"), 0);
    EXPECT_EQ(statement.Step(), 19);  // constraint: n is unique
    // Finalising reports the failed step, yet the statement is gone: the object must not
    // finalise it again when it is reused or destroyed.
    EXPECT_EQ(statement.Finalize(), 19);
    EXPECT_FALSE(statement.IsPrepared());

    ASSERT_EQ(m_db.Prepare(statement, "INSERT INTO t(n) VALUES (1)"), 0);
    EXPECT_EQ(statement.Step(), 19);
    ASSERT_EQ(m_db.Prepare(statement, "INSERT INTO t(n) VALUES (2)"), 0);
    EXPECT_EQ(statement.Step(), 101);
    EXPECT_EQ(QueryOne(m_path, "SELECT count(*) FROM t"), "2");
}

TEST_F(SQLiteWrapperTest, OpenRunsWithoutDiskFlushes) {
    SQLiteStatement statement;
    ASSERT_EQ(m_db.Prepare(statement, "PRAGMA synchronous"), 0);
    ASSERT_EQ(statement.Step(), 100);
    EXPECT_EQ(statement.ColumnInt(0), 0);
}

TEST_F(SQLiteWrapperTest, OpenFailuresLeaveTheObjectClosed) {
    SQLiteDB db;
    const std::string missing = testing_support::MakeTempFolder("wrapper") + "/none.db";
    EXPECT_FALSE(db.Open(missing.c_str(), "", SQLiteDB::kOpenExisting));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(store_test::Exists(missing));

    // No page-encryption codec: a key is refused instead of being silently ignored.
    EXPECT_FALSE(db.Open(m_path.c_str(), "0123456789abcdef", SQLiteDB::kOpenExisting));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(QueryOne(m_path, "SELECT count(*) FROM sqlite_master WHERE name = 't'"), "1");
}

TEST_F(SQLiteWrapperTest, OpeningAgainReleasesTheConnectionEvenWithAStatementLeft) {
    const std::string other = testing_support::MakeTempFolder("wrapper") + "/other.db";
    SQLiteStatement old;
    ASSERT_EQ(m_db.Prepare(old, "SELECT 1"), 0);
    ASSERT_TRUE(m_db.Open(other.c_str(), "", SQLiteDB::kOpenCreate));
    EXPECT_EQ(m_db.Exec("CREATE TABLE o(x)"), 0);
    // The old statement still works on the connection it belongs to until it is finalised.
    EXPECT_EQ(old.Step(), 100);
    EXPECT_EQ(old.ColumnInt(0), 1);
    old.Finalize();
    EXPECT_EQ(QueryOne(other, "SELECT count(*) FROM sqlite_master WHERE name = 'o'"), "1");
    EXPECT_EQ(QueryOne(m_path, "SELECT count(*) FROM sqlite_master WHERE name = 'o'"), "0");
}

TEST_F(SQLiteWrapperTest, AutoTransactionBracketsTheWritesInOneBeginAndEnd) {
    {
        SQLiteAutoTransaction transaction(&m_db);
        EXPECT_TRUE(transaction.IsActive());
        EXPECT_FALSE(transaction.Begin());  // already begun by the constructor
        ASSERT_EQ(m_db.Exec("INSERT INTO t(v) VALUES ('a')"), 0);
        // Another connection does not see the row before the end.
        EXPECT_EQ(QueryOne(m_path, "SELECT count(*) FROM t"), "0");
        EXPECT_TRUE(transaction.End());
        EXPECT_FALSE(transaction.IsActive());
        EXPECT_EQ(QueryOne(m_path, "SELECT count(*) FROM t"), "1");
        EXPECT_FALSE(transaction.End());  // nothing left to end
    }
    {
        SQLiteAutoTransaction transaction(&m_db);
        ASSERT_EQ(m_db.Exec("INSERT INTO t(v) VALUES ('b')"), 0);
    }  // the destructor ends it
    EXPECT_EQ(QueryOne(m_path, "SELECT count(*) FROM t"), "2");
    EXPECT_EQ(m_db.Exec("BEGIN"), 0);  // no transaction was left open
    EXPECT_EQ(m_db.Exec("END"), 0);
}

TEST(SQLiteWrapperTransaction, OverAClosedConnectionNothingIsExecuted) {
    SQLiteDB db;
    {
        SQLiteAutoTransaction transaction(&db);
        EXPECT_TRUE(transaction.IsActive());
        EXPECT_FALSE(transaction.Begin());
        EXPECT_FALSE(transaction.End());
        EXPECT_FALSE(transaction.IsActive());
        EXPECT_FALSE(transaction.Begin());  // becomes active, but there is nothing to begin
        EXPECT_TRUE(transaction.IsActive());
    }
    EXPECT_FALSE(db.IsOpen());
}

struct Utf8Case {
    std::u16string wide;
    std::string utf8;
};

TEST(Utf8Text, ConvertsAtTheDatabaseBoundary) {
    const Utf8Case cases[] = {
        {u"", ""},
        {u"report_rate", "report_rate"},
        {u"Профиль 1", "\xD0\x9F\xD1\x80\xD0\xBE\xD1\x84\xD0\xB8\xD0\xBB\xD1\x8C 1"},
        {u"配置 2", "\xE9\x85\x8D\xE7\xBD\xAE 2"},
        {u"\U0001F600x", "\xF0\x9F\x98\x80x"},  // outside the basic plane: a surrogate pair
    };
    for (const Utf8Case& c : cases) {
        EXPECT_EQ(ToUtf8(c.wide), c.utf8);
        EXPECT_EQ(FromUtf8(c.utf8.c_str()), c.wide);
    }
}

TEST(Utf8Text, StopsAtZeroAndReplacesWhatCannotBeConverted) {
    EXPECT_EQ(ToUtf8(std::u16string(u"ab\0cd", 5)), "ab");
    EXPECT_EQ(ToUtf8(u"a\xD800z"), "a\xEF\xBF\xBDz");  // lone surrogate
    EXPECT_EQ(FromUtf8("a\xFFz"), u"a\xFFFDz");
    EXPECT_EQ(FromUtf8(nullptr), u"");
}

}  // namespace
}  // namespace store
