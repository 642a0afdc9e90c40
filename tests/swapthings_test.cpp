#include "fileio/swapthings.h"

#include <gtest/gtest.h>

TEST(Swapthings, ShortIsWrittenBigEndianAfterStoreByteOrder)
{
    storeByteOrder(0);
    FILE* f = tmpfile();
    short v = 0x0102;
    ASSERT_EQ(writeShortInt(f, &v), 1);
    rewind(f);
    unsigned char bytes[2];
    ASSERT_EQ(fread(bytes, 1, 2, f), 2u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], 2);
    rewind(f);
    short back = 0;
    ASSERT_EQ(readShortInt(f, &back), 1);
    EXPECT_EQ(back, 0x0102);
    EXPECT_EQ(readShortInt(f, &back), 0);
    fclose(f);
}
