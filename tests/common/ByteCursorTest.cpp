// The bounded cursor: a read that does not fit returns zero, leaves the cursor at the end
// and sets the error flag, which later reads do not clear; signed reads extend from the
// top bit of their own size; LEB128 and texts stop at the end.
#include "common/ByteCursor.h"

#include <gtest/gtest.h>

TEST(ByteCursor, FixedSizeReadsInBothByteOrders)
{
    const uint8_t bytes[] = {0x80, 0xFF, 0xFF, 0x80, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
    ByteCursor cursor(bytes, uint32_t(sizeof bytes), 0);
    EXPECT_EQ(cursor.readSigned(1), -128);
    EXPECT_EQ(cursor.readSigned(3), int64_t(int32_t(0xFF80FFFF)));   // 0x80FFFF as 24 bits
    EXPECT_EQ(cursor.readUnsigned(8, 1), 0x0102030405060708u);
    EXPECT_FALSE(cursor.failed());
    EXPECT_TRUE(cursor.atEnd());
}

TEST(ByteCursor, FailedReadsAreZeroAndTheErrorStays)
{
    const uint8_t bytes[] = {0x11, 0x22, 0x33, 0x80, 0x80};
    ByteCursor cursor(bytes, uint32_t(sizeof bytes), 1);
    cursor.skip(-1);
    EXPECT_TRUE(cursor.failed());
    EXPECT_EQ(cursor.offset(), 0u);
    ByteCursor fresh(bytes, uint32_t(3), 1);
    EXPECT_EQ(fresh.readU32(), 0u);            // three bytes left: nothing is read
    EXPECT_TRUE(fresh.failed());
    EXPECT_TRUE(fresh.atEnd());
    fresh.seek(0);
    EXPECT_EQ(fresh.readU16(), 0x1122u);       // reads work again, the flag stays
    EXPECT_TRUE(fresh.failed());
    ByteCursor leb(bytes + 3, uint32_t(2), 0);
    leb.readUleb128();                         // continuation bits up to the end
    EXPECT_TRUE(leb.failed());
    ByteCursor text(bytes, uint32_t(3), 0);
    uint32_t length = 1;
    EXPECT_EQ(text.readString(length), nullptr);   // no NUL before the end
    EXPECT_EQ(length, 0u);
    EXPECT_TRUE(text.failed());
    ByteCursor far(bytes, uint32_t(sizeof bytes), 0);
    far.seek(6);
    EXPECT_TRUE(far.failed());
}

TEST(ByteCursor, SignedLeb128ExtendsFromItsLastByte)
{
    const std::pair<std::vector<uint8_t>, int32_t> cases[] = {
        {{0x7F}, -1}, {{0x80, 0x7F}, -128}, {{0x3F}, 63}, {{0xFF, 0xFF, 0xFF, 0xFF, 0x07}, INT32_MAX},
        {{0x80, 0x80, 0x80, 0x80, 0x78}, INT32_MIN}};
    for (const auto& c : cases) {
        ByteCursor cursor(c.first.data(), uint32_t(c.first.size()), 0);
        EXPECT_EQ(cursor.readSleb128(), c.second);
        EXPECT_TRUE(cursor.atEnd() && !cursor.failed());
    }
}
