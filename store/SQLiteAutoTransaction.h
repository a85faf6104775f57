#pragma once
// A transaction that lasts as long as this object: BEGIN on construction, END on Commit or, if still
// open, on destruction. The object is active only when its own BEGIN
// succeeded, so a transaction opened inside another one neither commits nor rolls back the outer.
// Thread contract: used by the thread that holds the lock of the database's owner.

class SQLiteDB;

class SQLiteAutoTransaction {
public:
    // A null database or one without a connection gives an inactive transaction that does nothing.
    explicit SQLiteAutoTransaction(SQLiteDB* database);
    virtual ~SQLiteAutoTransaction();
    SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
    SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

    // BEGIN again after a Commit or Rollback. False when already active or BEGIN fails.
    bool Begin();
    // END. False when not active or the commit fails, in which case the changes are rolled back.
    bool Commit();

    bool IsActive() const { return active_; }

private:
    SQLiteDB* database_;
    bool active_ = false;
};
