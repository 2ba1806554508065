#include "history/UnsavedChanges.h"

#include "platform/QuelError.h"

#include <ctime>
#include <filesystem>

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

} // namespace

bool HoldsChanges(const std::string& journal) {
    std::error_code error;
    const auto size = fs::file_size(journal, error);
    return !error && size > 0;
}

std::string KeepUnsavedChanges(const std::string& path) {
    std::string kept;
    for (const char* suffix : {"-wal", "-journal"}) {
        if (!HoldsChanges(path + suffix) || !fs::exists(path)) {
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
