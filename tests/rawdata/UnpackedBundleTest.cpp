#include "rawdata/UnpackedBundle.h"
#include "platform/QuelError.h"
#include "tests/support/TempDir.h"

#include <archive.h>
#include <archive_entry.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <sys/stat.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// An entry as "TYPE PATH TEXT": 'f' a file holding TEXT, 'd' a folder, 'l' a
// symbolic and 'h' a hard link to TEXT, 'c' a device, 'p' a FIFO, 'g' a file
// that declares TEXT bytes of which none follow.
struct Item {
    Item(const char* line) : Item(std::string(line)) {}
    Item(const std::string& line) : type(line[0]) {
        std::istringstream words(line.substr(2));
        std::getline(words >> path >> std::noskipws >> std::ws, text, '\0');
    }
    char type;
    std::string path;
    std::string text;
};

// Bytes: a file holding the first item's text.
enum class Input { Archive, Folder, Bytes, Fifo, Missing };

// Accepted with files below Root() holding their text, absent paths and
// entries left out, or refused with a message that holds a word.
struct Outcome {
    std::string refused;
    std::map<std::string, std::string> files;
    std::vector<std::string> absent;
    std::size_t leftOut;
};

Outcome refused(const std::string& word) {
    return {word, {}, {}, 0};
}

struct Row {
    const char* name;
    Input input;
    std::vector<Item> items;
    Outcome outcome;
};

// A pax archive of the items; it ends after the header of a 'g' entry.
std::string archiveOf(const std::vector<Item>& items) {
    std::pair<std::string, bool> sink{"", true};
    const auto append = [](archive*, void* to, const void* bytes, size_t length) -> la_ssize_t {
        auto& [packed, open] = *static_cast<std::pair<std::string, bool>*>(to);
        packed.append(static_cast<const char*>(bytes), open ? length : 0);
        return open ? static_cast<la_ssize_t>(length) : -1;
    };
    archive* writer = archive_write_new();
    archive_write_set_format_pax_restricted(writer);
    archive_write_set_bytes_per_block(writer, 0);
    archive_write_open(writer, &sink, nullptr, append, nullptr);
    const std::map<char, mode_t> types{
        {'d', AE_IFDIR}, {'l', AE_IFLNK}, {'c', AE_IFCHR}, {'p', AE_IFIFO}};
    for (const Item& item : items) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, item.path.c_str());
        archive_entry_set_filetype(entry, types.count(item.type) ? types.at(item.type) : AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, item.type == 'f'   ? static_cast<la_int64_t>(item.text.size())
                                      : item.type == 'g' ? std::stoll(item.text)
                                                         : 0);
        archive_entry_set_symlink(entry, item.type == 'l' ? item.text.c_str() : nullptr);
        archive_entry_set_hardlink(entry, item.type == 'h' ? item.text.c_str() : nullptr);
        archive_write_header(writer, entry);
        archive_entry_free(entry);
        archive_write_data(writer, item.text.data(), item.type == 'f' ? item.text.size() : 0);
        sink.second = item.type != 'g';
    }
    archive_write_free(writer);
    return sink.first;
}

std::string textOf(const std::string& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(UnpackedBundle, CopiesOnlyFilesAndFoldersThatStayInside) {
    const std::string dump = "basic_cpuid[0]=0000000d 756e6547 6c65746e 49656e69\n";
    const std::string deep = std::regex_replace(std::string(33, 'd'), std::regex("d"), "d/");
    const std::vector<Row> rows = {
        {"absolute", Input::Archive, {"f /etc/cron.d/x x"}, refused("absolute")},
        {"dotdot", Input::Archive, {"f m/../../x x"}, refused("leads out")},
        {"long", Input::Archive, {"f m/" + std::string(1100, 'a')}, refused("1024")},
        {"deep", Input::Archive, {"f " + deep + "f"}, refused("deeper")},
        {"1 GiB", Input::Archive, {"f m/stat c", "g m/cpuinfo 1073741824"}, refused("larger")},
        {"truncated", Input::Archive, {"g m/proc/cpuinfo 100"}, refused("runcated")},
        {"entries", Input::Archive, std::vector<Item>(300001, Item("d m")), refused("300000")},
        {"garbage", Input::Bytes, {"f - \x1f\x8b not an archive"}, refused("Unrecognized")},
        {"empty", Input::Bytes, {"f -"}, refused("empty")},
        {"FIFO", Input::Fifo, {}, refused("neither a file")},
        {"missing", Input::Missing, {}, refused("No such file")},
        {"big dump", Input::Bytes, {"f - " + dump + std::string(17 << 20, ' ')}, refused("16 MiB")},
        {"dump", Input::Bytes, {"f - " + dump}, {"", {{"cpuid.raw", dump}}, {}, 0}},
        {"links out",
         Input::Archive,
         {"f m/proc/cpuinfo p", "l m/x /etc/passwd", "l m/y ../../..", "f m/y/z z"},
         {"", {{"proc/cpuinfo", "p"}, {"y/z", "z"}}, {"x"}, 2}},
        {"links in",
         Input::Archive,
         {"f m/n/list old", "f m/n/list 0-3", "l m/n/memory12 .", "l m/n/up ..",
          "f m/cpu/cpufreq/policy0/max 3", "l m/cpu/cpu0/cpufreq ../cpufreq/policy0",
          "l m/cpu/cpu0/max ../cpufreq/policy0/max", "l m/cpu/cpu1/cpufreq ../cpu0/cpufreq",
          "l m/cpu/cpu2/cache ../cpu9"},
         {"",
          {{"n/list", "0-3"}, {"cpu/cpu0/cpufreq/max", "3"}, {"cpu/cpu0/max", "3"}},
          {"n/memory12", "n/up", "cpu/cpu1/cpufreq", "cpu/cpu2/cache"},
          4}},
        {"nodes",
         Input::Archive,
         {"f m/proc/cpuinfo p", "c m/dev/null", "p m/fifo", "h m/hard m/proc/cpuinfo"},
         {"", {{"proc/cpuinfo", "p"}}, {"dev/null", "fifo", "hard"}, 3}},
        {"folder",
         Input::Folder,
         {"f sys/cpu/policy0/max 3", "l sys/cpu/cpu0/cpufreq ../policy0", "l sys/out /etc",
          "p sys/pipe"},
         {"", {{"sys/cpu/cpu0/cpufreq/max", "3"}}, {"sys/out", "sys/pipe"}, 2}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir source, temp;
        // The private folder lies three folders down, so that a write that
        // escapes it still lands in temp, where it is seen.
        const std::string tmp = temp.Path() + "/tmp/a/b";
        fs::create_directories(tmp);
        setenv("TMPDIR", tmp.c_str(), 1);
        const std::string path = source.File("input");
        if (row.input == Input::Fifo) {
            ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        } else if (row.input == Input::Archive || row.input == Input::Bytes) {
            std::ofstream(path) << (row.input == Input::Archive ? archiveOf(row.items)
                                                                : row.items[0].text);
        }
        for (const Item& item : row.input == Input::Folder ? row.items : std::vector<Item>{}) {
            const fs::path file = path + "/" + item.path;
            fs::create_directories(file.parent_path());
            if (item.type == 'l') {
                fs::create_symlink(item.text, file);
            } else if (item.type == 'p') {
                ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
            } else {
                std::ofstream(file) << item.text;
            }
        }
        try {
            const UnpackedBundle bundle(path);
            EXPECT_EQ(row.outcome.refused, "");
            EXPECT_EQ(bundle.LeftOut(), row.outcome.leftOut);
            for (const auto& [file, text] : row.outcome.files) {
                EXPECT_EQ(textOf(bundle.Root() + "/" + file), text) << file;
            }
            for (const std::string& file : row.outcome.absent) {
                EXPECT_FALSE(fs::exists(fs::symlink_status(bundle.Root() + "/" + file))) << file;
            }
            for (const auto& entry : fs::recursive_directory_iterator(tmp)) {
                const fs::file_status status = entry.symlink_status();
                const fs::perms mode = status.permissions();
                EXPECT_TRUE(fs::is_directory(status)
                                ? mode == fs::perms::owner_all
                                : fs::is_regular_file(status) &&
                                      mode == (fs::perms::owner_read | fs::perms::owner_write))
                    << entry.path();
            }
        } catch (const QuelError& error) {
            EXPECT_EQ(error.Description().rfind(path + ": ", 0), 0u) << error.Description();
            EXPECT_NE(row.outcome.refused, "") << error.Description();
            EXPECT_NE(error.Description().find(row.outcome.refused), std::string::npos)
                << error.Description();
        }
        // Only tmp/a/b is left: the private folder is gone and nothing was written beside it.
        EXPECT_EQ(std::distance(fs::recursive_directory_iterator(temp.Path()), {}), 3);
    }
    unsetenv("TMPDIR");
}

} // namespace
