// How the process meets the outside world's ends: a quit signal, a lost display, a file-size limit.
#pragma once

// Exit status when the X server goes away under the game.
const int DISPLAY_LOST_STATUS = 1;

// SIGXFSZ ignored (a write past a file-size limit then fails with EFBIG, which the save reports);
// SIGTERM and SIGINT only noted, for the game loop to leave as on ESC. Called again after Allegro has
// put its own handlers in, which would abort the game.
void installQuitSignals();
// The quit signal received (SIGTERM or SIGINT), 0 when none.
int quitSignalReceived();
// Forgets a received signal (tests).
void clearQuitSignal();
// The game's status for a quit signal: 128 + the signal, as a shell reports a killed program.
int quitStatus(int signal);

// When the X connection breaks the game says so in one line and ends at once with DISPLAY_LOST_STATUS,
// after waiting (a second at most) for a save under way to finish. Xlib's own handler would call exit(),
// whose clean-up then waits for ever on the display's lock.
void installDisplayLossHandler();
// The one line said when the display is lost.
const char* displayLostLine();
