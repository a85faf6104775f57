#include "store/SQLiteDB.h"

#include <sqlite3.h>

#include <cstring>

// A connection dropped while a statement is still alive (a failed Close followed by Open) becomes
// a zombie that SQLite frees with its last statement, instead of leaking.
void SQLiteDB::Closer::operator()(sqlite3* connection) const
{
    sqlite3_close_v2(connection);
}

SQLiteDB::SQLiteDB() = default;

SQLiteDB::~SQLiteDB()
{
    if (handle_)
        sqlite3_interrupt(handle_.get());
}

bool SQLiteDB::Open(const char* path, int flags)
{
    if (handle_) {
        sqlite3_interrupt(handle_.get());
        Close();
        handle_.reset();
    }
    if (!path)
        return false;
    sqlite3* opened = nullptr;
    const int code = sqlite3_open_v2(path, &opened, flags, nullptr);
    std::unique_ptr<sqlite3, Closer> connection(opened);
    if (code != SQLITE_OK)
        return false;
    handle_ = std::move(connection);
    return true;
}

bool SQLiteDB::Close()
{
    if (!handle_)
        return true;
    if (sqlite3_close(handle_.get()) != SQLITE_OK)
        return false;
    (void)handle_.release(); // sqlite3_close has freed it
    return true;
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sql, int length)
{
    statement.handle_.reset();
    if (!handle_ || !sql)
        return SQLITE_MISUSE;
    if (length < 0)
        length = static_cast<int>(std::strlen(sql)) + 1;
    sqlite3_stmt* prepared = nullptr;
    const int code = sqlite3_prepare_v2(handle_.get(), sql, length, &prepared, nullptr);
    statement.handle_.reset(prepared);
    return code;
}

int SQLiteDB::Exec(const char* sql, RowCallback callback, void* argument)
{
    if (!handle_ || !sql)
        return SQLITE_MISUSE;
    return sqlite3_exec(handle_.get(), sql, callback, argument, nullptr);
}

std::int64_t SQLiteDB::LastInsertRowId() const
{
    return handle_ ? sqlite3_last_insert_rowid(handle_.get()) : -1;
}
