#include "platform/FileSystem.h"

#include "platform/QuelError.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileSystem {
namespace {

// Closes a descriptor when the scope ends.
class FdGuard {
  public:
    explicit FdGuard(int fd) : fd_(fd) {}
    ~FdGuard() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
    int get() const { return fd_; }
    // Closes now and reports a failure of close itself (a delayed write error).
    int closeNow() {
        int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

  private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    if (slash == 0) {
        return "/";
    }
    return path.substr(0, slash);
}

std::string temporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = folderOf(path);
    return (folder == "/" ? std::string() : folder) + "/.quel-" + std::to_string(::getpid()) + "-" +
           std::to_string(counter++) + ".part";
}

void writeFully(int fd, const std::uint8_t* data, std::size_t size, const char* source) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw QuelError::FromErrno(errno, source);
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

// Overwrites the file where it stands and cuts it to the new length. The file
// is not opened with O_TRUNC: ext4 flushes a file emptied that way when it is
// closed, and the page-cache pages of the old content are reused.
void overwriteInPlace(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    FdGuard fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        throw QuelError::FromErrno(errno, "Put");
    }
    writeFully(fd.get(), bytes.data(), bytes.size(), "Put");
    if (::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0) {
        throw QuelError::FromErrno(errno, "Put");
    }
    if (fd.closeNow() != 0) {
        throw QuelError::FromErrno(errno, "Close");
    }
}

std::atomic<SyncCall> syncCall{&::fsync};

int sync(int fd) {
    return syncCall.load()(fd);
}

// The new name is only on the storage device once its folder is flushed too;
// until then a power cut can bring back the old file or none. A folder that
// may not be read, or a file system that cannot flush folders, is left as
// it is.
void syncFolderOf(const std::string& path) {
    FdGuard folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0) {
        if (errno == EACCES) {
            return;
        }
        throw QuelError::FromErrno(errno, "Put");
    }
    if (sync(folder.get()) != 0 && errno != EINVAL) {
        throw QuelError::FromErrno(errno, "Put");
    }
}

void replaceDurably(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temporary = temporaryNameFor(path);
    FdGuard fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        throw QuelError::FromErrno(errno, "Put");
    }
    try {
        writeFully(fd.get(), bytes.data(), bytes.size(), "Put");
        if (sync(fd.get()) != 0 && errno != EINVAL) {
            throw QuelError::FromErrno(errno, "Put");
        }
        if (fd.closeNow() != 0) {
            throw QuelError::FromErrno(errno, "Close");
        }
        if (::rename(temporary.c_str(), path.c_str()) != 0) {
            throw QuelError::FromErrno(errno, "Name");
        }
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    syncFolderOf(path);
}

} // namespace

SyncCall SetSyncCall(SyncCall call) {
    return syncCall.exchange(call);
}

std::int64_t FileLen(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        throw QuelError::FromErrno(errno, "FileLen");
    }
    if (S_ISDIR(st.st_mode)) {
        throw QuelError::FromErrno(EISDIR, "FileLen");
    }
    return static_cast<std::int64_t>(st.st_size);
}

std::vector<std::uint8_t> ReadAll(const std::string& path) {
    FdGuard fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        throw QuelError::FromErrno(errno, "Open");
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        throw QuelError::FromErrno(errno, "Get");
    }
    if (S_ISDIR(st.st_mode)) {
        throw QuelError::FromErrno(EISDIR, "Open");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw QuelError::FromErrno(errno, "Get");
        }
        if (n == 0) {
            bytes.resize(done); // the file shrank while it was read
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes, WriteMode mode) {
    if (mode == WriteMode::Scratch) {
        overwriteInPlace(path, bytes);
    } else {
        replaceDurably(path, bytes);
    }
}

void Kill(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        throw QuelError::FromErrno(errno, "Kill");
    }
}

void FileCopy(const std::string& source, const std::string& destination) {
    WriteAll(destination, ReadAll(source));
}

std::string ApplicationDirectory() {
    std::string buffer(PATH_MAX, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0) {
        throw QuelError::FromErrno(errno, "App.Path");
    }
    buffer.resize(static_cast<std::size_t>(n));
    return folderOf(buffer);
}

} // namespace FileSystem
