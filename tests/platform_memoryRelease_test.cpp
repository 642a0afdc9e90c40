#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/memoryRelease.h"

#if defined(__SANITIZE_ADDRESS__)
#define KES_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KES_OWN_ALLOCATOR 1
#endif
#endif

static long residentKilobytes()
{
    long pages = 0, resident = 0;
    FILE* f = fopen("/proc/self/statm", "r");
    if (f) {
        if (fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Freed blocks under a block still in use stay resident after free(); the release must hand them back.
TEST(MemoryRelease, FreedHeapBlocksBelowABlockInUseGoBack)
{
#ifdef KES_OWN_ALLOCATOR
    GTEST_SKIP() << "the sanitizer's allocator has its own way of returning memory";
#else
    const size_t BLOCK = 64 * 1024, COUNT = 320;  // 20 MB of the driver's usual block size
    std::vector<void*> blocks;
    for (size_t i = 0; i < COUNT; i++) {
        blocks.push_back(malloc(BLOCK));
        memset(blocks.back(), 1, BLOCK);
    }
    void* pin = malloc(BLOCK);  // keeps the heap from simply shrinking at its top
    memset(pin, 2, BLOCK);
    for (void* b : blocks) free(b);

    long held = residentKilobytes();
    EXPECT_TRUE(giveBackFreedMemory());
    long after = residentKilobytes();
    free(pin);
    EXPECT_GT(held - after, 10 * 1024) << held << " kB before, " << after << " kB after";
#endif
}
