#include "shell/keymap.h"

#include <cstdio>
#include <cstring>

int currentKeymap[KM_SLOTS];

static const int LINE_MAX_CHARS = 256;
static const int SLOTS_IN_FILE = 12;

// Comments, blank lines and lines that do not start with a lowercase letter carry no key: a letter
// is the only thing that maps onto Allegro's key array, so anything else would index outside it.
static bool isSkippedLine(const char* line)
{
    return line[0] < 'a' || line[0] > 'z';
}

// First character of a line, as a signed byte, minus 96: 'a' gives 1 (KEY_A) up to 'z' 26 (KEY_Z).
static int codeOfLine(const char* line)
{
    return (int)(signed char)line[0] - 96;
}

int initKeymap(const char* path)
{
    FILE* f = fopen(path, "r");
    if (!f) {
        fprintf(stderr, "Impossible d'ouvrir un fichier en lecture...(%s)\n", path);
        return 1;
    }
    char line[LINE_MAX_CHARS];
    int lastCode = 0;
    bool readAny = false;
    for (int slot = 0; slot < SLOTS_IN_FILE; slot++) {
        bool found = false;
        while (fgets(line, sizeof line, f)) {
            if (isSkippedLine(line)) continue;
            lastCode = codeOfLine(line);
            found = readAny = true;
            break;
        }
        // A file that ends early gives the remaining slots the last code read.
        if (found || readAny) currentKeymap[slot] = lastCode;
    }
    currentKeymap[KM_BOMB] = BOMB_KEY_CODE;
    fclose(f);
    return 0;
}

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
