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

BestRun ghostRun;
short ghostReady = 0;
char ghostRefusal[GHOST_REFUSAL_CHARS];

double rideClock()
{
    if (tickRun->timing.DEPART == 1) return countdownLength + tickRun->timing.totalTime;
    if (tickRun->timing.LETSGO != 1) return -1.0;
    return tickRun->timing.diffTemps < 0 ? 0.0 : tickRun->timing.diffTemps > countdownLength ? countdownLength : tickRun->timing.diffTemps;
}

static float groundHalfTurn()
{
    if (!getContact() || tickRun->phases.changementContact) return 0.0f;
    if (tickRun->phases.changementFakieSolRight) return tickRun->phases.rotFakieSolRight;
    if (tickRun->phases.changementFakieSolLeft) return tickRun->phases.rotFakieSolLeft;
    return 0.0f;
}

RunSample riderSample()
{
    RunSample s;
    short air = !getContact();
    s.runTime = tickRun->timing.totalTime;
    s.pos[0] = tickRun->motion.Xobjet, s.pos[1] = tickRun->motion.Yobjet, s.pos[2] = tickRun->motion.Zobjet;
    s.yaw = tickRun->orientation.rotSkierY + groundHalfTurn();
    s.pitch = air ? tickRun->orientation.rotSkierZ : 0.0f;
    s.roll = air ? tickRun->orientation.rotSkierX : 0.0f;
    s.tumble = tickRun->phases.chute && !tickRun->phases.replacement && tickRun->phases.rotationChute >= -360.0f && tickRun->phases.rotationChute <= 360.0f ? tickRun->phases.rotationChute : 0.0f;
    s.lean = tickRun->orientation.angleDePlacementEffectif;
    lirePoseCourante(s.pose);
    s.flags = (air ? 0 : sampleContact) | (tickRun->phases.chute ? sampleFallen : 0) | (tickRun->phases.fakie ? sampleFakie : 0) |
              (tickRun->motion.skieurArrive ? sampleFinished : 0);
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
    InputRecording& input = tickRun->recording.input;
    recordTickInput(&input, heldBits(tickRun->input.current), rideConditionsNow());
    if (tickRun->motion.skieurArrive && getContact() == 1) input.closed = 1;
    double t = rideClock();
    if (t >= 0) recordFrame(&tickRun->recording, t, riderSample());
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
    if (!ghostReady || tickRun->timing.DEPART != 1 || tickRun->motion.skieurArrive) return 0;
    return gapToRecording(ghostRun.rec, tickRun->motion.Xobjet, tickRun->timing.totalTime, gap);
}
