#include "toolkit/WorkFolder.h"

#include "platform/QuelError.h"

#include <QDir>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Whether a new file can be made in the folder: tried for real, since the
// permission bits do not tell for root or for read-only file systems.
bool canCreateFilesIn(const std::string& folder) {
    const std::string probe = folder + "/.quel-probe-" + std::to_string(::getpid());
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

} // namespace

std::string ChooseWorkFolder(const std::string& applicationDirectory,
                             const std::string& cacheFolder) {
    if (canCreateFilesIn(applicationDirectory)) {
        return applicationDirectory;
    }
    if (!QDir().mkpath(QString::fromStdString(cacheFolder))) {
        throw QuelError::FromErrno(errno != 0 ? errno : EACCES, "WorkFolder");
    }
    return cacheFolder;
}

std::string WorkFolder(const std::string& applicationDirectory) {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return ChooseWorkFolder(applicationDirectory, cache.toStdString());
}
