#include "rawdata/RawDataSave.h"
#include "facts/CpuidDump.h"
#include "facts/KernelName.h"
#include "tests/facts/FakeSystemTree.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The bundle's entries by path, folders with an empty text.
std::map<std::string, std::string> entriesOf(const std::string& file) {
    std::map<std::string, std::string> entries;
    archive* reader = archive_read_new();
    archive_read_support_filter_gzip(reader);
    archive_read_support_format_tar(reader);
    EXPECT_EQ(archive_read_open_filename(reader, file.c_str(), 16384), ARCHIVE_OK);
    archive_entry* entry = nullptr;
    while (archive_read_next_header(reader, &entry) == ARCHIVE_OK) {
        std::string& text = entries[archive_entry_pathname(entry)];
        text.resize(static_cast<std::size_t>(archive_entry_size(entry)));
        archive_read_data(reader, text.data(), text.size());
    }
    archive_read_free(reader);
    return entries;
}

const std::string kCpu = "/sys/devices/system/cpu";

TEST(RawDataSave, KeepsTheLayoutAndLeavesOutTheIdentityUnlessAsked) {
    FakeSystemTree tree;
    tree.Write("/proc/cpuinfo", "processor\t: 0\nSerial\t\t: 00000000c0ffee42\n");
    tree.Write("/etc/machine-id", "0123456789abcdef0123456789abcdef\n");
    tree.Write("/usr/lib/os-release", "ID=debian\n");
    tree.Write(kCpu + "/online", "0-1\n");
    tree.Write(kCpu + "/cpu0/topology/core_id", "0\n");
    tree.Write(kCpu + "/cpu0/cache/index0/size", "48K\n");
    tree.Write(kCpu + "/cpu0/cpufreq/scaling_setspeed", "<unsupported>\n");
    tree.Write("/sys/devices/system/node/node0/cpulist", "0-1\n");
    // A write-only attribute and a FIFO would block or fail a reader that opens them.
    chmod((tree.Root() + kCpu + "/cpu0/cpufreq/scaling_setspeed").c_str(), 0200);
    ASSERT_EQ(mkfifo((tree.Root() + kCpu + "/cpu0/topology/pipe").c_str(), 0644), 0);
    const std::string host = ReadKernelName().value().HostName;

    for (const bool identity : {false, true}) {
        SCOPED_TRACE(identity ? "with identity" : "without identity");
        const std::string file = tree.Root() + "/machine.tar.gz";
        ASSERT_GT(SaveRawData(file, {tree.Root(), identity}), 0u);
        const auto entries = entriesOf(file);
        for (const std::string path :
             {"machine/", "machine/proc/", "machine/proc/cpuinfo", "machine/usr/lib/os-release",
              "machine/sys/devices/system/cpu/online",
              "machine/sys/devices/system/cpu/cpu0/topology/core_id",
              "machine/sys/devices/system/cpu/cpu0/cache/index0/size",
              "machine/sys/devices/system/node/node0/cpulist", "machine/uname.txt",
              "machine/hwloc.xml"}) {
            EXPECT_TRUE(entries.count(path)) << path;
        }
        EXPECT_FALSE(entries.count("machine/sys/devices/system/cpu/cpu0/topology/pipe"));
        EXPECT_FALSE(entries.count("machine/sys/devices/system/cpu/cpu0/cpufreq/scaling_setspeed"));
        EXPECT_EQ(entries.count("machine/etc/machine-id"), identity);
        EXPECT_EQ(entries.at("machine/proc/cpuinfo").find("Serial") != std::string::npos, identity);
        EXPECT_EQ(entries.at("machine/hwloc.xml").find('"' + host + '"') != std::string::npos,
                  identity);
        EXPECT_EQ(entries.at("machine/uname.txt").find("nodename=" + host) != std::string::npos,
                  identity);
#if defined(__x86_64__) || defined(__i386__)
        EXPECT_EQ(ParseCpuidDump(entries.at("machine/cpuid.raw"), "cpuid.raw").size(),
                  static_cast<std::size_t>(sysconf(_SC_NPROCESSORS_ONLN)));
        EXPECT_TRUE(entries.count("machine/cpuid-extra.txt"));
#endif
    }
}

} // namespace
