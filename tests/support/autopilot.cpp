// Autopilot: input records for a run ridden by the simulation alone.
#include "support/autopilot.h"

#include <allegro.h>

#include <cstring>

#include "platform/gameClock.h"
#include "run/runFrame.h"
#include "run/runTicker.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "run/trickInput.h"
#include "shell/keymap.h"
#include "shell/pause.h"
#include "skier/skierCar.h"
#include "support/planeTrack.h"
#include "track/trackModel.h"

static const long pilotClockStart = 100000;
static const float pilotRiderWeight = 70.0f;
static long framesRidden = 0;
static long clockBase = pilotClockStart;

void pilotInstallKeys()
{
    for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
    currentKeymap[KM_LEFT] = KEY_LEFT;
    currentKeymap[KM_RIGHT] = KEY_RIGHT;
    currentKeymap[KM_DOWN] = KEY_DOWN;
    currentKeymap[KM_UP] = KEY_UP;
    currentKeymap[KM_LEFT_SIDE] = KEY_A;
    currentKeymap[KM_RIGHT_SIDE] = KEY_Z;
    for (int t = 0; t < 6; t++) currentKeymap[KM_TRICK1 + t] = KEY_1 + t;
    currentKeymap[KM_BOMB] = BOMB_KEY_CODE;
    gameClockSetManual(pilotClockStart);
    framesRidden = 0;
    clockBase = pilotClockStart;
}

void pilotReleaseKeys()
{
    for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
    gameClockSetReal();
}

void pilotNewRun()
{
    theTrasher->weight = pilotRiderWeight;
    videPileBoutons(playerRun);
    reinitGameVar(playerRun, loadedTrack);
    // The run keeps these over the reset (a landing clears them): a test left in mid-air must not
    // hand its side flip to the next test's first jump.
    playerRun.orientation.amplitudeRotationX = 0.0f;
    playerRun.phases.sautLincolnLoopDroite = playerRun.phases.sautLincolnLoopGauche = 0;
}

void pilotPlaneRun(bool flat, float startX, float finishX)
{
    TrackModel& track = loadedTrack;
    buildPlaneTrack(flat);
    memset(track.textures, 0, sizeof(track.textures));
    track.initObstacles();
    track.initReplaceSkier();
    pilotNewRun();
    track.depart = startX;
    track.arrivee = finishX;
    placeSkierAtStart(playerRun, loadedTrack, pilotClock());
}

long pilotClock()
{
    return gameClockLessPauses();
}

RunInput pilotRecord(const PilotKeys& k, long clockMs, float fps)
{
    RunInput in;
    in.held[RB_UP] = k.up;
    in.held[RB_DOWN] = k.down;
    in.held[RB_LEFT] = k.left;
    in.held[RB_RIGHT] = k.right;
    in.held[RB_LEFT_SIDE] = k.leftSide;
    in.held[RB_RIGHT_SIDE] = k.rightSide;
    in.held[RB_JUMP] = k.space;
    in.held[RB_ENTER] = k.enter;
    in.held[RB_BOMB] = k.bomb;
    for (int t = 0; t < 6; t++) in.held[RB_TRICK1 + t] = k.trick[t];
    in.clockMs = clockMs;
    in.frameps = fps;
    return in;
}

void pilotFrame(int fps, const PilotKeys& keys)
{
    // whole milliseconds that never drift from the frame rate; the game clock follows for the drawing
    framesRidden++;
    long now = clockBase + framesRidden * 1000 / fps;
    gameClockAdvance(now - gameClock());
    runDrawnFrame(runTicker, playerRun, loadedTrack, 1.0 / fps, pilotRecord(keys, gameClockLessPauses(), (float)fps));
}

void pilotPause(long ms)
{
    beginPause();
    gameClockAdvance(ms);
    clockBase += ms;
    endPause();
}

void pilotStart(int fps)
{
    PilotKeys go;
    go.space = true;
    pilotFrame(fps, go);
    PilotKeys none;
    for (int i = 0; i < 4 * fps && playerRun.timing.DEPART != 1; i++) pilotFrame(fps, none);
}

int pilotRide(int fps, float maxSeconds, const std::function<PilotKeys(int frame)>& driver)
{
    int maxFrames = (int)(maxSeconds * fps);
    int f = 0;
    for (; f < maxFrames && !playerRun.motion.skieurArrive; f++) pilotFrame(fps, driver(f));
    return f;
}

float pilotStraightRun(int fps, float maxSeconds)
{
    pilotStart(fps);
    pilotRide(fps, maxSeconds, [](int) {
        PilotKeys k;
        k.up = true;
        return k;
    });
    return playerRun.motion.skieurArrive ? playerRun.timing.totalTime : -1.0f;
}

int pilotEventCount(RunEventKind kind)
{
    int n = 0;
    for (int i = 0; i < runEvents(playerRun).count; i++) n += runEvents(playerRun).items[i].kind == kind;
    return n;
}
