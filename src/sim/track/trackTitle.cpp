// Takes a stored track title or a track folder; gives the title a player reads.
#include "track/trackTitle.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "fileio/gameFolders.h"
#include "fileio/safeOpen.h"

static const int STORED_TITLE_BYTES = 256;

void shownTitle(char* out, int size, const char* title)
{
    if (size <= 0) return;
    snprintf(out, size, "%s", title);
    for (char* c = out; *c; c++)
        if (*c == '_') *c = ' ';
}

int readTrackTitle(const char* trackDir, char* out, int size)
{
    char stored[STORED_TITLE_BYTES];
    std::string path = trackPath(trackDir, std::string(trackDir) + ".btrk");
    FILE* f = openBoundedOrSay(path.c_str(), CONTENT_FILE_BOUND);
    size_t n = f ? fread(stored, 1, sizeof stored, f) : 0;
    if (f) fclose(f);
    stored[STORED_TITLE_BYTES - 1] = '\0';
    if (n != sizeof stored || stored[0] == '\0') {
        shownTitle(out, size, trackDir);
        return 1;
    }
    shownTitle(out, size, stored);
    return 0;
}
