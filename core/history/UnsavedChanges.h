#pragma once

#include <string>

// SQLite applies a database's -wal (or hot -journal) when it opens the
// file, and cannot tell the one a killed writer left from one that belongs
// to another copy of the database. Before the history at path is opened,
// a -wal or -journal that is not empty is therefore copied aside together
// with the database, as PATH.kept-20261210T051500Z and
// PATH.kept-20261210T051500Z-wal: nothing is ever lost without a copy.
// The -wal of a database that another program has open is that program's
// work in progress and is left to SQLite. Returns the path of the kept
// database, empty when nothing needed keeping.
// Raises a QuelError when the copies cannot be made.
std::string KeepUnsavedChanges(const std::string& path);

// Whether a -wal or -journal is there and holds changes, not being empty.
bool HoldsChanges(const std::string& journal);
