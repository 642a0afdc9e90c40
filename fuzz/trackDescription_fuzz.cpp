// Track descriptions: read into the screen's buffer, always terminated, then cut into shown lines
// that always end.
#include <cstring>

#include "fuzzInput.h"
#include "screens/choixPiste.h"
#include "screens/screenSteps.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    char desc[TRACK_DESC_BYTES + 1];
    desc[TRACK_DESC_BYTES] = 'Z';
    readDescriptionFile(fuzzInputFile(data, size, ".desc"), desc, TRACK_DESC_BYTES);
    if (desc[TRACK_DESC_BYTES] != 'Z' || strnlen(desc, TRACK_DESC_BYTES) == TRACK_DESC_BYTES) __builtin_trap();
    char line[256];
    int lines = 0;
    for (int at = 0; (at = nextTextLine(desc, at, line, sizeof line)) >= 0 && lines <= TRACK_DESC_BYTES; lines++)
        if (strnlen(line, sizeof line) == sizeof line) __builtin_trap();
    if (lines > TRACK_DESC_BYTES) __builtin_trap();
    return 0;
}
