#include "history/HistoryFile.h"

#include "history/HistorySchema.h"
#include "history/SqliteDatabase.h"
#include "platform/QuelError.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QuelError refused(const std::string& path, const std::string& why) {
    return QuelError(QuelError::kOwnError, "PrepareHistoryFile",
                     path + ": " + why +
                         "; it is left as it is: move it aside to start a new history");
}

void removeWithJournals(const std::string& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        ::unlink((path + suffix).c_str());
    }
}

void makeHistory(const std::string& path) {
    const std::string fresh = path + ".new-" + std::to_string(::getpid());
    removeWithJournals(fresh);
    try {
        SqliteDatabase database(fresh);
        HistorySchema::Migrate(database);
        database.Execute("PRAGMA journal_mode = WAL");
    } catch (...) {
        removeWithJournals(fresh);
        throw;
    }
    // link() never replaces: when another program made the history first,
    // its file stays and this one goes.
    const int linked = ::link(fresh.c_str(), path.c_str());
    const int error = errno;
    removeWithJournals(fresh);
    if (linked != 0 && error != EEXIST) {
        throw QuelError(QuelError::kOwnError, "PrepareHistoryFile",
                        path + ": " + std::strerror(error));
    }
}

} // namespace

void PrepareHistoryFile(const std::string& path) {
    if (!HistoryFileExists(path)) {
        makeHistory(path);
    }
}

bool HistoryFileExists(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        if (errno != ENOENT) {
            throw QuelError(QuelError::kOwnError, "PrepareHistoryFile",
                            path + ": " + std::strerror(errno));
        }
        return false;
    }
    if (S_ISLNK(status.st_mode) && ::stat(path.c_str(), &status) != 0) {
        throw refused(path, "a symbolic link to " + std::filesystem::read_symlink(path).string() +
                                ", which does not exist");
    }
    if (S_ISREG(status.st_mode) && status.st_size == 0) {
        throw refused(path, "an empty file, not a results history");
    }
    return true;
}
