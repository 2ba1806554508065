#include "platform/FileSystem.h"
#include "platform/QuelError.h"
#include "tests/support/TempDir.h"

#include <csignal>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FileSystemTest : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}));
    }
    TempDir tempDir_;
    const std::string dir_ = tempDir_.Path();
};

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

} // namespace

TEST_F(FileSystemTest, WriteReadLengthAndKill) {
    const auto data = bytesOf(std::string("a\0b\r\n", 5));
    FileSystem::WriteAll(path("f"), data);
    EXPECT_EQ(FileSystem::FileLen(path("f")), 5);
    EXPECT_EQ(FileSystem::ReadAll(path("f")), data);
    FileSystem::Kill(path("f"));
    EXPECT_FALSE(fs::exists(path("f")));
    EXPECT_NO_THROW(FileSystem::Kill(path("f"))); // a missing file is no error
}

TEST_F(FileSystemTest, WriteReplacesALongerFileExactlyInEitherMode) {
    // A durable write puts a new file in place of the old one; a scratch
    // write reuses the old file.
    const struct {
        FileSystem::WriteMode mode;
        bool newFile;
    } cases[] = {{FileSystem::WriteMode::Durable, true}, {FileSystem::WriteMode::Scratch, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.newFile ? "durable" : "scratch");
        FileSystem::WriteAll(path("f"), bytesOf("a much longer old content"));
        struct stat old {};
        ASSERT_EQ(::stat(path("f").c_str(), &old), 0);
        FileSystem::WriteAll(path("f"), bytesOf("new"), c.mode);
        struct stat now {};
        ASSERT_EQ(::stat(path("f").c_str(), &now), 0);
        EXPECT_EQ(FileSystem::ReadAll(path("f")), bytesOf("new"));
        EXPECT_EQ(now.st_ino != old.st_ino, c.newFile);
        EXPECT_EQ(entries(), 1u); // no temporary file left
    }
}

namespace {

// What each flush reached: a folder or a file, which one, and what the
// destination held at that moment.
struct Flush {
    bool folder = false;
    ino_t inode = 0;
    std::string destination;
};
std::vector<Flush> flushes;
std::string flushedDestination;

int countingSync(int fd) {
    struct stat seen {};
    ::fstat(fd, &seen);
    std::ifstream in(flushedDestination, std::ios::binary);
    flushes.push_back(
        {S_ISDIR(seen.st_mode), seen.st_ino, std::string(std::istreambuf_iterator<char>(in), {})});
    return ::fsync(fd);
}

} // namespace

TEST_F(FileSystemTest, DurableWriteFlushesTheFileThenItsFolderAfterTheRename) {
    struct stat folder {};
    ASSERT_EQ(::stat(dir_.c_str(), &folder), 0);
    flushedDestination = path("f");
    const struct {
        FileSystem::WriteMode mode;
        std::size_t flushes;
    } cases[] = {{FileSystem::WriteMode::Durable, 2}, {FileSystem::WriteMode::Scratch, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flushes == 0 ? "scratch" : "durable");
        FileSystem::WriteAll(path("f"), bytesOf("old"));
        flushes.clear();
        const FileSystem::SyncCall previous = FileSystem::SetSyncCall(&countingSync);
        FileSystem::WriteAll(path("f"), bytesOf("new"), c.mode);
        FileSystem::SetSyncCall(previous);
        ASSERT_EQ(flushes.size(), c.flushes);
        if (c.flushes == 2) {
            EXPECT_FALSE(flushes[0].folder);
            EXPECT_EQ(flushes[0].destination, "old"); // the file before its rename
            EXPECT_TRUE(flushes[1].folder);
            EXPECT_EQ(flushes[1].inode, folder.st_ino);
            EXPECT_EQ(flushes[1].destination, "new"); // the folder after it
        }
    }
}

TEST_F(FileSystemTest, MissingFilesRaiseFileNotFound) {
    for (auto op : {+[](const std::string& p) { FileSystem::FileLen(p); },
                    +[](const std::string& p) { FileSystem::ReadAll(p); }}) {
        try {
            op(path("missing"));
            FAIL() << "no error raised";
        } catch (const QuelError& e) {
            EXPECT_EQ(e.Number(), QuelError::kFileNotFound);
        }
    }
    EXPECT_THROW(FileSystem::FileLen(dir_), QuelError); // a folder is not a file
}

TEST_F(FileSystemTest, FailedWriteKeepsOldFileAndLeavesNoTemporary) {
    FileSystem::WriteAll(path("f"), bytesOf("old"));
    ::chmod(dir_.c_str(), 0555);
    // Root may write into any folder, so the write is tried by an ordinary
    // user (nobody) in a child process when the tests run as root.
    const auto tryWrite = [this]() -> int {
        try {
            FileSystem::WriteAll(path("f"), bytesOf("new"));
            return 1;
        } catch (const QuelError& e) {
            return e.Number() == QuelError::kPermissionDenied ? 0 : 2;
        }
    };
    int outcome = 0;
    if (::geteuid() == 0) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
            ::_exit(dropped ? tryWrite() : 3);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        outcome = WEXITSTATUS(status);
    } else {
        outcome = tryWrite();
    }
    ::chmod(dir_.c_str(), 0700);
    EXPECT_EQ(outcome, 0) << "1: no error raised, 2: another error, 3: could not drop root";
    EXPECT_EQ(FileSystem::ReadAll(path("f")), bytesOf("old"));
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FileSystemTest, WriteFailingMidwayKeepsOldFileAndLeavesNoTemporary) {
    // A file-size limit makes the write fail part of the way, as a full disk
    // does, and works for every user including root.
    FileSystem::WriteAll(path("f"), bytesOf("old"));
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool raised = false;
    try {
        FileSystem::WriteAll(path("f"), std::vector<std::uint8_t>(4096, 1));
    } catch (const QuelError& e) {
        raised = true;
        EXPECT_EQ(e.Description(), std::strerror(EFBIG));
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(raised);
    EXPECT_EQ(FileSystem::ReadAll(path("f")), bytesOf("old"));
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FileSystemTest, CopyIsByteExact) {
    std::vector<std::uint8_t> data(70000);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(i * 31 + 7);
    }
    FileSystem::WriteAll(path("src"), data);
    FileSystem::WriteAll(path("dst"), bytesOf("older and longer than nothing"));
    FileSystem::FileCopy(path("src"), path("dst"));
    EXPECT_EQ(FileSystem::ReadAll(path("dst")), data);
}

TEST(ApplicationDirectory, IsTheFolderOfTheRunningProgram) {
    const std::string dir = FileSystem::ApplicationDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), '/');
    EXPECT_EQ(fs::path(dir), fs::canonical("/proc/self/exe").parent_path());
}
