#include "platform/QuelError.h"
#include "testinput/BmpFile.h"
#include "testinput/Canvas.h"
#include "testinput/FixedMath.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

TEST(FixedMathTest, ISqrtIsTheFloorOfTheRoot) {
    const struct {
        std::uint64_t value;
        std::uint32_t root;
    } cases[] = {{0, 0},
                 {1, 1},
                 {3, 1},
                 {4, 2},
                 {15, 3},
                 {16, 4},
                 {1ULL << 62, 1U << 31},
                 {UINT64_MAX, 0xFFFFFFFFU},
                 {0xFFFFFFFE00000001ULL, 0xFFFFFFFFU},
                 {0xFFFFFFFE00000000ULL, 0xFFFFFFFEU}};
    for (const auto& c : cases) {
        EXPECT_EQ(FixedMath::ISqrt(c.value), c.root) << c.value;
    }
}

TEST(FixedMathTest, SineFollowsTheCircle) {
    // Quarter turns are exact; in between the error stays within 0.2 %.
    const struct {
        int angle;
        int sine;
    } cases[] = {{0, 0},        {256, 4096}, {512, 0},           {768, -4096}, {1024, 0},
                 {-256, -4096}, {128, 2896}, {1024 + 128, 2896}, {-128, -2896}};
    for (const auto& c : cases) {
        EXPECT_NEAR(FixedMath::Sine(c.angle), c.sine, 9) << c.angle;
    }
    for (int angle = 0; angle < 256; ++angle) {
        EXPECT_LE(FixedMath::Sine(angle), FixedMath::Sine(angle + 1)) << angle;
        EXPECT_EQ(FixedMath::Cosine(angle), FixedMath::Sine(256 - angle)) << angle;
    }
}

TEST(FixedMathTest, MixClampsItsWeight) {
    const Rgb a{10, 20, 30};
    const Rgb b{210, 120, 30};
    EXPECT_EQ(FixedMath::Mix(a, b, -5), a);
    EXPECT_EQ(FixedMath::Mix(a, b, FixedMath::kOne + 5), b);
    EXPECT_EQ(FixedMath::Mix(a, b, FixedMath::kOne / 2), (Rgb{110, 70, 30}));
}

TEST(CanvasTest, AccessOutsideRaisesSubscriptOutOfRange) {
    Canvas canvas(4, 3);
    const struct {
        int x;
        int y;
    } outside[] = {{-1, 0}, {0, -1}, {4, 0}, {0, 3}};
    for (const auto& p : outside) {
        try {
            canvas.Set(p.x, p.y, kWhite);
            ADD_FAILURE() << "Set(" << p.x << ", " << p.y << ") did not raise";
        } catch (const QuelError& error) {
            EXPECT_EQ(error.Number(), QuelError::kSubscriptOutOfRange);
        }
        EXPECT_THROW(canvas.At(p.x, p.y), QuelError);
        EXPECT_NO_THROW(canvas.Blend(p.x, p.y, kWhite, 255));
    }
}

TEST(CanvasTest, BlendWeighsByOpacity) {
    const struct {
        int opacity;
        std::uint8_t result;
    } cases[] = {{0, 0}, {1, 1}, {128, 128}, {255, 255}, {400, 255}};
    for (const auto& c : cases) {
        Canvas canvas(1, 1);
        canvas.Blend(0, 0, kWhite, c.opacity);
        EXPECT_EQ(canvas.At(0, 0), (Rgb{c.result, c.result, c.result})) << c.opacity;
    }
}

TEST(CanvasTest, CircleCoversItsInsideOnly) {
    Canvas canvas(40, 40);
    // Radius 10 pixels around the centre of pixel (20, 20).
    canvas.FillCircle(20 * 16 + 8, 20 * 16 + 8, 160, kWhite, 255);
    EXPECT_EQ(canvas.At(20, 20), kWhite);
    EXPECT_EQ(canvas.At(29, 20), kWhite);
    EXPECT_EQ(canvas.At(20, 11), kWhite);
    EXPECT_EQ(canvas.At(31, 20), kBlack);
    EXPECT_EQ(canvas.At(28, 28), kBlack);
    // The edge pixel at exactly the radius is half covered.
    EXPECT_NEAR(canvas.At(30, 20).r, 128, 2);
    EXPECT_EQ(canvas.At(30, 20), canvas.At(10, 20));
}

TEST(CanvasTest, LineCoversItsStrokeOnly) {
    Canvas canvas(30, 10);
    // From (2.5, 5.5) to (25.5, 5.5), 3 pixels wide.
    canvas.DrawLine(2 * 16 + 8, 5 * 16 + 8, 25 * 16 + 8, 5 * 16 + 8, 48, kWhite, 255);
    for (int x = 2; x <= 25; ++x) {
        EXPECT_EQ(canvas.At(x, 5), kWhite) << x;
        EXPECT_EQ(canvas.At(x, 8), kBlack) << x;
    }
    EXPECT_EQ(canvas.At(28, 5), kBlack);
    // A line without length is a round dot.
    Canvas dot(5, 5);
    dot.DrawLine(40, 40, 40, 40, 32, kWhite, 255);
    EXPECT_EQ(dot.At(2, 2), kWhite);
    EXPECT_EQ(dot.At(4, 2), kBlack);
}

TEST(CanvasTest, TriangleIgnoresWinding) {
    Canvas clockwise(20, 20);
    Canvas counter(20, 20);
    clockwise.FillTriangle(16, 16, 300, 40, 80, 290, kWhite, 255);
    counter.FillTriangle(16, 16, 80, 290, 300, 40, kWhite, 255);
    int covered = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            ASSERT_EQ(clockwise.At(x, y), counter.At(x, y)) << x << ", " << y;
            covered += clockwise.At(x, y) == kWhite ? 1 : 0;
        }
    }
    EXPECT_GT(covered, 50);
    EXPECT_EQ(clockwise.At(2, 2), kWhite);
    EXPECT_EQ(clockwise.At(18, 18), kBlack);
}

TEST(BmpFileTest, RowsArePaddedToFourBytes) {
    const struct {
        int width;
        std::uint32_t stride;
    } cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {1152, 3456}};
    for (const auto& c : cases) {
        EXPECT_EQ(BmpFile::RowStride(c.width), c.stride) << c.width;
    }
}

std::uint32_t read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

TEST(BmpFileTest, WritesRowsBottomUpAsBlueGreenRed) {
    Canvas canvas(3, 2);
    canvas.Set(0, 0, Rgb{1, 2, 3});
    canvas.Set(2, 0, Rgb{4, 5, 6});
    canvas.Set(0, 1, Rgb{7, 8, 9});
    canvas.Set(2, 1, Rgb{10, 11, 12});
    const std::vector<std::uint8_t> bytes = BmpFile::Encode(canvas);
    ASSERT_EQ(bytes.size(), 54U + 2 * 12 + 2);
    EXPECT_EQ(read32(bytes, 2), bytes.size());
    EXPECT_EQ(read32(bytes, 10), 54U);
    EXPECT_EQ(read32(bytes, 34), 24U);
    const std::vector<std::uint8_t> pixels(bytes.begin() + 54, bytes.end());
    const std::vector<std::uint8_t> expected = {9, 8, 7, 0, 0, 0, 12, 11, 10, 0, 0, 0, 3,
                                                2, 1, 0, 0, 0, 6, 5,  4,  0,  0, 0, 0, 0};
    EXPECT_EQ(pixels, expected);
}

} // namespace
