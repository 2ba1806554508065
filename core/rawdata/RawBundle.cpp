#include "rawdata/RawBundle.h"

#include "platform/FileSystem.h"
#include "platform/QuelError.h"

#include <archive.h>
#include <archive_entry.h>
#include <cstdint>
#include <ctime>
#include <memory>
#include <set>
#include <vector>

namespace {

using Archive = std::unique_ptr<archive, decltype(&archive_write_free)>;
using Entry = std::unique_ptr<archive_entry, decltype(&archive_entry_free)>;

la_ssize_t appendBytes(archive*, void* sink, const void* bytes, size_t length) {
    auto& packed = *static_cast<std::vector<std::uint8_t>*>(sink);
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    packed.insert(packed.end(), first, first + length);
    return static_cast<la_ssize_t>(length);
}

// Every folder that holds one of the files, the top folder included, each
// ending in '/'.
std::set<std::string> foldersOf(const std::string& top,
                                const std::map<std::string, std::string>& files) {
    std::set<std::string> folders{top + "/"};
    for (const auto& [path, bytes] : files) {
        for (auto slash = path.find('/'); slash != std::string::npos;
             slash = path.find('/', slash + 1)) {
            folders.insert(top + "/" + path.substr(0, slash + 1));
        }
    }
    return folders;
}

} // namespace

RawBundle::RawBundle(std::string topFolder) : top_(std::move(topFolder)) {}

void RawBundle::Add(const std::string& path, std::string bytes) {
    files_[path] = std::move(bytes);
}

std::size_t RawBundle::Save(const std::string& file) const {
    std::vector<std::uint8_t> packed;
    const Archive writer(archive_write_new(), &archive_write_free);
    const auto fail = [&file, &writer](const std::string& what) {
        const char* detail = writer ? archive_error_string(writer.get()) : nullptr;
        return QuelError(QuelError::kOwnError, "RawBundle::Save",
                         file + ": " + what + (detail ? std::string(": ") + detail : ""));
    };
    if (!writer || archive_write_add_filter_gzip(writer.get()) != ARCHIVE_OK ||
        archive_write_set_format_pax_restricted(writer.get()) != ARCHIVE_OK ||
        // No padding of the compressed file to whole tape blocks.
        archive_write_set_bytes_in_last_block(writer.get(), 1) != ARCHIVE_OK ||
        archive_write_open(writer.get(), &packed, nullptr, appendBytes, nullptr) != ARCHIVE_OK) {
        throw fail("cannot start the archive");
    }
    const std::time_t now = std::time(nullptr);
    // Folders and files in one sorted list, so that a folder precedes its content.
    std::map<std::string, const std::string*> entries;
    for (const std::string& folder : foldersOf(top_, files_)) {
        entries[folder] = nullptr;
    }
    for (const auto& [path, bytes] : files_) {
        entries[top_ + "/" + path] = &bytes;
    }
    for (const auto& [path, bytes] : entries) {
        const Entry entry(archive_entry_new(), &archive_entry_free);
        archive_entry_set_pathname(entry.get(), path.c_str());
        archive_entry_set_filetype(entry.get(), bytes ? AE_IFREG : AE_IFDIR);
        archive_entry_set_perm(entry.get(), bytes ? 0444 : 0755);
        archive_entry_set_size(entry.get(), bytes ? static_cast<la_int64_t>(bytes->size()) : 0);
        archive_entry_set_mtime(entry.get(), now, 0);
        if (archive_write_header(writer.get(), entry.get()) != ARCHIVE_OK ||
            (bytes && archive_write_data(writer.get(), bytes->data(), bytes->size()) !=
                          static_cast<la_ssize_t>(bytes->size()))) {
            throw fail("cannot add " + path);
        }
    }
    if (archive_write_close(writer.get()) != ARCHIVE_OK) {
        throw fail("cannot finish the archive");
    }
    try {
        FileSystem::WriteAll(file, packed, FileSystem::WriteMode::Durable);
    } catch (const QuelError& error) {
        throw QuelError(error.Number(), "RawBundle::Save", file + ": " + error.Description());
    }
    return packed.size();
}
