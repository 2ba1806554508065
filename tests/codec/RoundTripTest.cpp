#include "tests/codec/CodecTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace codectest;

namespace {

enum class Shape { Uniform, Skewed, Runs };

// Data of a given size over the values 0 to alphabet - 1.
Bytes Make(Shape shape, std::size_t size, unsigned alphabet, std::uint32_t seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    switch (shape) {
    case Shape::Uniform:
        return RandomBytes(size, alphabet, seed);
    case Shape::Skewed: {
        std::geometric_distribution<unsigned> pick(0.3);
        for (auto& b : bytes) {
            b = static_cast<std::uint8_t>(std::min(pick(random), alphabet - 1));
        }
        return bytes;
    }
    case Shape::Runs: {
        std::uniform_int_distribution<unsigned> value(0, alphabet - 1);
        std::uniform_int_distribution<std::size_t> length(1, 5000);
        for (std::size_t i = 0; i < size;) {
            const std::size_t end = std::min(size, i + length(random));
            std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(i),
                      bytes.begin() + static_cast<std::ptrdiff_t>(end),
                      static_cast<std::uint8_t>(value(random)));
            i = end;
        }
        return bytes;
    }
    }
    return bytes;
}

// Values rise strictly within 1 to 100, and 100 closes every coded-form call.
void ExpectSoundProgress(const std::vector<std::int16_t>& values, bool coded) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_GE(values[i], 1);
        EXPECT_LE(values[i], 100);
        if (i > 0) {
            EXPECT_LT(values[i - 1], values[i]);
        }
    }
    if (coded) {
        ASSERT_FALSE(values.empty());
        EXPECT_EQ(values.back(), 100);
    }
}

void ExpectRoundTrip(const Bytes& input) {
    clsHuffman codec;
    ProgressLog log(codec);
    Bytes buffer = input;
    codec.EncodeByte(buffer, static_cast<std::int32_t>(buffer.size()));
    const bool coded = buffer.size() >= 4 && buffer[2] == 0x33;
    ExpectSoundProgress(log.values, coded);
    EXPECT_LE(buffer.size(), input.size() + 11 + 512 + 8160);

    log.values.clear();
    codec.DecodeByte(buffer, static_cast<std::int32_t>(buffer.size()));
    ExpectSoundProgress(log.values, coded);
    ASSERT_EQ(buffer.size(), input.size());
    EXPECT_TRUE(buffer == input);
}

TEST(RoundTrip, ManySizesAlphabetsAndShapes) {
    const std::size_t sizes[] = {0, 1, 2, 7, 8, 9, 255, 1000, 9999, 10000, 10001, 65536};
    const unsigned alphabets[] = {1, 2, 3, 17, 200, 256};
    std::uint32_t seed = 1;
    for (const Shape shape : {Shape::Uniform, Shape::Skewed, Shape::Runs}) {
        for (const std::size_t size : sizes) {
            for (const unsigned alphabet : alphabets) {
                SCOPED_TRACE(::testing::Message() << "shape " << static_cast<int>(shape) << " size "
                                                  << size << " alphabet " << alphabet);
                ExpectRoundTrip(Make(shape, size, alphabet, seed++));
            }
        }
    }
}

TEST(RoundTrip, LargeInputs) {
    ExpectRoundTrip(Make(Shape::Uniform, 300000, 256, 11));
    ExpectRoundTrip(Make(Shape::Skewed, 300000, 256, 12));
    ExpectRoundTrip(Make(Shape::Runs, 300000, 64, 13));
}

TEST(RoundTrip, FibonacciCountsGiveLongCodes) {
    // Counts 1, 1, 2, 3, 5, ... make the deepest tree a size allows: the
    // rarest values get codes of 26 bits.
    Bytes input;
    std::size_t a = 1;
    std::size_t b = 1;
    for (unsigned v = 0; v < 27; ++v) {
        input.insert(input.end(), a, static_cast<std::uint8_t>(v * 9));
        const std::size_t next = a + b;
        a = b;
        b = next;
    }
    std::shuffle(input.begin(), input.end(), std::mt19937(5));
    ExpectRoundTrip(input);
    const Bytes stream = Encoded(input);
    unsigned longest = 0;
    for (std::size_t entry = 0; entry < 27; ++entry) {
        longest = std::max<unsigned>(longest, stream[11 + 2 * entry + 1]);
    }
    EXPECT_EQ(longest, 26u);
}

TEST(RoundTrip, HandlerMayCodeWithTheSameObject) {
    clsHuffman codec;
    const Bytes inner = Make(Shape::Skewed, 5000, 256, 3);
    Bytes innerResult;
    bool nested = false;
    codec.SetProgressHandler([&](std::int16_t&) {
        if (nested) {
            return;
        }
        nested = true;
        Bytes buffer = inner;
        codec.EncodeByte(buffer, static_cast<std::int32_t>(buffer.size()));
        innerResult = buffer;
        nested = false;
    });
    const Bytes input = Make(Shape::Skewed, 50000, 256, 4);
    Bytes buffer = input;
    codec.EncodeByte(buffer, static_cast<std::int32_t>(buffer.size()));
    EXPECT_EQ(buffer, Encoded(input));
    EXPECT_EQ(innerResult, Encoded(inner));
}

TEST(Progress, HandlerReceivesLastByReference) {
    // 20000 equal bytes: the frequency pass computes 0, 0, 1, 1, 1, 2, ... 7.
    // A handler that resets the value makes every repeated value count as new.
    for (const bool reset : {false, true}) {
        clsHuffman codec;
        std::vector<std::int16_t> values;
        codec.SetProgressHandler([&](std::int16_t& Procent) {
            values.push_back(Procent);
            if (reset) {
                Procent = 0;
            }
        });
        Bytes buffer = Repeat(0, 20000);
        codec.EncodeByte(buffer, 20000);
        const std::vector<std::int16_t> expected =
            reset ? std::vector<std::int16_t>{1, 1, 1, 2, 2, 2, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7}
                  : std::vector<std::int16_t>{1, 2, 3, 4, 5, 6, 7};
        EXPECT_EQ(values, expected);
    }
}

} // namespace
