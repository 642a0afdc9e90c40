// The free-text description shown beside a track's thumbnail: takes its file, returns at most a buffer's worth of text.
#include "screens/choixPiste.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "fileio/gameFolders.h"
#include "fileio/safeOpen.h"

// Only a plain file is read, and never more than fits: a link to an endless device or a pipe with no
// writer must not hold the track screen.
int readDescriptionFile(const char* path, char* out, int size)
{
    memset(out, 0, size);
    snprintf(out, size, " ");
    OpenOutcome outcome;
    char why[OPEN_WHY_CHARS];
    FILE* f = openBounded(path, CONTENT_FILE_BOUND, &outcome, why);
    if (!f) {
        if (outcome == openRefused) printf("Track description %s refused (%s): not shown\n", path, why);
        return 1;
    }
    size_t used = fread(out, 1, size - 1, f);
    out[used] = '\0';
    fclose(f);
    return 0;
}

int loadTrackDescription(const char* trackDir, char* out, int size)
{
    std::string path = trackPath(trackDir, std::string(trackDir) + ".desc");
    return readDescriptionFile(path.c_str(), out, size);
}
