#include "shell/prefs.h"

#include <cstdio>
#include <cstring>

#include "fileio/atomicWrite.h"
#include "fileio/swapthings.h"
#include "fileio/safeOpen.h"
#include "sound/SndWrapper.h"

UserPrefs userPrefs;

static const int LEVEL_COUNT = 4;
static const size_t MAX_TRACK_DIR_BYTES = 255; // its length is stored in one byte
static const size_t SETTINGS_BYTES = 5;          // music, effects, mute, key hints, lesson done

// Initials are shown and written into score files: keep printable characters only.
static bool isPrintable(const char* s, int n)
{
    for (int i = 0; i < n; i++)
        if (s[i] < 32 || s[i] > 126) return false;
    return true;
}

// Byte 8 and the folder name it counts; false when the file ends inside them.
static bool readLastTrack(FILE* f)
{
    int n = fgetc(f);
    if (n == EOF) return false;
    if (n == 0) return true;
    char dir[sizeof userPrefs.lastTrackDir];
    if (fread(dir, 1, n, f) != (size_t)n) return false;
    dir[n] = '\0';
    // A folder name: one path part, no separators, nothing a listing would hide.
    if (isPrintable(dir, n) && !strchr(dir, '/') && dir[0] != '.') strcpy(userPrefs.lastTrackDir, dir);
    return true;
}

static void readPercent(int byte, int* out)
{
    if (byte != EOF && byte <= SOUND_PERCENT_MAX) *out = byte;
}

static void readFlag(int byte, short* out)
{
    if (byte != EOF) *out = byte != 0;
}

// The bytes after the folder name, each optional.
static void readSettings(FILE* f)
{
    readPercent(fgetc(f), &soundSettings.musicPercent);
    readPercent(fgetc(f), &soundSettings.effectsPercent);
    readFlag(fgetc(f), &soundSettings.muted);
    readFlag(fgetc(f), &userPrefs.keyHintsShown);
    userPrefs.lessonDone = 1;
    readFlag(fgetc(f), &userPrefs.lessonDone);
}

// The fields after the first seven bytes, each optional: an older file simply ends sooner.
static void readLaterFields(FILE* f)
{
    int ghost = fgetc(f);
    if (ghost != EOF) userPrefs.ghostShown = ghost != 0;
    if (ghost != EOF && readLastTrack(f)) readSettings(f);
    else userPrefs.lessonDone = 1;
}

int loadPrefsFile(const char* path)
{
    FILE* f = openBoundedOrSay(path, PREFS_FILE_BOUND);
    if (!f) return 1;
    char name[3];
    short view, diff;
    bool complete = fread(name, 1, 3, f) == 3 && readShortInt(f, &view) && readShortInt(f, &diff);
    if (complete) readLaterFields(f);
    fclose(f);
    // A short or damaged file keeps the values we had rather than half of a file.
    if (!complete) return 0;
    if (isPrintable(name, 3)) memcpy(userPrefs.playerName, name, 3);
    userPrefs.playerName[3] = '\0';
    if (view >= minViewChoice && view <= maxViewChoice) viewChoice = view;
    if (diff >= 0 && diff < LEVEL_COUNT) userPrefs.level = diff;
    return 0;
}

static bool fillPrefsFile(FILE* f, const void*)
{
    short view = (short)viewChoice;
    short diff = (short)userPrefs.level;
    size_t n = strnlen(userPrefs.lastTrackDir, MAX_TRACK_DIR_BYTES);
    unsigned char later[2] = {(unsigned char)(userPrefs.ghostShown ? 1 : 0), (unsigned char)n};
    unsigned char settings[SETTINGS_BYTES] = {(unsigned char)soundSettings.musicPercent,
                                              (unsigned char)soundSettings.effectsPercent,
                                              (unsigned char)(soundSettings.muted ? 1 : 0),
                                              (unsigned char)(userPrefs.keyHintsShown ? 1 : 0), (unsigned char)(userPrefs.lessonDone ? 1 : 0)};
    return fwrite(userPrefs.playerName, 1, 3, f) == 3 && writeShortInt(f, &view) && writeShortInt(f, &diff) &&
           fwrite(later, 1, 2, f) == 2 && fwrite(userPrefs.lastTrackDir, 1, n, f) == n &&
           fwrite(settings, 1, SETTINGS_BYTES, f) == SETTINGS_BYTES;
}

int savePrefsFile(const char* path, char* why)
{
    return writeFileAtomically(path, fillPrefsFile, nullptr, why) ? 0 : 1;
}
