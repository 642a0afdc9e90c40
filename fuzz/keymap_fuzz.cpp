// keys.map: any text gives a key map the game can play with.
#include "fuzzInput.h"
#include "shell/keymap.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    initKeymap(fuzzInputFile(data, size));
    for (int i = 0; i < KM_SLOTS; i++)
        if (currentKeymap[i] < 0 || currentKeymap[i] >= 128) __builtin_trap();
    return 0;
}
