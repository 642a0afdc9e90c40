// Takes the ski edge points, the rider's drawn place and his phase; lays one pair of trace points a
// tick on the snow (tails, noses or the braking ski) and draws the half-transparent marks.
#include <GL/gl.h>

#include "render/graphImage.h"
#include "render/skiTraces.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "skier/skierLib.h"
#include "track/planLib.h"
#include "track/trackModel.h"

static const float TRACE_LIFT = 5.0f;

static long lastTraceTick = -1;  // the tick whose pair is the newest

static ThreeDPoint* onSnow(const TrackModel& track, const float* skiPoint, const float* riderPos)
{
    float x = skiPoint[0] + riderPos[0], z = skiPoint[2] + riderPos[2];
    return new ThreeDPoint(x, yTheoObj(track.points, track.faces, x, z, (float)maxTrackFaces) + TRACE_LIFT, z);
}

void chooseTracePair(short isFakie, float braking, float heading, int* leftPick, int* rightPick, int* slot)
{
    enum { RIGHT_NOSE, LEFT_NOSE, RIGHT_TAIL, LEFT_TAIL };
    if (isFakie) *leftPick = LEFT_NOSE, *rightPick = RIGHT_NOSE, *slot = texStuffTraceRun;
    else if (braking <= 0) *leftPick = RIGHT_TAIL, *rightPick = LEFT_TAIL, *slot = texStuffTraceRun;
    else if (heading <= 0) *leftPick = LEFT_NOSE, *rightPick = LEFT_TAIL, *slot = texStuffTraceBreak;
    else *leftPick = RIGHT_NOSE, *rightPick = RIGHT_TAIL, *slot = texStuffTraceBreak;
}

void updateTraces(const TrackModel& track, RiderPose& pose, const float* riderPos, long tick)
{
    if (shownRun().motion.skieurStop) return;  // a stopped rider keeps the marks already laid
    if (!getContact(shownRun()) || shownRun().phases.chute) {
        skiTraces.reset();
        lastTraceTick = -1;
        return;
    }
    float* ends[4] = {getOutNoseSkiDroitPos(pose), getOutNoseSkiGauchePos(pose), getOutTailSkiDroitPos(pose),
                      getOutTailSkiGauchePos(pose)};
    int l, r, slot;
    chooseTracePair(shownRun().phases.fakie, shownRun().motion.freinage, shownRun().orientation.rotSkierY, &l, &r, &slot);
    ThreeDPoint* a = onSnow(track, ends[l], riderPos);
    ThreeDPoint* b = onSnow(track, ends[r], riderPos);
    if (tick >= 0 && tick == lastTraceTick) skiTraces.replaceLast(a, b, gameTextures.texTrackStuff[slot]);
    else skiTraces.add(a, b, gameTextures.texTrackStuff[slot]);
    lastTraceTick = tick;
}

void drawTraces(const TrackModel& track, RiderPose& pose, const float* riderPos, long tick)
{
    updateTraces(track, pose, riderPos, tick);
    glPushMatrix();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glColor4f(1, 1, 1, 0.5f);
    skiTraces.draw();
    glColor4f(1, 1, 1, 1);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glEnable(GL_LIGHTING);
    glPopMatrix();
}
