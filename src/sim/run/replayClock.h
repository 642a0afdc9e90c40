// The replay's own clock: the seconds between drawn frames and the player's commands in, the recorded
// tick to show and the fraction of a tick past it out. It knows nothing of the run: a replay rides
// the run state to its tick (replayRide.h).
#pragma once

enum ReplaySpeed { replayQuarter, replayHalf, replayNormal, replayDouble, replayFourfold, replaySpeedCount };

// Replay seconds per real second, and how the screen names each speed.
extern const double replaySpeedFactors[replaySpeedCount];
extern const char* const replaySpeedNames[replaySpeedCount];

// How far a jump back or on goes.
const double replayJumpSeconds = 5.0;

enum ReplayCommand {
    replayTogglePause,
    replaySlower,
    replayFaster,
    replayStepBack,     // one tick back, paused
    replayStepForward,  // one tick on, paused
    replayJumpBack,
    replayJumpForward,
    replayRestart,      // the start line, playing
    replayCommandCount
};

struct ReplayClock {
    long tick = 0;        // the recorded tick shown: 0 is the start line
    long lastTick = 0;    // the recording's last tick
    double residual = 0;  // replay seconds past tick, under one tick
    int speed = replayNormal;
    short paused = 0;
};

// A replay of a recording of lastTick ticks, from the start line at the normal speed.
void startReplayClock(ReplayClock& c, long lastTick);
// One drawn frame of that many real seconds: the replay moves on by them at its speed unless paused,
// and stops at the last tick. A stall (see maxFrameSeconds) counts as one tick of real time.
void advanceReplayClock(ReplayClock& c, double elapsedSeconds);
void commandReplayClock(ReplayClock& c, ReplayCommand command);
// How far the shown moment is past the tick, in ticks (0 to 1).
float replayFraction(const ReplayClock& c);
short replayAtEnd(const ReplayClock& c);
