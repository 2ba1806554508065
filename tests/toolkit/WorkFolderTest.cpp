#include "toolkit/WorkFolder.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(WorkFolder, KeepsTheProgramFolderWhenFilesCanBeMadeThere) {
    TempDir program;
    TempDir cache;
    EXPECT_EQ(ChooseWorkFolder(program.Path(), cache.File("quelvorant")), program.Path());
    EXPECT_FALSE(fs::exists(cache.File("quelvorant")));
    EXPECT_TRUE(fs::is_empty(program.Path())); // the probe leaves nothing behind
}

TEST(WorkFolder, UsesTheCacheFolderWhenTheProgramFolderIsReadOnly) {
    TempDir cache;
    const std::string nested = cache.File("user/.cache/quelvorant");
    // /proc takes no new files, whoever asks, root included.
    EXPECT_EQ(ChooseWorkFolder("/proc", nested), nested);
    EXPECT_TRUE(fs::is_directory(nested));

    // A folder with write permission taken away, for a user that is not root.
    TempDir program;
    fs::permissions(program.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    const std::string expected = ::geteuid() == 0 ? program.Path() : nested;
    EXPECT_EQ(ChooseWorkFolder(program.Path(), nested), expected);
}
