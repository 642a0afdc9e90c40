#include "fileio/swapthings.h"

#include <cstdint>
#include <cstring>
#include <utility>

int needSwap = 0;

int testByteOrder()
{
    const uint16_t probe = 1;
    unsigned char first;
    std::memcpy(&first, &probe, 1);
    return first == 1 ? 1 : 0;
}

void storeByteOrder(short verbose)
{
    needSwap = testByteOrder() == 1 ? 1 : 0;
    if (verbose)
        printf(needSwap ? "Running on a little endian computer...\n" : "Running on a big endian computer...\n");
}

int areWeLittleEndian()
{
    return needSwap;
}

static void reverseIfNeeded(unsigned char* bytes, size_t n)
{
    if (!needSwap) return;
    for (size_t i = 0; i < n / 2; i++) std::swap(bytes[i], bytes[n - 1 - i]);
}

static int readBytes(FILE* f, void* out, size_t n)
{
    unsigned char buf[8];
    if (fread(buf, 1, n, f) != n) return 0;
    reverseIfNeeded(buf, n);
    std::memcpy(out, buf, n);
    return 1;
}

static int writeBytes(FILE* f, void* value, size_t n)
{
    unsigned char* bytes = static_cast<unsigned char*>(value);
    reverseIfNeeded(bytes, n);
    return fwrite(bytes, 1, n, f) == n ? 1 : 0;
}

int readShortInt(FILE* f, short* v) { return readBytes(f, v, 2); }

int readLong(FILE* f, long* v)
{
    int32_t raw;
    if (!readBytes(f, &raw, 4)) return 0;
    *v = raw;
    return 1;
}

int readFloat(FILE* f, float* v) { return readBytes(f, v, 4); }
int readDouble(FILE* f, double* v) { return readBytes(f, v, 8); }
int writeShortInt(FILE* f, short* v) { return writeBytes(f, v, 2); }
int writeDouble(FILE* f, double* v) { return writeBytes(f, v, 8); }
