// An OpenGL context with nothing shown: a small pbuffer of the X display (no window), enough to draw
// into an off-screen frame of any size. For the command line's film.
#pragma once

#include <string>

// Made and current: false, with why, when there is no display or it offers no such context.
bool openHiddenGlContext(std::string& why);
void closeHiddenGlContext();
