#pragma once

#include <cstdint>
#include <string>

struct sqlite3_stmt;
class SqliteDatabase;

// One prepared statement: bind the parameters (from 1), step through the
// rows, read the columns (from 0). Every failure raises a QuelError that
// names the database file.
class SqliteStatement {
  public:
    SqliteStatement(SqliteDatabase& database, const std::string& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& Bind(int index, const std::string& value);
    SqliteStatement& Bind(int index, double value);
    SqliteStatement& Bind(int index, std::int64_t value);
    SqliteStatement& BindNull(int index);
    // Moves to the next row: true while there is one.
    bool Step();
    // Runs a statement that gives no rows.
    void Run();
    void Reset();

    std::string Text(int column) const;
    double Real(int column) const;
    std::int64_t Integer(int column) const;
    bool IsNull(int column) const;

  private:
    SqliteDatabase& database_;
    sqlite3_stmt* statement_ = nullptr;
};
