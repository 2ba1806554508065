#pragma once

#include <cstdint>
#include <string>

struct sqlite3;

// A connection to an SQLite database file, through the SQLite C library.
class SqliteDatabase {
  public:
    enum class Opening {
        // Reading and writing, creating the file when it is missing.
        ReadWrite,
        // Reading only; SQLite may still make the -wal and -shm beside it.
        ReadOnly,
        // Reading only a file that nothing changes while it is open, without
        // locks, -wal or -shm (SQLite's immutable=1), as in a folder that
        // cannot be written to.
        Unchanging,
        // An empty database in memory that stands for the file, which is
        // not there; path names it in messages.
        Absent,
    };
    explicit SqliteDatabase(const std::string& path, Opening opening = Opening::ReadWrite);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    const std::string& Path() const { return path_; }
    // Runs statements that give no rows.
    void Execute(const std::string& sql);
    // Execute for a statement that SQLite may refuse at once with "database
    // is locked", without waiting, while another program holds the file, as
    // it does with a change of the journal mode: tried again until the
    // writer's waiting time is up.
    void ExecuteWhenFree(const std::string& sql);
    // The first column of the first row of a query.
    std::int64_t QueryInteger(const std::string& sql);
    std::string QueryText(const std::string& sql);

    // Copies what the -wal holds into the file and empties the -wal, when
    // no reader stands in the way; otherwise the next writer does it.
    void Checkpoint();

    // Raises the error of the last call, as "FILE: what".
    [[noreturn]] void Fail() const;
    // The last call failed because the file is not a database or is damaged.
    bool Damaged() const;
    sqlite3* Handle() const { return database_; }

  private:
    std::string path_;
    sqlite3* database_ = nullptr;
};
