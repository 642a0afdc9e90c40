// Takes the run state each frame and the track's best-run file; returns the recording, the ghost's
// state at the rider's time and the gap between them.
#include "run/ghostRun.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "fileio/gameFolders.h"
#include "run/landing.h"
#include "run/physics.h"
#include "run/reRide.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "run/runTick.h"
#include "skier/positionDef.h"
#include "track/planLib.h"

RunRecording recordingRun;
BestRun ghostRun;
short ghostReady = 0;
char ghostRefusal[GHOST_REFUSAL_CHARS];

double rideClock()
{
    if (DEPART == 1) return countdownLength + totalTime;
    if (LETSGO != 1) return -1.0;
    return diffTemps < 0 ? 0.0 : diffTemps > countdownLength ? countdownLength : diffTemps;
}

static float groundHalfTurn()
{
    if (!getContact() || changementContact) return 0.0f;
    if (changementFakieSolRight) return rotFakieSolRight;
    if (changementFakieSolLeft) return rotFakieSolLeft;
    return 0.0f;
}

RunSample riderSample()
{
    RunSample s;
    short air = !getContact();
    s.runTime = totalTime;
    s.pos[0] = Xobjet, s.pos[1] = Yobjet, s.pos[2] = Zobjet;
    s.yaw = rotSkierY + groundHalfTurn();
    s.pitch = air ? rotSkierZ : 0.0f;
    s.roll = air ? rotSkierX : 0.0f;
    s.tumble = chute && !replacement && rotationChute >= -360.0f && rotationChute <= 360.0f ? rotationChute : 0.0f;
    s.lean = angleDePlacementEffectif;
    lirePoseCourante(s.pose);
    s.flags = (air ? 0 : sampleContact) | (chute ? sampleFallen : 0) | (fakie ? sampleFakie : 0) |
              (skieurArrive ? sampleFinished : 0);
    return s;
}

RideConditions rideConditionsNow()
{
    RideConditions c;
    c.ticksPerSecond = (int)lround(1.0 / runTickSeconds);
    c.weight = riderWeight();
    c.tolerances[0] = toleranceAngleRightAndLeft;
    c.tolerances[1] = toleranceAngleFrontAndBack;
    c.tolerances[2] = toleranceAngleLeftSideAndRightSide;
    return c;
}

// The input goes on past the line until the rider is on the snow: a flight over it banks its points
// after the finish, and a re-ride must bank them too.
void recordRiderFrame()
{
    InputRecording& input = recordingRun.input;
    recordTickInput(&input, heldBits(runInputState.current), rideConditionsNow());
    if (skieurArrive && getContact() == 1) input.closed = 1;
    double t = rideClock();
    if (t >= 0) recordFrame(&recordingRun, t, riderSample());
}

void dropGhostRun()
{
    ghostReady = 0;
    clearRecording(&ghostRun.rec);
}

// A run with its input must ride to its own score and time, or it is no ghost to race: another
// version of the game, or a hand-edited file. The run is then prepared afresh for the rider.
static short ghostRidesAgain(const char* path)
{
    if (!wholeInput(ghostRun.rec.input)) return 1;
    const char* why = reRideBestRun(ghostRun);
    freshRunOnLoadedTrack();
    if (!why) return 1;
    bestRunRefusalLine(ghostRefusal, sizeof ghostRefusal, why, "no ghost");
    printf("%s: %s\n", path, ghostRefusal);
    return 0;
}

short prepareGhostRun(const char* trackDir, short wanted)
{
    dropGhostRun();
    ghostRefusal[0] = '\0';
    if (!wanted) return 0;
    std::string path = playerReadPath(trackFile(trackDir, BEST_RUN_FILE));
    ghostReady = loadBestRun(path.c_str(), trackDir, &ghostRun) == 0 && ghostRidesAgain(path.c_str());
    if (!ghostReady) clearRecording(&ghostRun.rec);
    return ghostReady;
}

int ghostSampleNow(RunSample* out)
{
    double t = rideClock();
    if (!ghostReady) return 0;
    return sampleAt(ghostRun.rec, t < 0 ? 0.0 : t, out);
}

int ghostGapNow(float* gap)
{
    if (!ghostReady || DEPART != 1 || skieurArrive) return 0;
    return gapToRecording(ghostRun.rec, Xobjet, totalTime, gap);
}
