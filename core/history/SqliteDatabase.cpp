#include "history/SqliteDatabase.h"

#include "history/SqliteStatement.h"
#include "platform/QuelError.h"

#include <chrono>
#include <sqlite3.h>
#include <thread>

namespace {

// How long a writer waits for another one to finish.
constexpr int kBusyTimeoutMs = 10000;

} // namespace

SqliteDatabase::SqliteDatabase(const std::string& path) : path_(path) {
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &database_, flags, nullptr) != SQLITE_OK) {
        const std::string why = database_ != nullptr ? sqlite3_errmsg(database_) : "out of memory";
        sqlite3_close(database_);
        database_ = nullptr;
        throw QuelError(QuelError::kOwnError, "SqliteDatabase", path + ": " + why);
    }
    sqlite3_extended_result_codes(database_, 1);
    // Nothing stored in the file may run functions with side effects or
    // change the file's own structure behind the program's back.
    sqlite3_db_config(database_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(database_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_busy_timeout(database_, kBusyTimeoutMs);
}

SqliteDatabase::~SqliteDatabase() {
    sqlite3_close(database_);
}

void SqliteDatabase::Execute(const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(database_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        sqlite3_free(message);
        Fail();
    }
}

void SqliteDatabase::ExecuteWhenFree(const std::string& sql) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTimeoutMs);
    for (;;) {
        const int result = sqlite3_exec(database_, sql.c_str(), nullptr, nullptr, nullptr);
        const int primary = result & 0xff;
        if (result == SQLITE_OK) {
            return;
        }
        if ((primary != SQLITE_BUSY && primary != SQLITE_LOCKED) ||
            std::chrono::steady_clock::now() >= until) {
            Fail();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::int64_t SqliteDatabase::QueryInteger(const std::string& sql) {
    SqliteStatement statement(*this, sql);
    return statement.Step() ? statement.Integer(0) : 0;
}

std::string SqliteDatabase::QueryText(const std::string& sql) {
    SqliteStatement statement(*this, sql);
    return statement.Step() ? statement.Text(0) : std::string();
}

void SqliteDatabase::Checkpoint() {
    sqlite3_wal_checkpoint_v2(database_, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
}

void SqliteDatabase::Fail() const {
    throw QuelError(QuelError::kOwnError, "SqliteDatabase",
                    path_ + ": " + sqlite3_errmsg(database_));
}
