// Takes the text of "pad.map"; returns the pad's table of bindings, defaults kept where a line fails.
#include "shell/padMap.h"
#include "fileio/safeOpen.h"

#include <cstdio>
#include <cstring>
#include <sstream>

const char* const PAD_MAP_FILE = "prefs/pad.map";


static const size_t MAX_PAD_MAP_BYTES = 64 * 1024;
static const int MAX_NUMBER_DIGITS = 3;

static PadBinding button(int n) { return {PB_BUTTON, n, 0}; }
static PadBinding axis(int n, int sign) { return {PB_AXIS, n, sign}; }
static PadBinding none() { return {PB_NONE, 0, 0}; }

void defaultPadMap(PadMap& m)
{
    const PadBinding table[PA_COUNT][PAD_BINDINGS_PER_ACTION] = {
        {axis(0, -1), axis(6, -1)}, {axis(0, +1), axis(6, +1)}, // left stick or cross
        {axis(1, +1), axis(7, +1)}, {axis(1, -1), axis(7, -1)},
        {axis(2, +1), none()},      {axis(5, +1), none()},      // triggers: side flips
        {button(2), none()},        {button(3), none()},        {button(1), none()}, // X Y B
        {button(2), none()},        {button(3), none()},        {button(1), none()}, // LB + X Y B
        {button(0), none()},        {button(5), none()},        {button(0), none()}, // A, RB, A
        {button(6), none()},        {button(7), none()},        {button(4), none()}, // Back, Start, LB
    };
    memcpy(m.bind, table, sizeof table);
}

// A whole number of at most three digits, below `limit`; -1 otherwise.
static int smallNumber(const std::string& word, int limit)
{
    if (word.empty() || word.size() > (size_t)MAX_NUMBER_DIGITS) return -1;
    int n = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n < limit ? n : -1;
}

// The bindings of one line after its action name; false when any word is off.
static bool readBindings(std::istringstream& words, PadBinding out[PAD_BINDINGS_PER_ACTION])
{
    int count = 0;
    std::string kind;
    while (words >> kind) {
        if (count == PAD_BINDINGS_PER_ACTION) return false;
        std::string number, sign;
        if (kind == "none") {
            out[count++] = none();
        } else if (kind == "button" && words >> number) {
            int n = smallNumber(number, PAD_MAX_BUTTONS);
            if (n < 0) return false;
            out[count++] = button(n);
        } else if (kind == "axis" && words >> number >> sign) {
            int n = smallNumber(number, PAD_MAX_AXES);
            if (n < 0 || (sign != "+" && sign != "-")) return false;
            out[count++] = axis(n, sign == "+" ? 1 : -1);
        } else {
            return false;
        }
    }
    for (int i = count; i < PAD_BINDINGS_PER_ACTION; i++) out[i] = none();
    return count > 0;
}

static int actionNamed(const std::string& name)
{
    for (int a = 0; a < PA_COUNT; a++)
        if (name == padActionNames[a]) return a;
    return -1;
}

static void complain(std::string& complaints, int lineNumber, const char* why, const std::string& what)
{
    char head[64];
    snprintf(head, sizeof head, "pad.map line %d: ", lineNumber);
    complaints += head + std::string(why) + " '" + what.substr(0, 40) + "'\n";
}

int readPadMapText(const char* text, size_t size, PadMap& m, std::string& complaints)
{
    defaultPadMap(m);
    if (size > MAX_PAD_MAP_BYTES) size = MAX_PAD_MAP_BYTES;
    std::istringstream lines(std::string(text, size));
    std::string line;
    int lineNumber = 0, bad = 0;
    while (std::getline(lines, line)) {
        lineNumber++;
        size_t hash = line.find('#');
        std::istringstream words(line.substr(0, hash));
        std::string name;
        if (!(words >> name)) continue; // blank or comment
        int a = actionNamed(name);
        PadBinding read[PAD_BINDINGS_PER_ACTION];
        if (a < 0) {
            complain(complaints, lineNumber, "no such action", name);
            bad++;
        } else if (!readBindings(words, read)) {
            complain(complaints, lineNumber, "cannot read it, the default stays for", name);
            bad++;
        } else {
            memcpy(m.bind[a], read, sizeof read);
        }
    }
    return bad;
}

int loadPadMap(const char* path, PadMap& m)
{
    defaultPadMap(m);
    char why[OPEN_WHY_CHARS];
    FILE* f = openBounded(path, KEYS_FILE_BOUND, nullptr, why);
    if (!f) {
        printf("No %s (%s): the pad keeps its default buttons\n", path, why);
        return 1;
    }
    std::string text(MAX_PAD_MAP_BYTES, '\0');
    size_t n = fread(&text[0], 1, text.size(), f);
    fclose(f);
    std::string complaints;
    readPadMapText(text.data(), n, m, complaints);
    fputs(complaints.c_str(), stdout);
    return 0;
}

static std::string bindingText(const PadBinding& b)
{
    char out[32];
    if (b.kind == PB_BUTTON) snprintf(out, sizeof out, " button %d", b.index);
    else if (b.kind == PB_AXIS) snprintf(out, sizeof out, " axis %d %c", b.index, b.sign > 0 ? '+' : '-');
    else snprintf(out, sizeof out, " none");
    return out;
}

std::string padMapText(const PadMap& m)
{
    std::string out = "# Kestrune gamepad map: one line per action, then one or two of\n"
                      "#   button N     a button (0 is the first)\n"
                      "#   axis N + / axis N -   a stick or trigger pushed that way (axes counted over every stick)\n"
                      "#   none\n"
                      "# trick4 to trick6 count while 'shift' is held, and trick1 to trick3 then do not.\n"
                      "# The defaults are for a two-stick pad as Linux numbers it: buttons A 0, B 1, X 2, Y 3, LB 4,\n"
                      "# RB 5, Back 6, Start 7; axes: left stick 0 1, left trigger 2, right stick 3 4, right trigger 5,\n"
                      "# cross 6 7.\n"
                      "# A line that cannot be read keeps that action's default; delete the file for all defaults.\n";
    for (int a = 0; a < PA_COUNT; a++) {
        out += padActionNames[a];
        for (int i = 0; i < PAD_BINDINGS_PER_ACTION; i++)
            if (i == 0 || m.bind[a][i].kind != PB_NONE) out += bindingText(m.bind[a][i]);
        out += "\n";
    }
    return out;
}
