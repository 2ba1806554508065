#include "platform/QuelError.h"
#include "platform/RtlMoveMemory.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <numeric>
#include <vector>

TEST(QuelError, StandardErrorsCarryTheirNumbersAndTexts) {
    const QuelError subscript = QuelError::SubscriptOutOfRange("Op");
    EXPECT_EQ(subscript.Number(), 9);
    EXPECT_EQ(subscript.Description(), "Subscript out of range");
    EXPECT_EQ(subscript.Source(), "Op");

    const QuelError overflow = QuelError::Overflow("Op2");
    EXPECT_EQ(overflow.Number(), 6);
    EXPECT_EQ(overflow.Description(), "Overflow");
    EXPECT_STREQ(overflow.what(), "Overflow");
    EXPECT_EQ(QuelError::kOwnError, static_cast<std::int32_t>(0x80040000u));
}

TEST(QuelError, FileErrorsFollowErrno) {
    struct Case {
        int err;
        std::int32_t number;
    };
    for (const Case c :
         {Case{ENOENT, 53}, Case{ENOSPC, 61}, Case{EACCES, 70}, Case{EROFS, 70}, Case{EIO, 75}}) {
        const QuelError e = QuelError::FromErrno(c.err, "Put");
        EXPECT_EQ(e.Number(), c.number) << c.err;
        EXPECT_EQ(e.Description(), std::strerror(c.err));
        EXPECT_EQ(e.Source(), "Put");
    }
}

TEST(RtlMoveMemory, MovesOverlappingBlocksBothWays) {
    std::vector<int> up(10);
    std::iota(up.begin(), up.end(), 0);
    RtlMoveMemory(up.data() + 2, up.data(), 6 * sizeof(int));
    EXPECT_EQ(up, (std::vector<int>{0, 1, 0, 1, 2, 3, 4, 5, 8, 9}));

    std::vector<int> down(10);
    std::iota(down.begin(), down.end(), 0);
    RtlMoveMemory(down.data(), down.data() + 3, 7 * sizeof(int));
    EXPECT_EQ(down, (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 7, 8, 9}));

    RtlMoveMemory(nullptr, nullptr, 0); // an empty move touches nothing
}
