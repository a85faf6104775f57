#include "store/SQLiteAutoTransaction.h"

#include "store/SQLiteDB.h"

#include <sqlite3.h>

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* database) : database_(database)
{
    Begin();
}

SQLiteAutoTransaction::~SQLiteAutoTransaction()
{
    Commit();
}

bool SQLiteAutoTransaction::Begin()
{
    if (!database_ || active_ || !database_->IsOpen())
        return false;
    active_ = database_->Exec("BEGIN") == SQLITE_OK;
    return active_;
}

bool SQLiteAutoTransaction::Commit()
{
    if (!active_)
        return false;
    active_ = false;
    if (database_->Exec("END") == SQLITE_OK)
        return true;
    // A commit that failed may leave the transaction open; undo it rather than let later
    // statements join it.
    database_->Exec("ROLLBACK");
    return false;
}
