// Program entry and the display set-up dialog.
#pragma once

const short defaultFrameCap = 60;

// The display the player chose, kept in "gfx.prefs" (with the renderer settings after the window size).
struct GfxSettings {
    int colorDepthSize = -1;
    int zDepthSize = -1;
    short windowed = 0;
    // The chosen window size as "gfx.prefs" keeps it: 0 x 0 for 800 x 600, -1 x -1 for the desktop's.
    short gfxWidth = 0, gfxHeight = 0;
    // The frame-rate cap (frames a second; 0 for none) and sync with the screen's refresh (1, where the
    // driver offers it).
    short frameCap = defaultFrameCap;
    short screenSync = 0;
};
extern GfxSettings gfxSettings;

int kestruneMain();

// Shows the set-up dialog; 1 when the player confirmed with "Ok", 0 for "Exit" or ESC.
int setup();

// Allegro list callbacks: with a negative index they store the row count and return null.
char* resolution_lister(int index, int* listSize);
char* colour_depth_lister(int index, int* listSize);
char* zbuffer_depth_lister(int index, int* listSize);
char* frame_cap_lister(int index, int* listSize);

int findColorDepthIndex(int bits);
int findZDepthIndex(int bits);
// The resolution row of a stored size; the first (800 x 600) for 0 or a size not offered.
int findResolutionIndex(int w, int h);

// 1 when the file cannot be opened (the settings stay), else 0.
int loadGfxPrefs(const char* path);
// Replaces the file whole (temporary file, then rename): 1 on any failure, path untouched, the system's
// reason in why (FILE_WHY_CHARS) when it is given.
int saveGfxPrefs(const char* path, char* why = nullptr);
