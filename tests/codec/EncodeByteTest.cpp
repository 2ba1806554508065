#include "tests/codec/CodecTestSupport.h"

#include <gtest/gtest.h>

using namespace codectest;

namespace {

// Reverses the bit order of a byte: a code written first bit first, packed
// from the least significant bit.
std::uint8_t Reversed(unsigned v) {
    std::uint8_t r = 0;
    for (int k = 0; k < 8; ++k) {
        r = static_cast<std::uint8_t>(r << 1 | (v >> k & 1));
    }
    return r;
}

// Every value once: equal weights pair up in index order, so each value's
// code is its own 8 bits, most significant first.
Bytes AllValuesStream() {
    Bytes table;
    Bytes bits;
    for (unsigned v = 0; v < 256; ++v) {
        table.push_back(static_cast<std::uint8_t>(v));
        table.push_back(8);
        bits.push_back(Reversed(v));
    }
    return Concat(Concat(Concat(Hex("48 45 33 0D 00 00 01 00 00 00 01"), table), bits), bits);
}

Bytes AllValues() {
    Bytes bytes;
    for (unsigned v = 0; v < 256; ++v) {
        bytes.push_back(static_cast<std::uint8_t>(v));
    }
    return bytes;
}

Bytes Alternating(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i % 2);
    }
    return bytes;
}

struct EncodeCase {
    const char* name;
    Bytes input;
    std::int32_t byteLen;
    Bytes stream;
    std::vector<std::int16_t> progress;
};

// Test names in listings show the case's name, not its bytes.
void PrintTo(const EncodeCase& c, std::ostream* os) {
    *os << c.name;
}

const std::vector<std::int16_t> kCodedSmall{7, 12, 100};

const EncodeCase kEncodeCases[] = {
    {"Empty", {}, 0, Hex("48 45 30 0D"), {}},
    {"OneByte", Hex("61"), 1, Hex("48 45 30 0D 61"), {}},
    {"TwoThousandZeros", Repeat(0, 2000), 2000, Concat(Hex("48 45 30 0D"), Repeat(0, 2000)), {4}},
    {"HalfRoundsToEven",
     Repeat(0, 2800),
     2800,
     Concat(Hex("48 45 30 0D"), Repeat(0, 2800)),
     {2, 5}},
    {"ThousandAndOneZeros",
     Repeat(0, 1001),
     1001,
     Concat(Hex("48 45 30 0D"), Repeat(0, 1001)),
     {7}},
    {"Abb", Text("abb"), 3, Hex("48 45 33 0D 61 03 00 00 00 02 00 61 01 62 01 02 06"), kCodedSmall},
    {"EqualWeights", Text("abc"), 3,
     Hex("48 45 33 0D 60 03 00 00 00 03 00 61 02 62 02 63 01 0D 0D"), kCodedSmall},
    {"LighterDisplacesFirstOnTie", Text("aabbc"), 5,
     Hex("48 45 33 0D 63 05 00 00 00 03 00 61 01 62 02 63 02 0E 7C"), kCodedSmall},
    {"AlternatingBytes",
     Alternating(3000),
     3000,
     Concat(Hex("48 45 33 0D 00 B8 0B 00 00 02 00 00 01 01 01 02"), Repeat(0xAA, 375)),
     {2, 5, 7, 12, 100}},
    {"AllByteValues", AllValues(), 256, AllValuesStream(), kCodedSmall},
    {"ExtraBytesCoded", Text("abbzzzz"), 3,
     Hex("48 45 33 0D 61 03 00 00 00 02 00 61 01 62 01 02 06"), kCodedSmall},
    {"ExtraBytesStored", Text("axyz"), 1, Hex("48 45 30 0D 61"), {}},
};

class EncodeVectors : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeVectors, StreamAndProgressMatch) {
    const EncodeCase& c = GetParam();
    clsHuffman codec;
    ProgressLog log(codec);
    Bytes buffer = c.input;
    codec.EncodeByte(buffer, c.byteLen);
    EXPECT_EQ(buffer, c.stream);
    EXPECT_EQ(log.values, c.progress);
}

INSTANTIATE_TEST_SUITE_P(Codec, EncodeVectors, ::testing::ValuesIn(kEncodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EncodeByte, RandomDataKeepsTheCodedFormEvenWhenLonger) {
    const Bytes input = RandomBytes(4096, 256, 7);
    const Bytes stream = Encoded(input);
    ASSERT_GT(stream.size(), input.size());
    EXPECT_EQ(Bytes(stream.begin(), stream.begin() + 4), Hex("48 45 33 0D"));
}

TEST(EncodeByte, BadLengthsRaiseAndKeepTheBuffer) {
    struct Case {
        std::size_t size;
        std::int32_t byteLen;
        std::vector<std::int16_t> progress;
    };
    // Past the end, the frequency pass reports the positions it reached first.
    for (const Case& c : {Case{0, 1, {}}, Case{5000, 6000, {1, 2, 4, 5}}, Case{3, -1, {}}}) {
        clsHuffman codec;
        ProgressLog log(codec);
        const Bytes input = RandomBytes(c.size, 4, 1);
        Bytes buffer = input;
        const auto error = Raised([&] { codec.EncodeByte(buffer, c.byteLen); });
        ASSERT_TRUE(error) << c.byteLen;
        EXPECT_EQ(error->Number(), QuelError::kSubscriptOutOfRange);
        EXPECT_EQ(error->Source(), "clsHuffman.EncodeByte()");
        EXPECT_EQ(buffer, input);
        EXPECT_EQ(log.values, c.progress);
    }
}

} // namespace
