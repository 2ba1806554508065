#include "history/SqliteStatement.h"

#include "history/SqliteDatabase.h"

#include <sqlite3.h>

SqliteStatement::SqliteStatement(SqliteDatabase& database, const std::string& sql)
    : database_(database) {
    if (sqlite3_prepare_v2(database.Handle(), sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK) {
        database.Fail();
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

SqliteStatement& SqliteStatement::Bind(int index, const std::string& value) {
    if (sqlite3_bind_text(statement_, index, value.data(), static_cast<int>(value.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK) {
        database_.Fail();
    }
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, double value) {
    if (sqlite3_bind_double(statement_, index, value) != SQLITE_OK) {
        database_.Fail();
    }
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(statement_, index, value) != SQLITE_OK) {
        database_.Fail();
    }
    return *this;
}

SqliteStatement& SqliteStatement::BindNull(int index) {
    if (sqlite3_bind_null(statement_, index) != SQLITE_OK) {
        database_.Fail();
    }
    return *this;
}

bool SqliteStatement::Step() {
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) {
        return true;
    }
    if (result != SQLITE_DONE) {
        database_.Fail();
    }
    return false;
}

void SqliteStatement::Run() {
    while (Step()) {
    }
}

void SqliteStatement::Reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::string SqliteStatement::Text(int column) const {
    const unsigned char* text = sqlite3_column_text(statement_, column);
    return text != nullptr
               ? std::string(reinterpret_cast<const char*>(text),
                             static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
               : std::string();
}

double SqliteStatement::Real(int column) const {
    return sqlite3_column_double(statement_, column);
}

std::int64_t SqliteStatement::Integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

bool SqliteStatement::IsNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}
