#include "tests/codec/CodecTestSupport.h"

#include <gtest/gtest.h>

using namespace codectest;

namespace {

const Bytes kAbb = Hex("48 45 33 0D 61 03 00 00 00 02 00 61 01 62 01 02 06");

Bytes Alternating(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i % 2);
    }
    return bytes;
}

// Bits written first bit first, packed from the least significant bit.
Bytes Pack(const std::vector<int>& bits) {
    Bytes bytes((bits.size() + 7) / 8);
    for (std::size_t i = 0; i < bits.size(); ++i) {
        bytes[i / 8] = static_cast<std::uint8_t>(bytes[i / 8] | bits[i] << i % 8);
    }
    return bytes;
}

// A code of 255 bits: the given leading bits, then zeros, then lastBit.
std::vector<int> LongCode(std::vector<int> lead, int lastBit) {
    lead.resize(254, 0);
    lead.push_back(lastBit);
    return lead;
}

// A coded stream of one byte value 02 whose tree is made of long codes for
// the values 00, 01, 02 and, when extra is set, 03.
Bytes DeepTreeStream(bool extra) {
    std::vector<std::vector<int>> codes = {LongCode({}, 0), LongCode({1}, 0), LongCode({}, 1)};
    if (extra) {
        codes.push_back(LongCode({1}, 1));
    }
    Bytes table;
    std::vector<int> codeBits;
    for (std::size_t v = 0; v < codes.size(); ++v) {
        table.push_back(static_cast<std::uint8_t>(v));
        table.push_back(255);
        codeBits.insert(codeBits.end(), codes[v].begin(), codes[v].end());
    }
    const Bytes header = Hex("48 45 33 0D 02 01 00 00 00");
    const Bytes count = {static_cast<std::uint8_t>(codes.size()), 0};
    return Concat(Concat(Concat(Concat(header, count), table), Pack(codeBits)), Pack(codes[2]));
}

struct DecodeCase {
    const char* name;
    Bytes stream;
    std::int32_t byteLen; // -1: the whole buffer
    Bytes result;
    std::vector<std::int16_t> progress;
};

// Test names in listings show the case's name, not its bytes.
void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << c.name;
}

const DecodeCase kDecodeCases[] = {
    {"StoredEmpty", Hex("48 45 30 0D"), -1, {}, {}},
    {"StoredOneByte", Hex("48 45 30 0D 61"), -1, Hex("61"), {}},
    {"StoredShorterByteLen", Hex("48 45 30 0D 61 62"), 5, Hex("61"), {}},
    {"Abb", kAbb, -1, Text("abb"), {89, 100}},
    {"ExtraBytesIgnored", Concat(kAbb, Hex("FF FF")), -1, Text("abb"), {89, 100}},
    {"ExtraBytesBeyondByteLen", Concat(kAbb, Hex("FF FF")), 17, Text("abb"), {89, 100}},
    {"TableOutOfOrder",
     Hex("48 45 33 0D 61 03 00 00 00 02 00 62 01 61 01 02 06"),
     -1,
     Text("abb"),
     {89, 100}},
    {"TableEntryListedTwice",
     Hex("48 45 33 0D 61 03 00 00 00 03 00 61 05 61 01 62 01 02 06"),
     -1,
     Text("abb"),
     {89, 100}},
    {"LengthOfEightBitsPerDataByte",
     Hex("48 45 33 0D 00 08 00 00 00 02 00 61 01 62 01 02 06"),
     -1,
     Text("abbaaaaa"),
     {89, 100}},
    {"TreeOfExactly512Nodes", DeepTreeStream(false), -1, Hex("02"), {89, 100}},
    {"ChecksumPassProgress",
     Encoded(Alternating(30000)),
     -1,
     Alternating(30000),
     {89, 93, 96, 100}},
    {"DataPassProgress",
     Encoded(Alternating(160000)),
     -1,
     Alternating(160000),
     {44, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 100}},
};

class DecodeVectors : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeVectors, ResultAndProgressMatch) {
    const DecodeCase& c = GetParam();
    clsHuffman codec;
    ProgressLog log(codec);
    Bytes buffer = c.stream;
    const std::int32_t byteLen =
        c.byteLen < 0 ? static_cast<std::int32_t>(buffer.size()) : c.byteLen;
    EXPECT_EQ(codec.DecodeByte(buffer, byteLen), "");
    EXPECT_EQ(buffer, c.result);
    EXPECT_EQ(log.values, c.progress);
}

INSTANTIATE_TEST_SUITE_P(Codec, DecodeVectors, ::testing::ValuesIn(kDecodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DecodeByte, ZeroStoredLengthDecodesToNothing) {
    const Bytes stream = Hex("48 45 33 0D 00 00 00 00 00 02 00 61 01 62 01 02 06");
    clsHuffman codec;
    ProgressLog log(codec);
    Bytes buffer = stream;
    codec.DecodeByte(buffer, static_cast<std::int32_t>(buffer.size()));
    EXPECT_TRUE(buffer.empty());
    EXPECT_TRUE(log.values.empty());
}

struct FailureCase {
    const char* name;
    Bytes stream;
    std::int32_t byteLen; // -1: the whole buffer
    std::int32_t number;
    const char* source;
    std::vector<std::int16_t> progress;
};

// Test names in listings show the case's name, not its bytes.
void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

constexpr std::int32_t kOwn = QuelError::kOwnError;
constexpr std::int32_t kRange = QuelError::kSubscriptOutOfRange;
const char* const kDecodeByte = "clsHuffman.DecodeByte()";
const char* const kDecode = "clsHuffman.Decode()";

const FailureCase kFailureCases[] = {
    {"WrongThirdByte",
     Hex("48 45 32 0D 61 03 00 00 00 02 00 61 01 62 01 02 06"),
     -1,
     kOwn,
     "HuffmanDecode()",
     {}},
    {"NoIdentification", Hex("00 01 02 03"), -1, kOwn, "HuffmanDecode()", {}},
    {"ChecksumMismatch",
     Hex("48 45 33 0D 60 03 00 00 00 02 00 61 01 62 01 02 06"),
     -1,
     kOwn,
     kDecode,
     {89}},
    {"EmptyBuffer", {}, 0, kRange, kDecodeByte, {}},
    {"ShorterThanIdentification", Hex("48 45 33"), -1, kRange, kDecodeByte, {}},
    {"StoredByteLenBelowFour", Hex("48 45 30 0D"), 3, kRange, kDecodeByte, {}},
    {"StoredByteLenPastBuffer", Hex("48 45 30 0D 61"), 6, kRange, kDecodeByte, {}},
    {"HeaderCut", Hex("48 45 33 0D 61 03 00"), -1, kRange, kDecodeByte, {}},
    {"TableCut", Hex("48 45 33 0D 61 03 00 00 00 02 00 61 01 62"), -1, kRange, kDecodeByte, {}},
    {"CodeBitsCut",
     Hex("48 45 33 0D 61 03 00 00 00 02 00 61 01 62 01"),
     -1,
     kRange,
     kDecodeByte,
     {}},
    {"NegativeLength",
     Hex("48 45 33 0D 61 FF FF FF FF 02 00 61 01 62 01 02 06"),
     -1,
     kRange,
     kDecodeByte,
     {}},
    {"SmallestLength",
     Hex("48 45 33 0D 61 00 00 00 80 02 00 61 01 62 01 02 06"),
     -1,
     QuelError::kOverflow,
     kDecodeByte,
     {}},
    {"NegativeCountReadsBeforeTable",
     Hex("48 45 33 0D 61 03 00 00 00 00 80 02 06"),
     -1,
     kRange,
     kDecodeByte,
     {}},
    {"ZeroLengthCode",
     Hex("48 45 33 0D 61 03 00 00 00 02 00 61 00 62 01 02 06"),
     -1,
     kRange,
     kDecodeByte,
     {}},
    {"MissingChild",
     Hex("48 45 33 0D 61 01 00 00 00 01 00 61 01 00 01"),
     -1,
     kRange,
     kDecodeByte,
     {}},
    {"TreeOver512Nodes", DeepTreeStream(true), -1, kRange, kDecodeByte, {}},
    {"LengthBeyondDataBits",
     Hex("48 45 33 0D 00 09 00 00 00 02 00 61 01 62 01 02 06"),
     -1,
     kOwn,
     kDecode,
     {}},
    {"HugeLengthInTwentyBytes",
     Hex("48 45 33 0D 00 FF FF FF 7F 02 00 61 01 62 01 02 06 00 00 00"),
     -1,
     kOwn,
     kDecode,
     {}},
    {"DataEndEarly",
     Hex("48 45 33 0D 00 07 00 00 00 03 00 61 02 62 02 63 01 0D 0D"),
     -1,
     kOwn,
     kDecode,
     {}},
    {"ByteLenPastBuffer",
     Hex("48 45 33 0D 00 07 00 00 00 03 00 61 02 62 02 63 01 0D 0D"),
     30,
     kRange,
     kDecodeByte,
     {}},
};

class DecodeFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(DecodeFailures, RaiseAndKeepTheBuffer) {
    const FailureCase& c = GetParam();
    clsHuffman codec;
    ProgressLog log(codec);
    Bytes buffer = c.stream;
    const std::int32_t byteLen =
        c.byteLen < 0 ? static_cast<std::int32_t>(buffer.size()) : c.byteLen;
    const auto error = Raised([&] { codec.DecodeByte(buffer, byteLen); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), c.number);
    EXPECT_EQ(error->Source(), c.source);
    EXPECT_EQ(buffer, c.stream);
    EXPECT_EQ(log.values, c.progress);
}

INSTANTIATE_TEST_SUITE_P(Codec, DecodeFailures, ::testing::ValuesIn(kFailureCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DecodeByte, OwnErrorsCarryTheirDescriptions) {
    struct Case {
        Bytes stream;
        const char* description;
    };
    const Case cases[] = {
        {Hex("00 01 02 03"), "The data either was not compressed with HE3 or is corrupt "
                             "(identification string not found)"},
        {Hex("48 45 33 0D 60 03 00 00 00 02 00 61 01 62 01 02 06"),
         "The data might be corrupted (checksum did not match expected value)"},
        {Hex("48 45 33 0D 00 09 00 00 00 02 00 61 01 62 01 02 06"),
         "The data might be corrupted (stored length is more than the data can hold)"},
        {Hex("48 45 33 0D 00 07 00 00 00 03 00 61 02 62 02 63 01 0D 0D"),
         "The data might be corrupted (data ended before the stored length was reached)"},
    };
    for (const Case& c : cases) {
        clsHuffman codec;
        Bytes buffer = c.stream;
        const auto error =
            Raised([&] { codec.DecodeByte(buffer, static_cast<std::int32_t>(buffer.size())); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Description(), c.description);
    }
}

} // namespace
