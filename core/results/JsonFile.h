#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

// Limits on a JSON document that comes from a file, so that a file made
// elsewhere cannot exhaust the stack or the memory. Every document the
// program writes nests 6 levels deep at most; a bench result of 1,000 runs
// with 256 copies each, the largest the command line makes, is about 200 MB.
inline constexpr std::size_t kMaxJsonDepth = 32;
inline constexpr std::uint64_t kMaxJsonBytes = 256ull * 1024 * 1024;

// The JSON document in the file at path, read as a stream, so that pipes
// and FIFOs work as well. Raises a QuelError whose description names the
// file when it cannot be read, holds more than kMaxJsonBytes, is not JSON or
// nests deeper than kMaxJsonDepth; nothing deeper is ever built.
nlohmann::json ReadJsonFile(const std::string& path);
