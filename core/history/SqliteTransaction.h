#pragma once

class SqliteDatabase;

// A transaction that is rolled back unless committed, so that an error on
// the way leaves the database as it was.
class SqliteTransaction {
  public:
    // BEGIN IMMEDIATE: the write lock is taken at once, so two writers wait
    // for each other (within the busy timeout) instead of failing midway.
    explicit SqliteTransaction(SqliteDatabase& database);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;
    void Commit();

  private:
    SqliteDatabase& database_;
    bool done_ = false;
};
