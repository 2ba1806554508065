#pragma once

#include <cstddef>
#include <string>

// A machine's raw data copied into a private temporary folder (mode 0700,
// made with mkdtemp under $TMPDIR or /tmp) from a bundle (.tar.gz, or any tar
// that libarchive reads), a folder laid out like one, or a bare CPUID dump
// in libcpuid's raw text format; the folder and its content are removed
// with the object. Raises a QuelError naming path and the fault.
//
// The input is untrusted: only folders and regular files are created, all
// below the private folder; absolute paths, "..", paths over 1,024 bytes or
// 32 folders deep, more than 300,000 entries, a file over 32 MiB and more
// than 256 MiB in all are refused. Symbolic links that lead, inside the
// bundle, to a file or folder it holds become copies of it.
class UnpackedBundle {
  public:
    explicit UnpackedBundle(const std::string& path);
    ~UnpackedBundle();
    UnpackedBundle(const UnpackedBundle&) = delete;
    UnpackedBundle& operator=(const UnpackedBundle&) = delete;

    // The machine's root within that folder: the archive's or folder's one
    // top folder where everything lies under one (util-linux keeps its lscpu
    // test machines as "NAME/proc/cpuinfo", "NAME/sys/..."; our own bundles
    // are "NAME/proc/...", "NAME/cpuid.raw"), else the private folder itself.
    // A lone "proc", "sys", "etc" or "usr" is part of the machine's tree, not
    // its top folder.
    const std::string& Root() const { return root_; }

    // Entries not copied: links that lead nowhere inside the bundle, devices,
    // FIFOs, sockets, hard links.
    std::size_t LeftOut() const { return leftOut_; }

  private:
    std::string folder_;
    std::string root_;
    std::size_t leftOut_ = 0;
};
