#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

// Limits on a JSON document that comes from a file, so that a file made
// elsewhere cannot exhaust the stack, the memory or the time. Every
// document the program writes nests 6 levels deep at most; a bench result
// of one run of 256 copies takes about 0.6 MB and 30,000 values.
inline constexpr std::size_t kMaxJsonDepth = 32;
inline constexpr std::uint64_t kMaxJsonBytes = 64ull * 1024 * 1024;
// Values of every kind, counted as they are read: a few hundred bytes of
// memory each at most.
inline constexpr std::size_t kMaxJsonValues = 2u * 1024 * 1024;
// One text or key; the longest the program writes is a warning line.
inline constexpr std::size_t kMaxJsonStringBytes = 64 * 1024;

// The JSON document in the file at path, read as a stream, so that pipes
// and FIFOs work as well; "-" reads standard input. Raises a QuelError whose description names the
// file when it cannot be read, is not JSON or passes one of the limits
// above; the document is built as it is read, and nothing beyond a limit
// is ever built. Time and memory grow in proportion to the file.
nlohmann::json ReadJsonFile(const std::string& path);

// The same for a document already in memory; name stands for its source.
nlohmann::json ParseJsonText(const std::string& text, const std::string& name);
