// Takes the tool's complaints; prints each and counts them, so that the tool fails when any was made.
#include "content.h"

#include <cstdarg>
#include <cstdio>

static int errorCount = 0;

void contentError(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
    fputc('\n', stderr);
    errorCount++;
}

int contentErrorCount() { return errorCount; }
