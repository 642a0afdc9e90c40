// A run's input as a timed text: "MS ACTION ACTION ..." lines, each holding its actions from that
// millisecond of the run on. Text in, the held buttons at any millisecond out.
#pragma once

#include <string>
#include <vector>

#include "run/runInput.h"

struct TimedHold {
    long ms;
    short held[RB_COUNT];
};

struct TimedInput {
    std::vector<TimedHold> lines;  // in rising order of ms
};

// The whole text; false with why naming the first bad line (a number that is not a whole millisecond,
// a time before the line above, an unknown action). '#' starts a comment; blank lines are skipped.
bool readTimedInput(const std::string& text, TimedInput& out, std::string& why);
bool readTimedInputFile(const char* path, TimedInput& out, std::string& why);
// Jump to start the countdown, then push all the way down.
void autopilotInput(TimedInput& out);
// The buttons held at that millisecond (none before the first line).
void heldAt(const TimedInput& in, long ms, RunInput& out);
