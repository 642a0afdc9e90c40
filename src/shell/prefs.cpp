#include "shell/prefs.h"

#include <cstdio>
#include <cstring>

#include "fileio/atomicWrite.h"
#include "fileio/swapthings.h"

char playerName[4] = "---";
int viewChoice = 1;
int level = 0;

static const int LEVEL_COUNT = 4;

// Initials are shown and written into score files: keep printable characters only.
static bool isPrintable(const char* s, int n)
{
    for (int i = 0; i < n; i++)
        if (s[i] < 32 || s[i] > 126) return false;
    return true;
}

int loadPrefsFile(const char* path)
{
    FILE* f = fopen(path, "rb");
    if (!f) return 1;
    char name[3];
    short view, diff;
    bool complete = fread(name, 1, 3, f) == 3 && readShortInt(f, &view) && readShortInt(f, &diff);
    fclose(f);
    // A short or damaged file keeps the values we had rather than half of a file.
    if (!complete) return 0;
    if (isPrintable(name, 3)) memcpy(playerName, name, 3);
    playerName[3] = '\0';
    if (view >= minViewChoice && view <= maxViewChoice) viewChoice = view;
    if (diff >= 0 && diff < LEVEL_COUNT) level = diff;
    return 0;
}

static bool fillPrefsFile(FILE* f, const void*)
{
    short view = (short)viewChoice;
    short diff = (short)level;
    return fwrite(playerName, 1, 3, f) == 3 && writeShortInt(f, &view) && writeShortInt(f, &diff);
}

int savePrefsFile(const char* path, char* why)
{
    return writeFileAtomically(path, fillPrefsFile, nullptr, why) ? 0 : 1;
}
