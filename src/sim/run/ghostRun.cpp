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

double rideClock(const RunState& run)
{
    if (run.timing.DEPART == 1) return countdownLength + run.timing.totalTime;
    if (run.timing.LETSGO != 1) return -1.0;
    return run.timing.diffTemps < 0 ? 0.0 : run.timing.diffTemps > countdownLength ? countdownLength : run.timing.diffTemps;
}

static float groundHalfTurn(const RunState& run)
{
    if (!getContact(run) || run.phases.changementContact) return 0.0f;
    if (run.phases.changementFakieSolRight) return run.phases.rotFakieSolRight;
    if (run.phases.changementFakieSolLeft) return run.phases.rotFakieSolLeft;
    return 0.0f;
}

RunSample riderSample(const RunState& run)
{
    RunSample s;
    short air = !getContact(run);
    s.runTime = run.timing.totalTime;
    s.pos[0] = run.motion.Xobjet, s.pos[1] = run.motion.Yobjet, s.pos[2] = run.motion.Zobjet;
    s.yaw = run.orientation.rotSkierY + groundHalfTurn(run);
    s.pitch = air ? run.orientation.rotSkierZ : 0.0f;
    s.roll = air ? run.orientation.rotSkierX : 0.0f;
    s.tumble = run.phases.chute && !run.phases.replacement && run.phases.rotationChute >= -360.0f && run.phases.rotationChute <= 360.0f ? run.phases.rotationChute : 0.0f;
    s.lean = run.orientation.angleDePlacementEffectif;
    lirePoseCourante(run.pose, s.pose);
    s.flags = (air ? 0 : sampleContact) | (run.phases.chute ? sampleFallen : 0) | (run.phases.fakie ? sampleFakie : 0) |
              (run.motion.skieurArrive ? sampleFinished : 0);
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
void recordRiderFrame(RunState& run)
{
    InputRecording& input = run.recording.input;
    recordTickInput(&input, heldBits(run.input.current), rideConditionsNow());
    if (run.motion.skieurArrive && getContact(run) == 1) input.closed = 1;
    double t = rideClock(run);
    if (t >= 0) recordFrame(&run.recording, t, riderSample(run));
}

void dropGhostRun()
{
    ghostReady = 0;
    clearRecording(&ghostRun.rec);
}

// A run with its input must ride to its own score and time, or it is no ghost to race: another
// version of the game, or a hand-edited file. The run is then prepared afresh for the rider.
static short ghostRidesAgain(RunState& run, TrackModel& rewoundTrack, const char* path)
{
    if (!wholeInput(ghostRun.rec.input)) return 1;
    const char* why = reRideBestRun(run, rewoundTrack, ghostRun);
    freshRunOnLoadedTrack(run, rewoundTrack);
    if (!why) return 1;
    bestRunRefusalLine(ghostRefusal, sizeof ghostRefusal, why, "no ghost");
    printf("%s: %s\n", path, ghostRefusal);
    return 0;
}

short prepareGhostRun(RunState& run, TrackModel& rewoundTrack, const char* trackDir, short wanted)
{
    dropGhostRun();
    ghostRefusal[0] = '\0';
    if (!wanted) return 0;
    std::string path = playerReadPath(trackFile(trackDir, BEST_RUN_FILE));
    ghostReady = loadBestRun(path.c_str(), trackDir, &ghostRun) == 0 && ghostRidesAgain(run, rewoundTrack, path.c_str());
    if (!ghostReady) clearRecording(&ghostRun.rec);
    return ghostReady;
}

int ghostSampleNow(const RunState& run, RunSample* out)
{
    double t = rideClock(run);
    if (!ghostReady) return 0;
    return sampleAt(ghostRun.rec, t < 0 ? 0.0 : t, out);
}

int ghostGapNow(const RunState& run, float* gap)
{
    if (!ghostReady || run.timing.DEPART != 1 || run.motion.skieurArrive) return 0;
    return gapToRecording(ghostRun.rec, run.motion.Xobjet, run.timing.totalTime, gap);
}
