#include "platform/FileSystem.h"
#include "platform/QuelError.h"
#include "platform/Sha256.h"
#include "testinput/CodeSection.h"
#include "testinput/TestInput.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Content of the test input. Results of different machines compare only
// while this stays the same: change it only together with the generator.
constexpr const char* kPinnedSha256 =
    "d091cf16ab99364f0463173e56e4b4e2187f3ad451fa2ba72919b2294d1a6901";

class TestInputFileTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { bytes_ = FileSystem::ReadAll(QUEL_TEST_INPUT); }
    static void TearDownTestSuite() { bytes_.clear(); }

    static std::uint32_t field(std::size_t offset, int size) {
        std::uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i) {
            value = value << 8 | bytes_.at(offset + static_cast<std::size_t>(i));
        }
        return value;
    }

    static std::vector<std::uint8_t> bytes_;
};

std::vector<std::uint8_t> TestInputFileTest::bytes_;

TEST_F(TestInputFileTest, HasTheSizeAndContentOfTheBenchmarkInput) {
    EXPECT_EQ(FileSystem::FileLen(QUEL_TEST_INPUT), 3219456);
    ASSERT_EQ(bytes_.size(), 3219456U);
    EXPECT_EQ(Sha256::Of(bytes_.data(), bytes_.size()), kPinnedSha256);
}

TEST_F(TestInputFileTest, StartsWithAnUncompressed24BitBitmapOf1152By864) {
    const struct {
        const char* name;
        std::size_t offset;
        int size;
        std::uint32_t value;
    } fields[] = {
        {"signature BM", 0, 2, 0x4D42},
        {"file size", 2, 4, 2986040},
        {"reserved", 6, 4, 0},
        {"pixel offset", 10, 4, 54},
        {"info header size", 14, 4, 40},
        {"width", 18, 4, 1152},
        {"height (bottom-up)", 22, 4, 864},
        {"planes", 26, 2, 1},
        {"bits per pixel", 28, 2, 24},
        {"compression none", 30, 4, 0},
        {"image size", 34, 4, 1152 * 864 * 3},
        {"palette colours", 46, 4, 0},
    };
    for (const auto& f : fields) {
        EXPECT_EQ(field(f.offset, f.size), f.value) << f.name;
    }
    // The two bytes that the file size counts beyond the pixels.
    EXPECT_EQ(field(2986038, 2), 0U);
}

TEST_F(TestInputFileTest, PictureIsRichNotFlat) {
    std::vector<std::uint32_t> colours;
    for (std::size_t at = 54; at < 54 + 1152 * 864 * 3; at += 3) {
        colours.push_back(field(at, 3));
    }
    std::sort(colours.begin(), colours.end());
    std::size_t distinct = 0;
    std::size_t longestRun = 0;
    for (std::size_t start = 0; start < colours.size();) {
        std::size_t end = start;
        while (end < colours.size() && colours[end] == colours[start]) {
            ++end;
        }
        ++distinct;
        longestRun = std::max(longestRun, end - start);
        start = end;
    }
    EXPECT_GT(distinct, 100000U);
    // No single colour covers even 1 % of the picture.
    EXPECT_LT(longestRun, colours.size() / 100);
}

TEST_F(TestInputFileTest, GeneratingAgainGivesTheSameBytes) {
    const std::vector<std::uint8_t> first = TestInput::Build();
    const std::vector<std::uint8_t> second = TestInput::Build();
    EXPECT_TRUE(first == second);
    EXPECT_TRUE(first == bytes_);
}

TEST(CodeSectionTest, FillsExactlyTheSizeAskedFor) {
    for (const std::uint32_t size : {16384U, 100000U, 233416U}) {
        const std::vector<std::uint8_t> section = MakeCodeSection(size);
        EXPECT_EQ(section.size(), size);
        // The section starts with a function and ends in zero padding.
        EXPECT_NE(section.front(), 0);
        EXPECT_EQ(section.back(), 0);
    }
    EXPECT_THROW(MakeCodeSection(16383), QuelError);
}

} // namespace
