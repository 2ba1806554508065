#include "history/SqliteDatabase.h"

#include "history/SqliteStatement.h"
#include "platform/QuelError.h"

#include <chrono>
#include <sqlite3.h>
#include <thread>

namespace {

// How long a writer waits for another one to finish.
constexpr int kBusyTimeoutMs = 10000;

// The path as an SQLite URI with immutable=1, with the characters that
// would end or escape its path part written as %HH.
std::string immutableUri(const std::string& path) {
    std::string uri = path.starts_with('/') ? "file://" : "file:";
    for (const char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            static constexpr char kHex[] = "0123456789abcdef";
            uri += {'%', kHex[(c >> 4) & 0xf], kHex[c & 0xf]};
        } else {
            uri += c;
        }
    }
    return uri + "?immutable=1";
}

} // namespace

SqliteDatabase::SqliteDatabase(const std::string& path, Opening opening) : path_(path) {
    int flags = SQLITE_OPEN_NOMUTEX;
    std::string name = path;
    switch (opening) {
    case Opening::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    case Opening::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    case Opening::Unchanging:
        flags |= SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
        name = immutableUri(path);
        break;
    case Opening::Absent:
        flags |= SQLITE_OPEN_READWRITE;
        name = ":memory:";
        break;
    }
    if (sqlite3_open_v2(name.c_str(), &database_, flags, nullptr) != SQLITE_OK) {
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
    if (opening != Opening::ReadWrite) {
        // Closing never writes the -wal into the file.
        sqlite3_db_config(database_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    }
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

bool SqliteDatabase::Damaged() const {
    const int primary = sqlite3_errcode(database_) & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

void SqliteDatabase::Fail() const {
    throw QuelError(QuelError::kOwnError, "SqliteDatabase",
                    path_ + ": " + sqlite3_errmsg(database_));
}
