#include "platform/bombKey.h"

#include <allegro.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <cstdio>

#include "shell/keymap.h"

int mapBombKey()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 0;
    int code = XKeysymToKeycode(display, XK_b);
    XCloseDisplay(display);
    if (code <= 0) return 0;
    // Allegro's X keyboard driver takes per-keycode overrides from its "xkeymap" settings.
    char option[32];
    snprintf(option, sizeof option, "keycode%d", code);
    set_config_int("xkeymap", option, BOMB_KEY_CODE);
    return code;
}
