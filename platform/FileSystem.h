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

// Replaces the destination with exactly these bytes. The bytes go to a new
// file in the destination's folder first, which is then renamed over the
// destination, so a failure leaves an existing destination as it was and
// leaves no temporary file behind.
void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Deletes a file; a file that does not exist is no error.
void Kill(const std::string& path);

// Copies a file byte for byte, replacing the destination as WriteAll does.
void FileCopy(const std::string& source, const std::string& destination);

// The folder that holds the running executable, without a closing separator.
std::string ApplicationDirectory();

} // namespace FileSystem
