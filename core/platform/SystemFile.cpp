#include "platform/SystemFile.h"

#include <charconv>
#include <fstream>
#include <iterator>

namespace SystemFile {

std::optional<std::string> Text(const std::string& root, const std::string& path) {
    // Kernel files report a length of 0, so they are read to their end.
    std::ifstream in(root + path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    return text;
}

std::optional<std::string> Line(const std::string& root, const std::string& path) {
    const std::optional<std::string> text = Text(root, path);
    if (!text) {
        return std::nullopt;
    }
    const std::string line = text->substr(0, text->find('\n'));
    const char* space = " \t\r\f\v";
    const std::size_t first = line.find_first_not_of(space);
    if (first == std::string::npos) {
        return std::nullopt;
    }
    return line.substr(first, line.find_last_not_of(space) - first + 1);
}

std::optional<std::uint64_t> Number(const std::string& root, const std::string& path) {
    const std::optional<std::string> line = Line(root, path);
    if (!line) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    const char* end = line->data() + line->size();
    const auto [stop, error] = std::from_chars(line->data(), end, value);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace SystemFile
