// Feeds arbitrary bytes to DecodeByte. Any QuelError is an accepted outcome,
// but a failed call must leave the buffer as it was, and the Progress values
// of one call must rise strictly within 1 to 100.
#include "codec/clsHuffman.h"
#include "platform/QuelError.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> input(data, data + size);
    std::vector<std::uint8_t> buffer = input;
    std::int16_t last = 0;
    clsHuffman codec;
    codec.SetProgressHandler([&last](std::int16_t& Procent) {
        if (Procent <= last || Procent > 100) {
            __builtin_trap();
        }
        last = Procent;
    });
    try {
        codec.DecodeByte(buffer, static_cast<std::int32_t>(buffer.size()));
    } catch (const QuelError&) {
        if (buffer != input) {
            __builtin_trap();
        }
    }
    return 0;
}
