#pragma once
// One connection to an SQLite database file. Nothing here throws: operations return SQLite result
// codes (SQLITE_MISUSE, 21, without a connection) or booleans.
// Thread contract: the connection is opened in serialised mode, but callers share one SQLiteDB only
// under a lock of their own (DataStore's), so that statements of different operations never mix.

#include "store/SQLiteStatement.h"

#include <cstdint>
#include <memory>

struct sqlite3;

class SQLiteDB {
public:
    using RowCallback = int (*)(void* argument, int columns, char** values, char** names);

    SQLiteDB();
    virtual ~SQLiteDB();
    SQLiteDB(const SQLiteDB&) = delete;
    SQLiteDB& operator=(const SQLiteDB&) = delete;

    // Closes any open connection first (interrupting what runs on it), then opens `path` (UTF-8)
    // with sqlite3_open_v2 `flags`. False for a null path or when SQLite refuses the file. Commits
    // are flushed to disk (SQLite's default synchronous mode), so a crash never loses or corrupts a
    // committed change.
    bool Open(const char* path, int flags);

    // True when there is nothing to close or the close succeeded; false (and still open) while
    // statements of this connection are unfinalised.
    bool Close();

    bool IsOpen() const { return handle_ != nullptr; }

    // Finalises what `statement` held, then prepares `sql` into it. A negative length means the
    // whole text including its terminating zero.
    int Prepare(SQLiteStatement& statement, const char* sql, int length = -1);

    int Exec(const char* sql, RowCallback callback = nullptr, void* argument = nullptr);

    // The rowid of the last successful insert on this connection; -1 without a connection.
    std::int64_t LastInsertRowId() const;

private:
    struct Closer {
        void operator()(sqlite3* connection) const;
    };
    std::unique_ptr<sqlite3, Closer> handle_;
};
