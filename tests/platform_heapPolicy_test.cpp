#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdlib>
#include <cstring>

#include "platform/heapPolicy.h"

#if defined(__SANITIZE_ADDRESS__)
#define KES_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KES_OWN_ALLOCATOR 1
#endif
#endif

// Keeps the compiler from folding a malloc and its free away.
static void* touched(void* p, size_t n)
{
    memset(p, 1, n);
    asm volatile("" : : "r"(p) : "memory");
    return p;
}

// A freed large block must not raise the threshold: the next large block is mapped on its own, so
// freeing it gives the memory back instead of leaving a hole in the heap.
TEST(HeapPolicy, LargeBlocksStayMappedAfterABigOneIsFreed)
{
#ifdef KES_OWN_ALLOCATOR
    GTEST_SKIP() << "the sanitizer's allocator ignores glibc's settings";
#else
    ASSERT_TRUE(keepLargeBlocksMapped());
    free(touched(malloc(4 << 20), 4 << 20));  // glibc's default would now take blocks up to 4 MB from the heap

    size_t mappedBefore = mallinfo2().hblkhd;
    void* block = touched(malloc(512 * 1024), 512 * 1024);
    size_t mappedWhileHeld = mallinfo2().hblkhd;
    free(block);

    EXPECT_GE(mappedWhileHeld, mappedBefore + 512 * 1024);
    EXPECT_EQ(mallinfo2().hblkhd, mappedBefore);
#endif
}
