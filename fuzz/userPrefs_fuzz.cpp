// user.prefs: any bytes leave initials, view and level in their ranges.
#include "fuzzInput.h"
#include "shell/prefs.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    loadPrefsFile(fuzzInputFile(data, size));
    if (userPrefs.playerName[3] != 0 || viewChoice < minViewChoice || viewChoice > maxViewChoice) __builtin_trap();
    return 0;
}
