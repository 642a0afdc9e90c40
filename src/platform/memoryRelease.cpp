#include "platform/memoryRelease.h"

#include <malloc.h>

bool giveBackFreedMemory()
{
#if defined(__GLIBC__)
    return malloc_trim(0) == 1;
#else
    return false;
#endif
}
