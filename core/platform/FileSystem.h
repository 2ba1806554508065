#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Whole-file operations of the program. Each failure raises a QuelError whose
// description is the system's text for the error; Source names the operation.
namespace FileSystem {

// Length of a file in bytes; raises when the file cannot be found or measured.
std::int64_t FileLen(const std::string& path);

// The whole file as bytes, read in raw mode.
std::vector<std::uint8_t> ReadAll(const std::string& path);

// How WriteAll puts the bytes on disk.
enum class WriteMode {
    // For files the user keeps: the bytes go to a new file in the
    // destination's folder, are flushed to the storage device and only then
    // renamed over the destination, and the folder is flushed after the
    // rename. A failure or a crash leaves either the old or the new file,
    // never a part, and no temporary file.
    Durable,
    // For work files that live for moments and are deleted again: the bytes
    // overwrite the file in place and stay in the page cache, so writing
    // costs memory copies and no disk time. A failed write may leave a
    // partly written file.
    Scratch,
};

// Replaces the destination with exactly these bytes.
void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes,
              WriteMode mode = WriteMode::Durable);

// Deletes a file; a file that does not exist is no error.
void Kill(const std::string& path);

// Copies a file byte for byte, replacing the destination as WriteAll does.
void FileCopy(const std::string& source, const std::string& destination);

// The call that flushes a descriptor to the storage device, fsync unless a
// test puts another in its place; returns the one it replaces.
using SyncCall = int (*)(int fd);
SyncCall SetSyncCall(SyncCall call);

// The folder that holds the running executable, without a closing separator.
std::string ApplicationDirectory();

} // namespace FileSystem
