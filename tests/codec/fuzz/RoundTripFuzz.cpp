// Encodes arbitrary bytes and decodes the stream again: the result must be
// the input, and neither call may fail.
#include "codec/clsHuffman.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> input(data, data + size);
    std::vector<std::uint8_t> buffer = input;
    clsHuffman codec;
    codec.EncodeByte(buffer, static_cast<std::int32_t>(buffer.size()));
    codec.DecodeByte(buffer, static_cast<std::int32_t>(buffer.size()));
    if (buffer != input) {
        __builtin_trap();
    }
    return 0;
}
