#include "store/SQLiteStatement.h"

#include <sqlite3.h>

void SQLiteStatement::Finalizer::operator()(sqlite3_stmt* statement) const
{
    sqlite3_finalize(statement);
}

SQLiteStatement::SQLiteStatement() = default;
SQLiteStatement::~SQLiteStatement() = default;

int SQLiteStatement::BindInt(int index, int value)
{
    return handle_ ? sqlite3_bind_int(handle_.get(), index, value) : SQLITE_MISUSE;
}

int SQLiteStatement::BindText(int index, const char* utf8, int length)
{
    return handle_ ? sqlite3_bind_text(handle_.get(), index, utf8, length, SQLITE_TRANSIENT) : SQLITE_MISUSE;
}

int SQLiteStatement::Step()
{
    return handle_ ? sqlite3_step(handle_.get()) : SQLITE_MISUSE;
}

int SQLiteStatement::ColumnInt(int column) const
{
    return handle_ ? sqlite3_column_int(handle_.get(), column) : 0;
}

const char* SQLiteStatement::ColumnText(int column) const
{
    return handle_ ? reinterpret_cast<const char*>(sqlite3_column_text(handle_.get(), column)) : nullptr;
}
