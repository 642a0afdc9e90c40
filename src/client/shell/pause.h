// Pausing a run: the run's clock stops, sounds and music hold, and the PAUSED panel shows over the
// frozen frame until P (go on) or ESC (abandon).
#pragma once

enum PauseEnd { PAUSE_RESUMED = 0, PAUSE_ABANDONED = 1 };

// The state changes of a pause, apart from its frames: clock, sounds, trick keys.
void beginPause();
void endPause();
// The whole pause, one frame at a time; returns how it ended.
int pauseRun();
