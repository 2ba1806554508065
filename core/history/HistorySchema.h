#pragma once

#include <cstdint>

class SqliteDatabase;

// The tables of the results history and their versions. The version lives in
// PRAGMA user_version; every version has a step from the one before, so a
// database of any earlier version is brought up to date, and a new one is
// made by taking every step from 0.
namespace HistorySchema {

inline constexpr std::int64_t kVersion = 5;

// What a refusal says of the file, before it says how to go on.
inline constexpr const char* kLeftAlone = "; the file is left as it is";

// Takes the database up to `upTo` in one transaction. A file that is not a
// database, holds other tables, or was written by a newer program raises a
// QuelError naming the file, and nothing in it is changed.
void Migrate(SqliteDatabase& database, std::int64_t upTo = kVersion);

// Checks the database as Migrate does, for reading it without writing: a
// database of an older version, whose tables the queries of this one do not
// find, is refused as well, saying that the next write brings it up to date.
void CheckCurrent(SqliteDatabase& database);

} // namespace HistorySchema
