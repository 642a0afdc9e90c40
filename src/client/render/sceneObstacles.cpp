// Takes the obstacle list and the rider's X; draws the trees, collectables, bombs and rails in the
// window ahead, and the bomb burst where the last bomb went off.
#include <GL/gl.h>

#include "render/Generic3dObjectDraw.h"
#include "render/SnowParticleEngine.h"
#include "render/helpanim.h"
#include "render/scene.h"
#include "run/runFrame.h"
#include "run/runState.h"
#include "shell/playerRun.h"

static const float RAIL_VISIBLE_BEHIND = 3000.0f;
static const float COLLECTABLE_LIFT = 300.0f;
static const float COLLECTABLE_SIZE = 50.0f, COLLECTABLE_ANGLE = 10.0f;
static const float BOMB_TILT = 30.0f;

// Trees of one model in a few heights, all as wide as the model, whose branches reach as far as the
// hit spheres stop a rider: a wider tree would let him ride through its branches. Picked by the tree's
// place in the list, so a tree keeps its size.
static const float TREE_SIZES[5][2] = {{1.0f, 1.0f}, {1.0f, 1.18f}, {1.0f, 0.9f}, {1.0f, 1.06f}, {1.0f, 1.25f}};

static float eighthTurn(int i) { return (float)(((int)(i * 45.0)) % 360); }

void drawSapin(float y, int i)
{
    const float* size = TREE_SIZES[(i * 3) % 5];
    glRotatef(eighthTurn(i), 0, 1, 0);
    glTranslatef(0, y, 0);
    // unnormalised, the stretched normals light a taller tree a little darker: no state change per tree
    glScalef(size[0], size[1], size[0]);
    drawObjectList(treeModelList);
}

void drawBomb(int i)
{
    glRotatef(eighthTurn(i), 0, 1, 0);
    glRotatef(BOMB_TILT, 0, 0, 1);
    drawObjectList(bombModelList);
}

short obstacleInView(const ObstacleRecord& o, short taken, float riderX)
{
    float from = o.type == obstacleRail ? riderX - RAIL_VISIBLE_BEHIND : riderX;
    if (!(o.x > from && o.x < riderX + obstacleViewAhead)) return 0;
    if ((o.type == obstacleCollectable || o.type == obstacleBomb) && taken) return 0;
    return o.type >= obstacleSapin && o.type <= obstacleRail;
}

static void drawBombBurst(const float* at)
{
    glPushMatrix();
    glTranslatef(at[0], at[1], at[2]);
    glRotatef(90, 0, 1, 0);
    if (snowSprays.particleEngineBomb) snowSprays.particleEngineBomb->draw(0.0f, 1.0f);
    glPopMatrix();
}

static void drawOneObstacle(const ObstacleRecord& o, int i)
{
    glPushMatrix();
    switch (o.type) {
    case obstacleSapin:
        glTranslatef(o.x, 0, o.z);
        drawSapin(o.y, i);
        break;
    case obstacleCollectable:
        glTranslatef(o.x, o.y + COLLECTABLE_LIFT, o.z);
        drawBigCollectable(COLLECTABLE_SIZE, COLLECTABLE_ANGLE);
        break;
    case obstacleBomb:
        glTranslatef(o.x, o.y, o.z);
        drawBomb(i);
        break;
    case obstacleRail:
        glTranslatef(o.x, o.y, o.z);
        drawObjectList(railModelList);
        break;
    }
    glPopMatrix();
}

void drawObstacles(const TrackModel& track) { drawObstaclesAt(track, shownRun().motion.Xobjet); }

// The collectables and the bomb's burst are see-through: drawn after the sky when it comes last.
static bool seeThrough(const ObstacleRecord& o) { return o.type == obstacleCollectable; }

void drawObstaclesOfPass(const TrackModel& track, float riderX, ObstaclePass pass)
{
    const TrackPoint* pts = track.points;
    // no bomb has gone off yet while the vertex is out of the mesh
    short burstPending = pass != solidObstacles && shownRun().phases.currentBombVertex >= 0 && shownRun().phases.currentBombVertex < maxTrackVertices;
    for (int i = 0; i < maxObstacles && !isObstacleListEnd(track.containerObstacles[i]); i++) {
        const ObstacleRecord& o = track.containerObstacles[i];
        if (burstPending && o.x > pts[shownRun().phases.currentBombVertex][0]) {
            drawBombBurst(pts[shownRun().phases.currentBombVertex]);
            burstPending = 0;
        }
        bool wanted = pass == allObstacles || (pass == seeThroughObstacles) == seeThrough(o);
        if (wanted && obstacleInView(o, shownRun().rider.collision.taken[i], riderX)) drawOneObstacle(o, i);
    }
    if (pass != solidObstacles && shownRun().phases.currentBombVertex >= 0 && shownRun().phases.currentBombVertex < maxTrackVertices)
        drawBombBlast(pts[shownRun().phases.currentBombVertex]);
}

void drawObstaclesAt(const TrackModel& track, float riderX) { drawObstaclesOfPass(track, riderX, allObstacles); }
