// The bounded cursor: a read that does not fit returns zero, leaves the cursor at the end
// and sets the error flag, which later reads do not clear; signed reads extend from the
// top bit of their own size, signed LEB128 from bit 6 of its last byte.
#include "common/ByteCursor.h"

#include <gtest/gtest.h>

TEST(ByteCursor, SignExtensionAndByteOrder)
{
    const uint8_t bytes[] = {0x80, 0xFF, 0xFF, 0x80, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x80, 0x7F, 0x3F};
    ByteCursor cursor(bytes, uint32_t(sizeof bytes), 0);
    EXPECT_EQ(cursor.readSigned(1), -128);
    EXPECT_EQ(cursor.readSigned(3), -0x7F0001);   // 0x80FFFF as 24 bits
    EXPECT_EQ(cursor.readUnsigned(8, 1), 0x0102030405060708u);
    EXPECT_EQ(cursor.readSleb128(), -128);
    EXPECT_EQ(cursor.readSleb128(), 63);
    EXPECT_TRUE(cursor.atEnd() && !cursor.failed());
    for (unsigned size : {0u, 9u}) {   // reads of 1 to 8 bytes only
        ByteCursor odd(bytes, uint32_t(sizeof bytes), 0);
        EXPECT_EQ(odd.readUnsigned(size, 0), 0u);
        EXPECT_TRUE(odd.failed());
    }
}

TEST(ByteCursor, FailedReadsAreZeroAndTheErrorStays)
{
    const uint8_t bytes[] = {0x11, 0x22, 0x33, 0x80, 0x80};
    ByteCursor cursor(bytes, uint32_t(3), 1);
    EXPECT_EQ(cursor.readU32(), 0u);   // three bytes left: nothing is read
    EXPECT_TRUE(cursor.failed() && cursor.atEnd());
    cursor.seek(0);
    EXPECT_EQ(cursor.readU16(), 0x1122u);
    EXPECT_TRUE(cursor.failed());
    uint32_t length = 1;
    EXPECT_EQ(cursor.readString(length), nullptr);   // no NUL before the end
    EXPECT_EQ(length, 0u);
    ByteCursor leb(bytes + 3, uint32_t(2), 0);
    leb.readUleb128();
    ByteCursor back(bytes, uint32_t(sizeof bytes), 0);
    back.skip(-1);
    EXPECT_TRUE(leb.failed() && back.failed() && back.offset() == 0);
}
