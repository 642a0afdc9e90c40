// What a replay shows over the run's HUD: "REPLAY" and its state, the timeline of the run with its
// jumps, tricks landed and falls marked and the moment shown, the help line, and the list of its keys.
#pragma once

#include "run/replayMarks.h"

struct ReplayHudView {
    const char* label;                 // "REPLAY" and its state
    const char* help;                  // the help line
    const char* const (*keys)[2];      // the list's rows of two cells
    int keyRows;
    float keysAlpha;                   // 0: the list is not shown
    const ReplayMark* marks;
    int markCount;
    long tick, lastTick;               // the moment shown and the run's end
};

// After the run's HUD, before the flip.
void drawReplayHud(const ReplayHudView& v);
// The share of the run at tick, 0 to 1 (a run of no ticks is at its end).
float timelineShare(long tick, long lastTick);
