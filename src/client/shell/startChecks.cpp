// Takes the data folder and the environment, returns whether the game can start and, if not, one line why.
#include "shell/startChecks.h"

#include <X11/Xlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

// Start-up loads these before the home menu; without them the game could only show a black window.
static const char* const START_UP_FILES[] = {
    "gui/Font.bmp", "gui/Font2.bmp", "gui/home.bmp", "gui/menus.bmp", "models/tolvek/tolvek.3d",
    "models/tolvek/tolvek.car", "positions/0", "tracks",
};

bool checkDataFolder(const char* folder, char* why)
{
    struct stat st;
    if (stat(folder, &st) != 0 || !S_ISDIR(st.st_mode)) {
        char here[256];
        if (!getcwd(here, sizeof here)) snprintf(here, sizeof here, "the current folder");
        snprintf(why, START_WHY_CHARS,
                 "Kestrune cannot start: no game data folder %.100s in %.200s (build it with 'make data', or start "
                 "the game from the folder that holds it)",
                 folder, here);
        return false;
    }
    for (const char* file : START_UP_FILES) {
        char path[START_WHY_CHARS];
        snprintf(path, sizeof path, "%s/%s", folder, file);
        if (access(path, R_OK) != 0) {
            snprintf(why, START_WHY_CHARS,
                     "Kestrune cannot start: the game data folder %.100s is incomplete (%.200s is missing; "
                     "rebuild it with 'make data')",
                     folder, path);
            return false;
        }
    }
    return true;
}

bool checkDisplay(char* why)
{
    const char* name = getenv("DISPLAY");
    if (!name || !name[0]) {
        snprintf(why, START_WHY_CHARS, "Kestrune cannot start: no display (DISPLAY is not set)");
        return false;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        snprintf(why, START_WHY_CHARS, "Kestrune cannot start: the X display \"%.200s\" cannot be opened", name);
        return false;
    }
    XCloseDisplay(display);
    return true;
}
