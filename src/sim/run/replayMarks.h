// The moments a replay's timeline marks, found tick by tick as the run is ridden: the jumps (a flight
// long enough to be one), the tricks landed (points banked) and the falls.
#pragma once

#include <vector>

struct RunState;

enum ReplayMarkKind { replayMarkJump, replayMarkTrick, replayMarkFall, replayMarkKindCount };

struct ReplayMark {
    long tick;
    ReplayMarkKind kind;
};

// A flight shorter than this is a bump, not a jump.
const double replayJumpLeastSeconds = 0.3;

struct ReplayMarkWatch {
    short inAir = 0;
    long takeOff = 0;
    short jumpMarked = 0;
    int banked = 0;
    short fallen = 0;
};

// After tick `tick` of a run ridden from its start line: the marks it makes, appended in tick order.
void watchReplayTick(const RunState& run, ReplayMarkWatch& w, long tick, std::vector<ReplayMark>* marks);
// The marks an older recording of samples alone gives (no points: its jumps and falls), at the ticks
// of their sample times.
struct RunRecording;
void marksFromSamples(const RunRecording& rec, std::vector<ReplayMark>* marks);
