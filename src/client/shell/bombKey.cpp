#include "shell/bombKey.h"

#include <allegro.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <cstdio>
#include <cstring>

#include "shell/keymap.h"

int mapBombKey()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 0;
    int code = XKeysymToKeycode(display, XK_b);
    XCloseDisplay(display);
    if (code <= 0) return 0;
    // Allegro's X keyboard driver takes per-keycode overrides from its "xkeymap" settings. Given as an
    // override held in memory: set_config_int would write allegro.cfg beside the program, which for an
    // installed game is a folder the player does not own.
    static char settings[64];
    snprintf(settings, sizeof settings, "[xkeymap]\nkeycode%d = %d\n", code, BOMB_KEY_CODE);
    override_config_data(settings, (int)strlen(settings));
    return code;
}
