#include "history/SqliteTransaction.h"

#include "history/SqliteDatabase.h"

#include <sqlite3.h>

SqliteTransaction::SqliteTransaction(SqliteDatabase& database) : database_(database) {
    database_.Execute("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction() {
    if (!done_) {
        sqlite3_exec(database_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void SqliteTransaction::Commit() {
    database_.Execute("COMMIT");
    done_ = true;
}
