#pragma once

#include "codec/clsHuffman.h"
#include "platform/QuelError.h"

#include <cstdint>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

// Helpers shared by the codec tests.
namespace codectest {

using Bytes = std::vector<std::uint8_t>;

// Bytes written as hexadecimal pairs separated by blanks: "48 45 33 0D".
inline Bytes Hex(const std::string& text) {
    Bytes bytes;
    std::istringstream in(text);
    unsigned value = 0;
    while (in >> std::hex >> value) {
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

inline Bytes Repeat(std::uint8_t value, std::size_t count) {
    return Bytes(count, value);
}

inline Bytes Concat(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

inline Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

inline Bytes RandomBytes(std::size_t count, unsigned alphabet, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<unsigned> pick(0, alphabet - 1);
    Bytes bytes(count);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(pick(random));
    }
    return bytes;
}

// Every Progress value one codec object raised, in order.
class ProgressLog {
  public:
    explicit ProgressLog(clsHuffman& codec) {
        codec.SetProgressHandler([this](std::int16_t& Procent) { values.push_back(Procent); });
    }
    std::vector<std::int16_t> values;
};

template <class Operation> std::optional<QuelError> Raised(Operation&& operation) {
    try {
        operation();
    } catch (const QuelError& error) {
        return error;
    }
    return std::nullopt;
}

inline Bytes Encoded(Bytes bytes) {
    clsHuffman codec;
    codec.EncodeByte(bytes, static_cast<std::int32_t>(bytes.size()));
    return bytes;
}

} // namespace codectest
