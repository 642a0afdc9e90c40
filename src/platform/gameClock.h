// One millisecond counter for the whole game: wall-clock and monotonic, or driven by hand in tests.
// The C library's clock() counts CPU time on Linux, so the game never calls it.
#pragma once

long gameClock();                 // milliseconds since the counter started (or the manual value)

void gameClockSetManual(long ms); // tests: freeze the counter at ms and drive it by hand
void gameClockAdvance(long ms);   // tests: move the manual counter forward
void gameClockSetReal();          // back to the wall clock

void gameClockSleepUntil(long ms); // sleep until the wall clock reaches ms (returns at once if past)
// The wall clock whatever the game clock is: how long a job takes (a film drives the game clock by hand).
long wallClockMs();

// The clock of a run: the game clock less the time spent paused, so a pause is no time at all to the
// run. Everything a run times (its steps, key hold times, effects, the frame rate) reads this one.
// Switching the game clock between manual and real starts it afresh.
long gameClockLessPauses();
void gameClockPauseRun();  // gameClockLessPauses stands still from now
void gameClockResumeRun(); // and goes on from where it stood
bool gameClockRunPaused();
