#include "rawdata/UnpackedBundle.h"

#include "platform/QuelError.h"

#include <algorithm>
#include <archive.h>
#include <archive_entry.h>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kMaxPathBytes = 1024;
constexpr std::size_t kMaxDepth = 32;
constexpr std::size_t kMaxEntries = 300000;
constexpr std::int64_t kMaxFileBytes = std::int64_t{32} << 20;
constexpr std::int64_t kMaxTotalBytes = std::int64_t{256} << 20;
constexpr std::int64_t kMaxDumpBytes = std::int64_t{16} << 20;
constexpr std::size_t kDumpProbeBytes = 64 << 10;

using Reader = std::unique_ptr<archive, decltype(&archive_read_free)>;
// Fills a buffer: the number of bytes, 0 at the end; raises a QuelError on failure.
using Source = std::function<la_ssize_t(char* buffer, std::size_t length)>;

QuelError fault(const std::string& path, const std::string& what) {
    return QuelError(QuelError::kOwnError, "UnpackedBundle::UnpackedBundle", path + ": " + what);
}

std::string errorOf(archive* reader) {
    const char* text = reader ? archive_error_string(reader) : nullptr;
    return text ? text : "cannot be read as an archive";
}

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) {
            close(fd);
        }
    }
};

// The components of a path, without empty ones and ".".
std::vector<std::string> partsOf(const std::string& path) {
    std::vector<std::string> parts;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        std::string part = path.substr(start, end - start);
        if (!part.empty() && part != ".") {
            parts.push_back(std::move(part));
        }
        start = end + 1;
    }
    return parts;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string path;
    for (const std::string& part : parts) {
        path += (path.empty() ? "" : "/") + part;
    }
    return path;
}

// Writes a bundle's entries below a private folder within the budgets, then
// turns the links between them into copies. Paths are relative to the folder.
class Copier {
  public:
    Copier(const std::string& input, const std::string& folder) : input_(input), folder_(folder) {}

    // Copies every entry the reader yields, each name without prefix; false
    // when not even the first can be read, the error left in the reader.
    bool Take(archive* reader, const std::string& prefix, bool disk) {
        archive_entry* entry = nullptr;
        int status = ARCHIVE_OK;
        bool any = false;
        while ((status = archive_read_next_header(reader, &entry)) == ARCHIVE_OK ||
               status == ARCHIVE_WARN) {
            any = true;
            count();
            if (disk && archive_read_disk_can_descend(reader)) {
                archive_read_disk_descend(reader);
            }
            const char* name = archive_entry_pathname(entry);
            if (name == nullptr) {
                throw fault(input_, "an entry's name cannot be read");
            }
            // A folder's entries are named by their path on disk, which begins with prefix.
            const std::string relative =
                name + (disk ? std::min(prefix.size(), std::strlen(name)) : 0);
            add(reader, entry, disk ? joined(partsOf(relative)) : relative);
        }
        if (status != ARCHIVE_EOF && any) {
            throw fault(input_, errorOf(reader));
        }
        return status == ARCHIVE_EOF;
    }

    // Creates the file at path with the bytes from read, at most limit of them.
    void Write(const std::string& path, std::int64_t limit, const Source& read) {
        const std::size_t slash = path.rfind('/');
        if (slash != std::string::npos) {
            makeFolders(path.substr(0, slash));
        }
        const auto found = written_.find(path);
        if (found != written_.end() && found->second) {
            throw fault(input_, path + ": both a folder and a file");
        }
        const std::string file = folder_ + "/" + path;
        if (found != written_.end()) {
            unlink(file.c_str()); // a later entry replaces the earlier one
        }
        const Descriptor out{
            open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600)};
        if (out.fd < 0) {
            throw fault(input_, path + ": " + std::strerror(errno));
        }
        written_[path] = false;
        for (std::int64_t size = 0;;) {
            const la_ssize_t got = read(buffer_.data(), buffer_.size());
            if (got == 0) {
                return;
            }
            size += got;
            total_ += got;
            if (size > limit) {
                throw fault(input_, path + ": larger than " + std::to_string(limit >> 20) + " MiB");
            }
            if (total_ > kMaxTotalBytes) {
                throw fault(input_, "more than 256 MiB in all");
            }
            for (la_ssize_t done = 0; done < got;) {
                const ssize_t put = ::write(out.fd, buffer_.data() + done, got - done);
                if (put < 0 && errno != EINTR) {
                    throw fault(input_, path + ": " + std::strerror(errno));
                }
                done += std::max<ssize_t>(put, 0);
            }
        }
    }

    // Turns each link that leads, inside the bundle, to a file or folder it
    // holds into a copy of it; copies are made of what the bundle itself
    // holds, so that no copy holds another.
    void MaterialiseLinks() {
        const std::map<std::string, bool> held = written_;
        for (const auto& [path, target] : links_) {
            const std::optional<std::string> source = resolve(path, target);
            if (!source || !held.count(*source) || written_.count(path) ||
                path.rfind(*source + "/", 0) == 0) {
                ++leftOut_;
                continue;
            }
            if (!held.at(*source)) {
                copyFile(*source, path);
                continue;
            }
            makeFolders(path);
            const std::string inside = *source + "/";
            for (auto it = held.lower_bound(inside);
                 it != held.end() && it->first.rfind(inside, 0) == 0; ++it) {
                count();
                const std::string copy =
                    checked(path + it->first.substr(source->size()), it->second);
                it->second ? makeFolders(copy) : copyFile(it->first, copy);
            }
        }
    }

    // The one top folder everything lies under, "" when there is none.
    std::string Top() const {
        std::vector<std::string> tops;
        for (const auto& [path, folder] : written_) {
            if (path.find('/') == std::string::npos) {
                tops.push_back(folder ? path : "");
            }
        }
        // A lone folder of the system tree is no machine's top folder.
        const bool system = tops.size() == 1 && (tops[0] == "proc" || tops[0] == "sys" ||
                                                 tops[0] == "etc" || tops[0] == "usr");
        return tops.size() == 1 && !system ? tops[0] : "";
    }

    bool HoldsFiles() const {
        return std::any_of(written_.begin(), written_.end(),
                           [](const auto& kept) { return !kept.second; });
    }

    std::size_t LeftOut() const { return leftOut_; }

  private:
    void add(archive* reader, archive_entry* entry, const std::string& name) {
        const mode_t type = archive_entry_filetype(entry);
        const std::string path = checked(name, type == AE_IFDIR);
        if (path.empty()) {
            return; // the top folder itself, "./"
        }
        if (archive_entry_hardlink(entry) != nullptr) {
            ++leftOut_;
        } else if (type == AE_IFDIR) {
            makeFolders(path);
        } else if (type == AE_IFREG) {
            // Refused on its declared size before any of it is read.
            if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > kMaxFileBytes) {
                throw fault(input_, name + ": larger than 32 MiB");
            }
            Write(path, kMaxFileBytes, [this, reader, &name](char* buffer, std::size_t length) {
                const la_ssize_t got = archive_read_data(reader, buffer, length);
                if (got < 0) {
                    throw fault(input_, name + ": " + errorOf(reader));
                }
                return got;
            });
        } else if (type == AE_IFLNK) {
            const char* target = archive_entry_symlink(entry);
            links_.emplace_back(path, target ? target : "");
        } else {
            ++leftOut_;
        }
    }

    // The path without "." and empty components; refuses one that is
    // absolute, climbs with "..", is too long or too deep.
    std::string checked(const std::string& name, bool folder) const {
        if (name.size() > kMaxPathBytes) {
            throw fault(input_, name.substr(0, 64) + "...: longer than 1024 bytes");
        }
        if (!name.empty() && name.front() == '/') {
            throw fault(input_, name + ": absolute path");
        }
        const std::vector<std::string> parts = partsOf(name);
        if (std::find(parts.begin(), parts.end(), "..") != parts.end()) {
            throw fault(input_, name + ": leads out with \"..\"");
        }
        if (parts.size() > kMaxDepth + (folder ? 0 : 1)) {
            throw fault(input_, name + ": deeper than 32 folders");
        }
        return joined(parts);
    }

    void count() {
        if (++entries_ > kMaxEntries) {
            throw fault(input_, "more than 300000 entries");
        }
    }

    // Makes the folder and those above it that are missing.
    void makeFolders(const std::string& path) {
        for (std::size_t end = path.find('/');; end = path.find('/', end + 1)) {
            const std::string folder = path.substr(0, end);
            const auto found = written_.find(folder);
            if (found == written_.end()) {
                if (mkdir((folder_ + "/" + folder).c_str(), 0700) != 0) {
                    throw fault(input_, folder + ": " + std::strerror(errno));
                }
                written_.emplace(folder, true);
            } else if (!found->second) {
                throw fault(input_, folder + ": both a file and a folder");
            }
            if (end == std::string::npos) {
                return;
            }
        }
    }

    void copyFile(const std::string& from, const std::string& to) {
        const Descriptor in{
            open((folder_ + "/" + from).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC)};
        Write(to, kMaxFileBytes, [this, &in, &from](char* buffer, std::size_t length) {
            const ssize_t got = in.fd < 0 ? -1 : ::read(in.fd, buffer, length);
            if (got < 0) {
                throw fault(input_, from + ": " + std::strerror(errno));
            }
            return got;
        });
    }

    // Where a relative link target leads, resolved by name from the link's
    // folder; none when it is absolute or leaves the bundle.
    static std::optional<std::string> resolve(const std::string& link, const std::string& target) {
        if (target.empty() || target.front() == '/') {
            return std::nullopt;
        }
        std::vector<std::string> parts = partsOf(link);
        parts.pop_back();
        for (const std::string& part : partsOf(target)) {
            if (part != "..") {
                parts.push_back(part);
            } else if (parts.empty()) {
                return std::nullopt;
            } else {
                parts.pop_back();
            }
        }
        return joined(parts);
    }

    const std::string& input_;
    const std::string& folder_;
    std::map<std::string, bool> written_;                    // path: is a folder
    std::vector<std::pair<std::string, std::string>> links_; // path, target
    std::vector<char> buffer_ = std::vector<char>(64 << 10);
    std::size_t entries_ = 0;
    std::size_t leftOut_ = 0;
    std::int64_t total_ = 0;
};

void takeFolder(Copier& copier, const std::string& path) {
    std::error_code error;
    const std::string real = std::filesystem::canonical(path, error).string();
    if (error) {
        throw fault(path, error.message());
    }
    const Reader reader(archive_read_disk_new(), &archive_read_free);
    if (!reader || archive_read_disk_set_symlink_physical(reader.get()) != ARCHIVE_OK ||
        archive_read_disk_set_behavior(reader.get(),
                                       ARCHIVE_READDISK_NO_XATTR | ARCHIVE_READDISK_NO_ACL |
                                           ARCHIVE_READDISK_NO_FFLAGS |
                                           ARCHIVE_READDISK_NO_SPARSE) != ARCHIVE_OK ||
        archive_read_disk_open(reader.get(), real.c_str()) != ARCHIVE_OK ||
        !copier.Take(reader.get(), real, true)) {
        throw fault(path, errorOf(reader.get()));
    }
}

// An archive, else a CPUID dump copied as cpuid.raw.
void takeFile(Copier& copier, const std::string& path, int fd) {
    const Reader reader(archive_read_new(), &archive_read_free);
    // Only compressions libarchive decodes itself, so no program is ever run on the input.
    for (int (*support)(archive*) :
         {archive_read_support_filter_gzip, archive_read_support_filter_bzip2,
          archive_read_support_filter_xz, archive_read_support_filter_lzma,
          archive_read_support_filter_zstd, archive_read_support_filter_lz4}) {
        support(reader.get());
    }
    archive_read_support_format_tar(reader.get());
    if (archive_read_open_fd(reader.get(), fd, 64 << 10) == ARCHIVE_OK &&
        copier.Take(reader.get(), "", false)) {
        return;
    }
    std::string probe(kDumpProbeBytes, '\0');
    const ssize_t got = pread(fd, probe.data(), probe.size(), 0);
    if (got <= 0 || probe.substr(0, static_cast<std::size_t>(got)).find("basic_cpuid[0]=") ==
                        std::string::npos) {
        throw fault(path, "neither a bundle nor a CPUID dump: " + errorOf(reader.get()));
    }
    off_t offset = 0;
    copier.Write("cpuid.raw", kMaxDumpBytes, [&](char* buffer, std::size_t length) {
        const ssize_t read = pread(fd, buffer, length, offset);
        if (read < 0) {
            throw fault(path, std::strerror(errno));
        }
        offset += read;
        return read;
    });
}

std::string makePrivateFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/quelvorant-raw-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw fault(pattern, std::strerror(errno));
    }
    return pattern;
}

} // namespace

UnpackedBundle::UnpackedBundle(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        throw fault(path, std::strerror(errno));
    }
    if (!S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode)) {
        throw fault(path, "neither a file nor a folder");
    }
    // O_NONBLOCK: should the path have become a FIFO since, opening it does not wait.
    const Descriptor input{S_ISREG(status.st_mode)
                               ? open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)
                               : -1};
    if (S_ISREG(status.st_mode)) {
        if (input.fd < 0) {
            throw fault(path, std::strerror(errno));
        }
        if (fstat(input.fd, &status) != 0 || !S_ISREG(status.st_mode)) {
            throw fault(path, "not a regular file");
        }
        if (status.st_size == 0) {
            throw fault(path, "empty file");
        }
    }
    folder_ = makePrivateFolder();
    try {
        Copier copier(path, folder_);
        if (input.fd < 0) {
            takeFolder(copier, path);
        } else {
            takeFile(copier, path, input.fd);
        }
        copier.MaterialiseLinks();
        if (!copier.HoldsFiles()) {
            throw fault(path, "holds no files");
        }
        const std::string top = copier.Top();
        root_ = top.empty() ? folder_ : folder_ + "/" + top;
        leftOut_ = copier.LeftOut();
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        throw;
    }
}

UnpackedBundle::~UnpackedBundle() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}
