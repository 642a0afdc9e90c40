// The free-text description shown beside a track's thumbnail.
#include "screens/choixPiste.h"

#include <cstdio>
#include <cstring>

#include "platform/gameFolders.h"

static const int DESC_LINE_CHARS = 256;

int loadTrackDescription(const char* trackDir, char* out, int size)
{
    std::string path = dataPath(trackFile(trackDir, std::string(trackDir) + ".desc"));
    memset(out, 0, size);
    FILE* f = fopen(path.c_str(), "r");
    if (!f) {
        snprintf(out, size, " ");
        return 1;
    }
    char line[DESC_LINE_CHARS];
    size_t used = 0;
    // Lines are appended while they fit; a longer description is cut, never overflowed.
    while (fgets(line, sizeof line, f)) {
        size_t n = strlen(line);
        if (used + n >= (size_t)size) n = size - 1 - used;
        memcpy(out + used, line, n);
        used += n;
        if (used == (size_t)size - 1) break;
    }
    out[used] = '\0';
    fclose(f);
    return 0;
}
