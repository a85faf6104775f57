#pragma once
// One prepared SQLite statement. SQLiteDB::Prepare fills it; preparing again finalises what it held.
// Every call on an empty statement returns SQLITE_MISUSE (21), 0 or null instead of touching SQLite.
// Thread contract: one thread at a time; DataStore's lock serialises all use of its statements.

#include <memory>

struct sqlite3_stmt;

class SQLiteStatement {
public:
    SQLiteStatement();
    virtual ~SQLiteStatement();
    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;

    bool IsPrepared() const { return handle_ != nullptr; }

    // Parameters are numbered from 1. Text is UTF-8 and copied by SQLite, so it need not outlive
    // the call; a negative length means up to the terminating zero.
    int BindInt(int index, int value);
    int BindText(int index, const char* utf8, int length);

    // SQLITE_ROW (100) while rows come, SQLITE_DONE (101) at the end, another code on failure.
    int Step();

    // Columns are numbered from 0. ColumnText is null for NULL values and stays valid until the
    // next Step or finalisation.
    int ColumnInt(int column) const;
    const char* ColumnText(int column) const;

private:
    friend class SQLiteDB;
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const;
    };
    std::unique_ptr<sqlite3_stmt, Finalizer> handle_;
};
