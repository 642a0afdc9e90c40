// The film of the best run, made from the score table (V): a progress bar with the time left while
// it is made (ESC cancels, nothing kept), then where it went or why it was not made; without
// ffmpeg, the offer of its frames as PNG pictures instead.
#pragma once

#include "shell/screenFlow.h"

// The score table's track filmed from now (the screen shows why when it cannot be).
void openFilm(const char* trackDir);
// One frame of the film screen in the score table's place; filmClosed once its outcome is read.
ScreenEvent filmFrame();
