// Throughput of EncodeByte and DecodeByte on 3.2 MB of mixed content: rows of
// a textured colour gradient (like a bitmap) alternating with machine-code-like
// bytes, generated the same way on every run.
#include "codec/clsHuffman.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kInputSize = 3200000;
constexpr std::size_t kBlockSize = 64 * 1024;
constexpr std::size_t kRowPixels = 640;

// Small deterministic generator (xorshift32).
class Noise {
  public:
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

  private:
    std::uint32_t state_ = 0x9E3779B9u;
};

// Blue, green, red bytes of a gradient with a little texture.
void AppendBitmap(Bytes& out, std::size_t count, std::size_t& pixel, Noise& noise) {
    for (std::size_t i = 0; i < count; i += 3, ++pixel) {
        const std::size_t x = pixel % kRowPixels;
        const std::size_t y = pixel / kRowPixels % 480;
        const std::uint32_t texture = noise.Next() & 7;
        out.push_back(static_cast<std::uint8_t>((x + y) / 5 + texture));
        out.push_back(static_cast<std::uint8_t>(x * 255 / kRowPixels + texture));
        out.push_back(static_cast<std::uint8_t>(y / 2 + texture));
    }
}

// Zero padding, frequent opcode and prefix bytes, and arbitrary immediates.
void AppendCode(Bytes& out, std::size_t count, Noise& noise) {
    static constexpr std::array<std::uint8_t, 16> kCommon = {0x48, 0x89, 0x8B, 0xE8, 0x83, 0xC4,
                                                             0x24, 0x45, 0x5D, 0xC3, 0x0F, 0x85,
                                                             0x74, 0xFF, 0x8D, 0x4C};
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t r = noise.Next();
        const std::uint32_t kind = r % 10;
        if (kind < 3) {
            out.push_back(0x00);
        } else if (kind < 6) {
            out.push_back(kCommon[(r >> 8) % kCommon.size()]);
        } else {
            out.push_back(static_cast<std::uint8_t>(r >> 16));
        }
    }
}

const Bytes& Input() {
    static const Bytes input = [] {
        Bytes bytes;
        bytes.reserve(kInputSize + kBlockSize);
        Noise noise;
        std::size_t pixel = 0;
        for (std::size_t block = 0; bytes.size() < kInputSize; ++block) {
            if (block % 2 == 0) {
                AppendBitmap(bytes, kBlockSize, pixel, noise);
            } else {
                AppendCode(bytes, kBlockSize, noise);
            }
        }
        bytes.resize(kInputSize);
        return bytes;
    }();
    return input;
}

void EncodeByte(benchmark::State& state) {
    const Bytes& input = Input();
    clsHuffman codec;
    Bytes buffer;
    for (auto _ : state) {
        state.PauseTiming();
        buffer = input;
        state.ResumeTiming();
        codec.EncodeByte(buffer, static_cast<std::int32_t>(input.size()));
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
    state.counters["stream_bytes"] = static_cast<double>(buffer.size());
}

void DecodeByte(benchmark::State& state) {
    const Bytes& input = Input();
    clsHuffman codec;
    Bytes stream = input;
    codec.EncodeByte(stream, static_cast<std::int32_t>(stream.size()));
    Bytes buffer;
    for (auto _ : state) {
        state.PauseTiming();
        buffer = stream;
        state.ResumeTiming();
        codec.DecodeByte(buffer, static_cast<std::int32_t>(stream.size()));
        benchmark::DoNotOptimize(buffer.data());
    }
    if (buffer != input) {
        state.SkipWithError("decoded bytes differ from the input");
    }
    // Throughput counts decoded bytes, so both figures refer to the same input.
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

} // namespace

BENCHMARK(EncodeByte)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeByte)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
