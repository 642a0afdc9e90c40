// Rides runs with no display: input records at a fixed frame rate, the game clock kept in step.
#pragma once

#include <functional>

#include "run/runEvents.h"
#include "run/runInput.h"

// Keys the rider holds during one frame (set by a driver before each frame).
struct PilotKeys {
    bool up = false, down = false, left = false, right = false;
    bool leftSide = false, rightSide = false;
    bool space = false, enter = false, bomb = false;
    bool trick[6] = {false, false, false, false, false, false};
};

// The arrow keys, A/Z for the side keys and 1-6 for the tricks; all keys up; manual clock.
void pilotInstallKeys();
// All keys up and the real clock back.
void pilotReleaseKeys();
// The manual clock now.
long pilotClock();
// The record of one frame holding these keys.
RunInput pilotRecord(const PilotKeys& keys, long clockMs, float fps);

// A fresh run on the generated plane track (flat or sloped), start at startX, finish at finishX,
// no obstacles, plain snow; the rider placed at the start and waiting for the jump key.
void pilotPlaneRun(bool flat, float startX, float finishX);
// A fresh run (rider card of 70 kg) before the track is loaded, as the game loop starts one.
void pilotNewRun();

// One frame at fps: advances the clock by one frame and simulates the record of these keys.
void pilotFrame(int fps, const PilotKeys& keys);
// A pause of ms milliseconds of game clock between two frames, as P and P again give it.
void pilotPause(long ms);
// Presses the jump key and rides out the countdown: DEPART is 1 when it returns.
void pilotStart(int fps);
// Rides with a driver choosing the keys each frame until the finish or maxSeconds of game time;
// returns the frames ridden.
int pilotRide(int fps, float maxSeconds, const std::function<PilotKeys(int frame)>& driver);
// Straight down holding push, until the finish; returns the finish time in seconds, -1 if not reached.
float pilotStraightRun(int fps, float maxSeconds);
// How many events of this kind the run has emitted since the list was last cleared.
int pilotEventCount(RunEventKind kind);
