// Obstacle collisions: takes the rider's movement since the last sweep, returns whether he falls,
// and picks up collectables and bombs, starts and stops rail grinds on the way.
#include "track/collision.h"

#include <cmath>

#include "core/graphicLib.h"
#include "run/runState.h"
#include "run/runEvents.h"
#include "run/runTick.h"
#include "track/bombstuff.h"
#include "track/planLib.h"
#include "track/trackModel.h"

// Obstacles are only looked at within this reach ahead of the rider and half a cell across.
static const float reachAhead = 4000.0f;
static const float railReachBehind = 2940.0f;
static const float reachAcross = largeurFace / 2.0f;

static const float treeLowDy = 260.0f, treeLowRadius = 220.0f;
static const float treeHighDy = 600.0f, treeHighRadius = 120.0f;
static const float collectableDy = 300.0f, collectableRadius = 300.0f;
static const float bombDy = 32.0f, bombRadius = 300.0f;

static const float railDy = 66.0f;
static const float railDz = -1.0f;
static const float railSphereRadius = 50.0f;
static const int railBarSpheres = 30;
static const float railBarFirstDx = -9.0f;
static const float railBarStep = 100.0f;
static const float railSupportStep = 100.0f;
static const float railAlignment = 70.0f;  // a grind needs the rider this close across the rail
// A grind slows the rider by 1.05 for each sample of a sweep of 1/60 s on the bar (the pace the
// grind was tuned at): once each 1/60 s at a walk, and once each 180 units covered at speed.
static const float grindSlowdown = 0.9523809523809523f;
static const float grindMinSpeed = 1200.0f;

struct RailSupport {
    float dx;
    int spheres;
};
static const RailSupport railSupports[] = {
    {-9.0f, 23}, {500.6f, 31}, {1129.6f, 31}, {1720.0f, 31}, {2304.0f, 31}, {2955.0f, 36},
};

static CollisionSweep& sweep(RunState& run) { return run.rider.collision; }

void reinitCollisionSweep(RunState& run, float x, float y, float z)
{
    CollisionSweep& w = sweep(run);
    w.indiceDernierCollectable = w.indiceDerniereBombe = -1;
    w.usingYRail = w.lastUsingYRail = 0;
    w.boomF = w.bombF = 0;
    w.steps = StepSweeps{};
    w.xPrecCol = x;
    w.yPrecCol = y;
    w.zPrecCol = z;
}

static coord pointAlong(coord from, float ux, float uy, float uz, double t)
{
    coord p;
    p.x = from.x + (float)t * ux;
    p.y = from.y + (float)t * uy;
    p.z = from.z + (float)t * uz;
    return p;
}

// The samples of a movement strictly before its end: they sit at trunc(3r), then every trunc(2r)
// units; a step under one unit would never advance, and an infinite movement has none to speak of.
static double samplesBefore(float radius, float distance)
{
    double first = std::trunc(3.0 * radius);
    double step = std::trunc(2.0 * radius);
    if (!(distance > 3.0f * radius) || !(distance > first) || step < 1.0 || !std::isfinite(distance)) return 0.0;
    return std::ceil((distance - first) / step);
}

int initPointsToCollideTest(coord from, coord to, coord* out, float radius, float distance)
{
    double between = samplesBefore(radius, distance);
    if (between == 0.0) {
        out[0] = to;
        return 1;
    }
    double first = std::trunc(3.0 * radius), step = std::trunc(2.0 * radius);
    float ux = (to.x - from.x) / distance, uy = (to.y - from.y) / distance, uz = (to.z - from.z) / distance;
    // A longer movement than the array holds keeps its last samples, nearest the rider.
    double skipped = between > maxPointsToTest - 1 ? between - (maxPointsToTest - 1) : 0.0;
    int n = 0;
    for (double k = skipped; k < between; k += 1.0) out[n++] = pointAlong(from, ux, uy, uz, first + k * step);
    out[n++] = to;
    return n;
}

int testSphereCollision(float r1, float x1, float y1, float z1, float x2, float y2, float z2, float r2)
{
    float dx = x1 - x2, dy = y1 - y2, dz = z1 - z2;
    return std::sqrt(dx * dx + dy * dy + dz * dz) < r1 + r2;
}

static const ObstacleRecord* obstacleAt(const TrackModel& track, int index)
{
    if (index < 0 || index >= maxObstacles) return nullptr;
    return &track.containerObstacles[index];
}

static int hitsSphereAbove(float radius, float x, float y, float z, const ObstacleRecord* o, float dy, float r)
{
    return testSphereCollision(radius, x, y, z, o->x, o->y + dy, o->z, r);
}

int isCollisionSapin(const TrackModel& track, float radius, float x, float y, float z, int obstacle)
{
    const ObstacleRecord* o = obstacleAt(track, obstacle);
    if (!o) return 0;
    return hitsSphereAbove(radius, x, y, z, o, treeLowDy, treeLowRadius) ||
           hitsSphereAbove(radius, x, y, z, o, treeHighDy, treeHighRadius);
}

int isCollisionCollectable(const TrackModel& track, float radius, float x, float y, float z, int obstacle)
{
    const ObstacleRecord* o = obstacleAt(track, obstacle);
    return o && hitsSphereAbove(radius, x, y, z, o, collectableDy, collectableRadius);
}

int isCollisionBomb(const TrackModel& track, float radius, float x, float y, float z, int obstacle)
{
    const ObstacleRecord* o = obstacleAt(track, obstacle);
    return o && hitsSphereAbove(radius, x, y, z, o, bombDy, bombRadius);
}

static int hitsRailSphere(float radius, float x, float y, float z, const ObstacleRecord* o, float dx, float dy)
{
    return testSphereCollision(radius, x, y, z, o->x + dx, o->y + dy, o->z + railDz, railSphereRadius);
}

static int hitsRailBar(float radius, float x, float y, float z, const ObstacleRecord* o)
{
    for (int i = 0; i < railBarSpheres; i++)
        if (hitsRailSphere(radius, x, y, z, o, railBarFirstDx + i * railBarStep, railDy)) return 1;
    return 0;
}

static int hitsRailSupports(float radius, float x, float y, float z, const ObstacleRecord* o)
{
    for (const RailSupport& s : railSupports)
        for (int i = 0; i < s.spheres; i++)
            if (hitsRailSphere(radius, x, y, z, o, s.dx, railDy - i * railSupportStep)) return 1;
    return 0;
}

// The box holding every sphere of a rail, widened by the rider's radius and a unit of slack: a rider
// outside it cannot touch the rail, which spares the 209 sphere tests.
static const float railMinDx = -9.0f, railMaxDx = 2955.0f, railMinDy = -3434.0f;

static int outsideRailBox(float radius, float x, float y, float z, const ObstacleRecord* o)
{
    float reach = radius + railSphereRadius + 1.0f;
    return x < o->x + railMinDx - reach || x > o->x + railMaxDx + reach || y < o->y + railMinDy - reach ||
           y > o->y + railDy + reach || std::fabs(z - (o->z + railDz)) > reach;
}

static void grind(RunState& run, const ObstacleRecord* o)
{
    if (!sweep(run).lastUsingYRail) emitRunEvent(run, RUN_EV_GRIND_START);
    sweep(run).yRail = o->y + railDy;
    sweep(run).usingYRail = 1;
    run.orientation.amplitudeRotationX = run.orientation.amplitudeRotationY = run.orientation.amplitudeRotationZ = 0.0f;
    run.orientation.rotSkierX = run.orientation.rotSkierZ = 0.0f;
    sweep(run).steps.onBar++;
}

static double samplesOfSweep(float distance)
{
    return fmin(samplesBefore(riderCollisionRadius, distance), maxPointsToTest - 1.0) + 1.0;
}

// The grind's slowdown of the tuned steps just ended, counted as their own sweeps of 1/60 s covering
// the same ground would have counted it: the ticks of a step of any length slow the rider as the
// step did, at its end (as the tuned sweep did, at the start of the next step).
static void slowOnRail(RunState& run, const StepSweeps& w)
{
    double tunedSamples = samplesOfSweep((float)(w.distance / w.steps)) * w.steps;
    double times = w.onBar * tunedSamples / w.samples;
    // Whole slowdowns one at a time, as each sample used to: a tuned tick slows exactly as before.
    for (; times >= 1.0; times -= 1.0) run.motion.vitessePrecedente *= grindSlowdown;
    if (times > 0.0) run.motion.vitessePrecedente *= (float)pow((double)grindSlowdown, times);
    if (!(run.motion.vitessePrecedente > grindMinSpeed)) run.motion.vitessePrecedente = grindMinSpeed;
}

static void countSweep(RunState& run, int samples, float distance)
{
    StepSweeps& w = sweep(run).steps;
    w.samples += samples;
    w.distance += distance;
    w.steps += perTunedStep(1.0f);
    if (tunedStepsBeginning(run.timing.runTicks) == 0) return;
    if (w.onBar) slowOnRail(run, w);
    w = StepSweeps{};
}

int isCollisionRail(RunState& run, const TrackModel& track, float radius, float x, float y, float z, int obstacle, short descending)
{
    const ObstacleRecord* o = obstacleAt(track, obstacle);
    if (!o || outsideRailBox(radius, x, y, z, o)) return 0;
    if (hitsRailBar(radius, x, y, z, o)) {
        if (getContact(run) == 1) return 1;
        if (!descending && !sweep(run).lastUsingYRail) return 1;
        if (z >= o->z + railAlignment || z <= o->z - railAlignment) return 1;
        grind(run, o);
        return 0;
    }
    return hitsRailSupports(radius, x, y, z, o);
}

static int isAheadWithin(const coord& p, const ObstacleRecord& o, float behind)
{
    return p.x - behind < o.x && o.x < p.x + reachAhead && std::fabs(p.z - o.z) < reachAcross;
}

static void pickUpCollectable(RunState& run, const TrackModel& track, const coord& p, int i)
{
    if (i == sweep(run).indiceDernierCollectable || sweep(run).taken[i]) return;
    if (!isCollisionCollectable(track, riderCollisionRadius, p.x, p.y, p.z, i)) return;
    run.scores.totalCollectable++;
    sweep(run).indiceDernierCollectable = i;
    sweep(run).taken[i] = 1;
    sweep(run).boomF = 1;
    emitRunEvent(run, RUN_EV_COLLECTABLE);
}

static void pickUpBomb(RunState& run, const TrackModel& track, const coord& p, int i)
{
    if (i == sweep(run).indiceDerniereBombe || sweep(run).taken[i]) return;
    if (!isCollisionBomb(track, riderCollisionRadius, p.x, p.y, p.z, i)) return;
    incCollectedBomb(run);
    sweep(run).indiceDerniereBombe = i;
    sweep(run).taken[i] = 1;
    sweep(run).bombF = 1;
    emitRunEvent(run, RUN_EV_BOMB_PICKED);
}

static int hitBy(RunState& run, int type)
{
    sweep(run).lastHitObstacleType = type;
    return 1;
}

static int testObstacle(RunState& run, const TrackModel& track, const coord& p, int i)
{
    const ObstacleRecord& o = track.containerObstacles[i];
    if (o.type == obstacleRail) {
        if (!isAheadWithin(p, o, railReachBehind)) return 0;
        int hit = isCollisionRail(run, track, riderCollisionRadius, p.x, p.y, p.z, i, p.y <= sweep(run).yPrecCol);
        if (hit) emitRunEvent(run, RUN_EV_RAIL_CLING);
        return hit ? hitBy(run, obstacleRail) : 0;
    }
    if (!isAheadWithin(p, o, 0.0f)) return 0;
    if (o.type == obstacleSapin) return isCollisionSapin(track, riderCollisionRadius, p.x, p.y, p.z, i) ? hitBy(run, obstacleSapin) : 0;
    if (o.type == obstacleCollectable) pickUpCollectable(run, track, p, i);
    if (o.type == obstacleBomb) pickUpBomb(run, track, p, i);
    return 0;
}

static int testPoint(RunState& run, const TrackModel& track, const coord& p)
{
    for (int i = 0; i < maxObstacles && !isObstacleListEnd(track.containerObstacles[i]); i++)
        if (testObstacle(run, track, p, i)) return 1;
    return 0;
}

int detectCollision(RunState& run, const TrackModel& track)
{
    CollisionSweep& w = sweep(run);
    coord from = {w.xPrecCol, w.yPrecCol, w.zPrecCol};
    coord to = {run.motion.Xobjet, run.motion.Yobjet, run.motion.Zobjet};
    float d = computeDistance(from.x, from.y, from.z, to.x, to.y, to.z);
    w.boomF = w.bombF = 0;
    w.lastUsingYRail = w.usingYRail;
    w.usingYRail = 0;
    coord points[maxPointsToTest];
    int n = initPointsToCollideTest(from, to, points, riderCollisionRadius, d);
    int hit = 0;
    for (int k = 0; k < n && !hit; k++) hit = testPoint(run, track, points[k]);
    countSweep(run, n, d);
    if (w.lastUsingYRail && !w.usingYRail) emitRunEvent(run, RUN_EV_GRIND_STOP);
    w.xPrecCol = run.motion.Xobjet;
    w.yPrecCol = run.motion.Yobjet;
    w.zPrecCol = run.motion.Zobjet;
    return hit;
}
