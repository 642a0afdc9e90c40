// An OpenGL context with nothing shown: a small pbuffer of the X display (no window), enough to draw
// into an off-screen frame of any size. For the command line's film.
#pragma once

#include <string>

// Made and current for the rest of the process: false, with why, when there is no display or it
// offers no such context. (It is never closed: closing the display unloads the driver, whose own
// allocations would then look lost.)
bool openHiddenGlContext(std::string& why);
