// The physical key behind the fixed bomb key code.
#pragma once

// The bomb key code (keypad '=') is missing from most keyboards, so the 'b' key of the X keyboard
// is made to give that code as well. Call after allegro_init() and before install_keyboard().
// Without an X display it does nothing. Returns the X key code remapped, or 0.
int mapBombKey();
