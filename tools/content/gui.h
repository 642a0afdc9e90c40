// The menu and HUD pictures of data/gui and the pieces the tests look at.
#pragma once

#include "content.h"

#include "shell/keymap.h" // DEFAULT_KEYS: the key map file and the help page both come from it

// Cell index of a character code in a font atlas for character set 0 or 1.
int fontCell(int code, int set);
// A 16 x 16 grid of white glyphs on black; cellPixels is 16 for Font.bmp and 32 for Font2.bmp.
Picture makeFontAtlas(int cellPixels);
