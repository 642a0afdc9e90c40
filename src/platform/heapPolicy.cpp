#include "platform/heapPolicy.h"

#include <malloc.h>

// glibc's own starting value; setting it by hand is what turns the dynamic raising off.
static const int LARGE_BLOCK_BYTES = 128 * 1024;

bool keepLargeBlocksMapped()
{
#if defined(__GLIBC__)
    return mallopt(M_MMAP_THRESHOLD, LARGE_BLOCK_BYTES) == 1;
#else
    return false;
#endif
}
