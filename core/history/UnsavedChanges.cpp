#include "history/UnsavedChanges.h"

#include "platform/QuelError.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// PATH.kept-TIME, or PATH.kept-TIME-2 and so on when that one is taken.
std::string keptName(const std::string& path) {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
    const std::string base = path + ".kept-" + stamp;
    std::string name = base;
    for (int n = 2; fs::exists(name) || fs::exists(name + "-wal") || fs::exists(name + "-journal");
         ++n) {
        name = base + "-" + std::to_string(n);
    }
    return name;
}

// While a program has a database in WAL mode open, SQLite holds a read lock
// on byte 128 of its -shm, the "dead man switch" of its unix VFS: a write
// lock on that byte can be had only when no program uses the database, and
// holding it keeps others from opening the database until it is let go, by
// closing. Its -wal then holds what a program left behind, not what a
// writer is doing now.
class UnusedDatabase {
  public:
    explicit UnusedDatabase(const std::string& path)
        : shm_(::open((path + "-shm").c_str(), O_RDWR | O_CLOEXEC)) {
        if (shm_ < 0) {
            // A program that uses the database has its -shm.
            unused_ = errno == ENOENT;
            return;
        }
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = 128;
        lock.l_len = 1;
        unused_ = ::fcntl(shm_, F_SETLK, &lock) == 0;
    }
    ~UnusedDatabase() {
        if (shm_ >= 0) {
            ::close(shm_);
        }
    }
    UnusedDatabase(const UnusedDatabase&) = delete;
    UnusedDatabase& operator=(const UnusedDatabase&) = delete;

    bool Unused() const { return unused_; }

  private:
    int shm_;
    bool unused_ = false;
};

} // namespace

bool HoldsChanges(const std::string& journal) {
    std::error_code error;
    const auto size = fs::file_size(journal, error);
    return !error && size > 0;
}

std::string KeepUnsavedChanges(const std::string& path) {
    std::string kept;
    // The -wal of a database that another program is writing to now is its
    // work, not changes left behind; the lock is held while copying, so that
    // no program takes the -wal into the file meanwhile.
    const UnusedDatabase database(path);
    for (const char* suffix : {"-wal", "-journal"}) {
        if (!HoldsChanges(path + suffix) || !fs::exists(path) ||
            (suffix == std::string("-wal") && !database.Unused())) {
            continue;
        }
        if (kept.empty()) {
            kept = keptName(path);
            std::error_code error;
            fs::copy_file(path, kept, error);
            if (error) {
                throw QuelError(QuelError::kOwnError, "KeepUnsavedChanges",
                                path + ": holds unsaved changes, and no copy could be kept as " +
                                    kept + ": " + error.message() + "; it is not opened");
            }
        }
        std::error_code error;
        fs::copy_file(path + suffix, kept + suffix, error);
        if (error) {
            throw QuelError(QuelError::kOwnError, "KeepUnsavedChanges",
                            path + suffix + ": no copy could be kept as " + kept + suffix + ": " +
                                error.message() + "; the history is not opened");
        }
    }
    return kept;
}
