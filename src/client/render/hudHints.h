// What the run screen tells a player about its keys: SPACE to start, the jump-power disc, and a band
// of the four main keys (keys of the key map in force) that fades after the first seconds of a run.
#pragma once

const int HINT_CHARS = 96;

struct RunHints {
    char start[HINT_CHARS];     // "Press SPACE to start" until the countdown begins, else ""
    char jumpDisc[HINT_CHARS];  // what the "J" disc is, beside it
    char keys[2][HINT_CHARS];   // the main keys
    float keysAlpha;            // 1 shown, 0 gone (also 0 when the hints are off)
    float jumpDiscAlpha;
};

// The hints of this frame from the run's phase and time, the key map and whether the player wants the
// key band.
void runHints(RunHints& out, short keyBandWanted);
// A replay shows a run that is not the player's to ride: no hints while it is set.
extern short runHintsHidden;
struct HudLayout;
void drawRunHints(const HudLayout& l, const RunHints& h);
