// Takes the rider's key map and the old "keys.map" text; returns and writes the new text.
#include "shell/keymapFile.h"

#include <cstdio>
#include <sstream>

#include "fileio/atomicWrite.h"
#include "fileio/safeOpen.h"

const char keymapFileHeader[] =
    "# Kestrune key map: one lowercase letter per line, in this order.\n"
    "# left, right, down, up, left side, right side, trick1 .. trick6\n"
    "# b fires a bomb and cannot be mapped; delete this file to get the default map back.\n";


static bool carriesKey(const std::string& line)
{
    return !line.empty() && line[0] != '#' && line[0] != '\r';
}

// Allegro's letter codes run from 1 (KEY_A) to 26 (KEY_Z); anything else writes as 'a'.
static char letterOf(int code)
{
    return code >= 1 && code <= 26 ? (char)('a' + code - 1) : 'a';
}

std::string keymapFileText(const std::string& previous, const int keys[KEYMAP_FILE_SLOTS])
{
    std::string out = previous.empty() ? keymapFileHeader : "";
    std::istringstream in(previous);
    std::string line;
    int slot = 0;
    while (std::getline(in, line)) {
        if (carriesKey(line) && slot < KEYMAP_FILE_SLOTS) line[0] = letterOf(keys[slot++]);
        out += line + "\n";
    }
    for (; slot < KEYMAP_FILE_SLOTS; slot++) out += std::string(1, letterOf(keys[slot])) + "\n";
    return out;
}

static std::string readSmallText(const char* path)
{
    std::string text;
    FILE* f = openBoundedOrSay(path, KEYS_FILE_BOUND);
    if (!f) return text;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0 && text.size() < KEYS_FILE_BOUND) text.append(chunk, n);
    fclose(f);
    return text;
}

int saveKeymap(const char* from, const char* to)
{
    std::string text = keymapFileText(readSmallText(from), currentKeymap);
    return writeBytesAtomically(to, text.data(), text.size(), nullptr) ? 0 : 1;
}
