#include "codec/clsHuffman.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

namespace {

// Every compression pass of the benchmark codes the test input: it must
// take the coded form, use all 256 byte values, and shrink the data without
// making it trivial.
TEST(TestInputHe3Test, CodesWithAll256ValuesToBetween60And95Percent) {
    std::vector<std::uint8_t> bytes = FileSystem::ReadAll(QUEL_TEST_INPUT);
    const auto length = static_cast<std::int32_t>(bytes.size());
    clsHuffman huffman;
    huffman.EncodeByte(bytes, length);

    ASSERT_GE(bytes.size(), 11U);
    const std::vector<std::uint8_t> identification(bytes.begin(), bytes.begin() + 4);
    EXPECT_EQ(identification, (std::vector<std::uint8_t>{0x48, 0x45, 0x33, 0x0D}));
    const std::uint32_t coded =
        bytes[5] | bytes[6] << 8 | bytes[7] << 16 | static_cast<std::uint32_t>(bytes[8]) << 24;
    EXPECT_EQ(coded, static_cast<std::uint32_t>(length));
    EXPECT_EQ(bytes[9] | bytes[10] << 8, 256);

    const double ratio = static_cast<double>(bytes.size()) / length;
    RecordProperty("StreamBytes", std::to_string(bytes.size()));
    EXPECT_GT(ratio, 0.60);
    EXPECT_LT(ratio, 0.95);
}

} // namespace
