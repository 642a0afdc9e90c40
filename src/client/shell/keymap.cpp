#include "shell/keymap.h"
#include "fileio/safeOpen.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <allegro.h>

int currentKeymap[KM_SLOTS];
const int riderArrowKeys[RIDER_ARROW_SLOTS] = {KEY_LEFT, KEY_RIGHT, KEY_DOWN, KEY_UP};

// s f / d e steer and push-brake on the left hand, w r lean; the six trick keys sit under the right hand.
const char DEFAULT_KEYS[13] = "sfdewrjkluio";

static const int LINE_MAX_CHARS = 256;
static const int SLOTS_IN_FILE = 12;
static const char BOMB_LETTER = 'b';
static const char* const ACTION_NAMES[SLOTS_IN_FILE] = {"left",   "right",  "down",   "up",     "left side", "right side",
                                                       "trick1", "trick2", "trick3", "trick4", "trick5",    "trick6"};

// 'a' gives 1 (KEY_A) up to 'z' 26 (KEY_Z).
static int codeOfLetter(char c) { return c - 'a' + 1; }

static void setDefaultKeys()
{
    for (int slot = 0; slot < SLOTS_IN_FILE; slot++) currentKeymap[slot] = codeOfLetter(DEFAULT_KEYS[slot]);
    currentKeymap[KM_BOMB] = BOMB_KEY_CODE;
}

// One whole line of the file, however long: the part past the buffer is dropped, never read as a line of its own.
static bool readWholeLine(FILE* f, char* line, int size)
{
    if (!fgets(line, size, f)) return false;
    if (!strchr(line, '\n')) {
        int c;
        while ((c = fgetc(f)) != EOF && c != '\n') {
        }
    }
    return true;
}

static bool isCommentOrBlank(const char* line)
{
    return line[0] == '#' || line[0] == '\n' || line[0] == '\r' || line[0] == '\0';
}

// A letter is the only thing that maps onto Allegro's key array; 'b' is the bomb's and cannot be moved.
static bool isKeyLetter(char c) { return c >= 'a' && c <= 'z' && c != BOMB_LETTER; }

int initKeymap(const char* path)
{
    setDefaultKeys();
    char why[OPEN_WHY_CHARS];
    FILE* f = openBounded(path, KEYS_FILE_BOUND, nullptr, why);
    if (!f) {
        printf("No key map %s (%s): the default keys are used\n", path, why);
        return 1;
    }
    // Each line that is not a comment is one action's, in order: a bad line costs its own action only.
    char line[LINE_MAX_CHARS];
    int slot = 0;
    for (int number = 1; slot < SLOTS_IN_FILE && readWholeLine(f, line, sizeof line); number++) {
        if (isCommentOrBlank(line)) continue;
        if (isKeyLetter(line[0]))
            currentKeymap[slot] = codeOfLetter(line[0]);
        else
            printf("Key map %s, line %i: not a lowercase letter other than b; %s keeps its default key %c\n", path,
                   number, ACTION_NAMES[slot], DEFAULT_KEYS[slot]);
        slot++;
    }
    if (slot < SLOTS_IN_FILE)
        printf("Key map %s ends before %s: it and the later actions keep their default keys\n", path,
               ACTION_NAMES[slot]);
    fclose(f);
    return 0;
}

char keyLetterOf(int code) { return code >= 1 && code <= 26 ? (char)('A' + code - 1) : '?'; }

void getCurrentKeymap(int out[KM_SLOTS])
{
    memcpy(out, currentKeymap, sizeof currentKeymap);
}

void printKeymap()
{
    const int* k = currentKeymap;
    printf("Keymap is:\n");
    printf("      left     : %i\n", k[0]);
    printf("      right    : %i\n", k[1]);
    printf("      down     : %i\n", k[2]);
    printf("      up       : %i\n", k[3]);
    printf("      leftSide : %i\n", k[4]);
    printf("      rightSide: %i\n\n", k[5]);
    printf("      trick1: %i\n", k[6]);
    printf("      trick2: %i\n", k[7]);
    printf("      trick3: %i\n", k[8]);
    printf("      trick4: %i\n", k[9]);
    printf("      trick5: %i\n", k[10]);
    printf("      trick6: %i\n\n", k[11]);
    printf("      bomb: %i\n", k[12]);
}
