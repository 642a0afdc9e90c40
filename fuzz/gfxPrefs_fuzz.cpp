// gfx.prefs: any bytes are read without harm, and the dialog finds a row for what was read.
#include "fuzzInput.h"
#include "shell/kestrune.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    loadGfxPrefs(fuzzInputFile(data, size));
    int rows;
    colour_depth_lister(-1, &rows);
    int colour = findColorDepthIndex(gfxSettings.colorDepthSize);
    if (colour < 0 || colour >= rows) __builtin_trap();
    zbuffer_depth_lister(-1, &rows);
    int z = findZDepthIndex(gfxSettings.zDepthSize);
    if (z < 0 || z >= rows) __builtin_trap();
    return 0;
}
