// BMP pictures: the loaders never write past the caller's buffer, whatever the file holds.
#include <allegro.h>
#include <errno.h>

#include <cstring>

#include "fuzzInput.h"
#include "render/graphImage.h"

static const int side = 8;
static const unsigned char guard = 0xAB;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    static bool ready = install_allegro(SYSTEM_NONE, &errno, atexit) == 0;
    (void)ready;
    const char* path = fuzzInputFile(data, size, ".bmp");
    unsigned char out[side * side * 4 + 16];
    memset(out, guard, sizeof out);
    chargerImageTexPtr(path, out, side, side);
    chargerImageTexPtrTrans(path, out, side, side);
    chargerImageTexPtrSized(path, out, side * side * 3);
    for (size_t i = side * side * 4; i < sizeof out; i++)
        if (out[i] != guard) __builtin_trap();
    return 0;
}
