// Trick position files: any bytes are refused or give a pose with terminated name.
#include <cstring>

#include "fuzzInput.h"
#include "skier/positionDef.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    SkiPosition p;
    memset(&p, 0, sizeof p);
    if (importPosition(fuzzInputFile(data, size), &p) == 0 && strnlen(p.name, sizeof p.name) == sizeof p.name)
        __builtin_trap();
    return 0;
}
