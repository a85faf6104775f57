#include "store/SQLiteAutoTransaction.h"
#include "store/SQLiteDB.h"
#include "store/SQLiteStatement.h"

#include "store/StoreFixture.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

namespace {

constexpr int kCreate = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;

class SQLiteWrapper : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db_.Open(Path("a.db").c_str(), kCreate));
        ASSERT_EQ(db_.Exec("CREATE TABLE t(v INTEGER)"), SQLITE_OK);
    }

    std::string Path(const char* name) const { return (folder_ / name).string(); }

    // The number of rows of t as seen through `db`.
    static int RowCount(SQLiteDB& db)
    {
        SQLiteStatement statement;
        if (db.Prepare(statement, "SELECT count(*) FROM t") != SQLITE_OK || statement.Step() != SQLITE_ROW)
            return -1;
        return statement.ColumnInt(0);
    }

    TempFolder folder_;
    SQLiteDB db_;
};

} // namespace

TEST(SQLiteStatement, ReportsMisuseWhenNothingIsPrepared)
{
    SQLiteStatement statement;
    EXPECT_FALSE(statement.IsPrepared());
    EXPECT_EQ(statement.BindInt(1, 5), SQLITE_MISUSE);
    EXPECT_EQ(statement.BindText(1, "x", 1), SQLITE_MISUSE);
    EXPECT_EQ(statement.Step(), SQLITE_MISUSE);
    EXPECT_EQ(statement.ColumnInt(0), 0);
    EXPECT_EQ(statement.ColumnText(0), nullptr);
}

TEST(SQLiteDB, WithoutAConnectionEverythingIsMisuse)
{
    SQLiteDB db;
    SQLiteStatement statement;
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.Close());
    EXPECT_EQ(db.Prepare(statement, "SELECT 1"), SQLITE_MISUSE);
    EXPECT_FALSE(statement.IsPrepared());
    EXPECT_EQ(db.Exec("SELECT 1"), SQLITE_MISUSE);
    EXPECT_EQ(db.LastInsertRowId(), -1);
    EXPECT_FALSE(db.Open(nullptr, kCreate));
}

TEST_F(SQLiteWrapper, PrepareFinalisesThePreviousStatementAndHonoursTheLength)
{
    SQLiteStatement statement;
    EXPECT_EQ(db_.Prepare(statement, nullptr), SQLITE_MISUSE);
    ASSERT_EQ(db_.Prepare(statement, "SELECT 7"), SQLITE_OK);
    // Only the first eight bytes are SQL; the rest would not parse.
    ASSERT_EQ(db_.Prepare(statement, "SELECT 8 garbage(", 8), SQLITE_OK);
    ASSERT_EQ(statement.Step(), SQLITE_ROW);
    EXPECT_EQ(statement.ColumnInt(0), 8);
    EXPECT_NE(db_.Prepare(statement, "SELECT FROM"), SQLITE_OK);
    EXPECT_FALSE(statement.IsPrepared());
}

TEST_F(SQLiteWrapper, BindsIntegersAndUtf8Text)
{
    ASSERT_EQ(db_.Exec("CREATE TABLE s(n INTEGER, v TEXT)"), SQLITE_OK);
    SQLiteStatement statement;
    ASSERT_EQ(db_.Prepare(statement, "INSERT INTO s VALUES (?, ?)"), SQLITE_OK);
    {
        std::string text = "配置 x";
        ASSERT_EQ(statement.BindInt(1, -42), SQLITE_OK);
        ASSERT_EQ(statement.BindText(2, text.c_str(), static_cast<int>(text.size())), SQLITE_OK);
        text.assign(text.size(), '#'); // the statement holds its own copy
        ASSERT_EQ(statement.Step(), SQLITE_DONE);
    }
    EXPECT_EQ(db_.LastInsertRowId(), 1);
    ASSERT_EQ(db_.Prepare(statement, "SELECT n, v, NULL FROM s"), SQLITE_OK);
    ASSERT_EQ(statement.Step(), SQLITE_ROW);
    EXPECT_EQ(statement.ColumnInt(0), -42);
    EXPECT_STREQ(statement.ColumnText(1), "配置 x");
    EXPECT_EQ(statement.ColumnText(2), nullptr);
    EXPECT_EQ(statement.Step(), SQLITE_DONE);
}

TEST_F(SQLiteWrapper, OpenClosesTheConnectionItHeld)
{
    ASSERT_TRUE(db_.Open(Path("b.db").c_str(), kCreate));
    EXPECT_EQ(RowCount(db_), -1); // t lives in a.db
    ASSERT_TRUE(db_.Open(Path("a.db").c_str(), kCreate));
    EXPECT_EQ(RowCount(db_), 0);
    EXPECT_FALSE(db_.Open(Path("missing/c.db").c_str(), kCreate));
    EXPECT_FALSE(db_.IsOpen());
}

TEST_F(SQLiteWrapper, CloseFailsWhileAStatementIsAlive)
{
    {
        SQLiteStatement statement;
        ASSERT_EQ(db_.Prepare(statement, "SELECT 1"), SQLITE_OK);
        EXPECT_FALSE(db_.Close());
        EXPECT_TRUE(db_.IsOpen());
    }
    EXPECT_TRUE(db_.Close());
    EXPECT_FALSE(db_.IsOpen());
}

TEST_F(SQLiteWrapper, CommitsAreFlushedToDisk)
{
    std::string mode;
    db_.Exec("PRAGMA synchronous", [](void* out, int, char** values, char**) {
        *static_cast<std::string*>(out) = values[0];
        return 0;
    }, &mode);
    EXPECT_EQ(mode, "2"); // FULL
}

TEST_F(SQLiteWrapper, TransactionCommitsOnCommitAndWhenAbandoned)
{
    {
        SQLiteAutoTransaction transaction(&db_);
        EXPECT_TRUE(transaction.IsActive());
        EXPECT_FALSE(transaction.Begin()); // the constructor began already
        db_.Exec("INSERT INTO t VALUES (1)");
        EXPECT_EQ(QueryFile(Path("a.db"), "SELECT count(*) FROM t"), (SqlRows{{"0"}}));
        EXPECT_TRUE(transaction.Commit());
        EXPECT_FALSE(transaction.IsActive());
        EXPECT_FALSE(transaction.Commit());
    }
    {
        SQLiteAutoTransaction abandoned(&db_);
        db_.Exec("INSERT INTO t VALUES (2)");
    }
    EXPECT_EQ(QueryFile(Path("a.db"), "SELECT count(*) FROM t"), (SqlRows{{"2"}}));
}

TEST_F(SQLiteWrapper, FinishedTransactionLeavesLaterOnesAlone)
{
    SQLiteAutoTransaction transaction(&db_);
    ASSERT_TRUE(transaction.Commit());
    ASSERT_EQ(db_.Exec("BEGIN"), SQLITE_OK);
    db_.Exec("INSERT INTO t VALUES (1)");
    // Neither the finished object nor one begun inside the open transaction may end it.
    { SQLiteAutoTransaction inner(&db_); EXPECT_FALSE(inner.IsActive()); }
    EXPECT_EQ(db_.Exec("ROLLBACK"), SQLITE_OK);
    EXPECT_EQ(RowCount(db_), 0);
}

TEST(SQLiteAutoTransaction, DoesNothingWithoutAConnection)
{
    SQLiteDB closed;
    SQLiteAutoTransaction onClosed(&closed);
    EXPECT_FALSE(onClosed.IsActive());
    EXPECT_FALSE(onClosed.Begin());
    EXPECT_FALSE(onClosed.Commit());
    SQLiteAutoTransaction onNothing(nullptr);
    EXPECT_FALSE(onNothing.Begin());
    EXPECT_FALSE(onNothing.Commit());
}
