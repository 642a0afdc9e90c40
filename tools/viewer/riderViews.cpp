// Riders: each generated rider skinned in the neutral pose, the game's standing pose and a few
// tricks, drawn by the game's rider drawing from two angles; and every trick on one sheet.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/dirList.h"
#include "render/graphImage.h"
#include "render/skierDraw.h"
#include "shell/playerRun.h"
#include "skier/positionDef.h"
#include "skier/skierCar.h"
#include "skier/skierLib.h"
#include "track/planLib.h"
#include "viewer.h"

static const float RIDER_TARGET_Y = 120.0f;
static const float RIDER_EYE_DISTANCE = 600.0f;
static const float RIDER_FOV = 40.0f;

struct Angle {
    const char* name;
    float dir[3];  // from the rider towards the eye; the rider faces +X, his left is -Z
};
static const Angle ANGLES[2] = {{"front", {0.65f, 0.3f, 0.7f}}, {"side", {0.05f, 0.12f, -1.0f}}};

// One pose of each kind a player should recognise, after the neutral and the standing pose.
static const char* const NAMED_TRICKS[] = {"Mute_Grab", "Spread_Eagle", "Iron_Cross", "Tuck", "Lincoln_Twist", "Daffy"};

static const float ZERO_POSE[37] = {0};
// The tricks are the same for every rider: all of them are drawn on the default rider only.
static const char* const DEFAULT_RIDER = "tolvek";

static void cellViewport(int cell, int cols, int rows)
{
    int w = viewerWidth / cols, h = viewerHeight / rows;
    int x = (cell % cols) * w, y = viewerHeight - (cell / cols + 1) * h;
    glViewport(x, y, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(RIDER_FOV, (double)w / h, 10.0, 5000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

static void drawPosedRider(const float* pose, const Angle& a)
{
    float l = std::sqrt(a.dir[0] * a.dir[0] + a.dir[1] * a.dir[1] + a.dir[2] * a.dir[2]);
    float d = RIDER_EYE_DISTANCE / l;
    gluLookAt(a.dir[0] * d, RIDER_TARGET_Y + a.dir[1] * d, a.dir[2] * d, 0, RIDER_TARGET_Y, 0, 0, 1, 0);
    placeLumiere();
    glEnable(GL_DEPTH_TEST);
    glColor4f(1, 1, 1, 1);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    changePosition(playerRun.pose, (float*)pose);
    majRotationsBones(playerRun.pose, playerRider);
    setContact(playerRun, 1);
    transformSkierEtat(playerRun.pose, playerRider, 0, 0, 0, 1);
    drawSkierAfterTransform(playerRun.pose, playerRider, 1, 0);
    glDisable(GL_LIGHTING);
}

static const float* trickPose(const char* name)
{
    SkiPosition* p = getPositionsDispo();
    for (int i = 0; i < 64; i++)
        if (strcmp(p[i].name, name) == 0 && p[i].boutons[0] != -2) return p[i].position;
    fprintf(stderr, "kesview: no trick named %s\n", name);
    return nullptr;
}

static void namedPosesSheet(const std::string& out, const std::string& rider, const Angle& a)
{
    clearToSnow();
    const int cols = 4, rows = 2;
    cellViewport(0, cols, rows);
    drawPosedRider(ZERO_POSE, a);
    cellViewport(1, cols, rows);
    drawPosedRider(builtInPoses.normalPosition, a);
    int cell = 2;
    for (const char* name : NAMED_TRICKS) {
        const float* pose = trickPose(name);
        cellViewport(cell++, cols, rows);
        if (pose) drawPosedRider(pose, a);
    }
    savePicture(out, "rider_" + rider + "_" + a.name);
}

// Every trick, eight to a picture.
static void allTricksPages(const std::string& out, const std::string& rider, const Angle& a)
{
    const int cols = 4, rows = 2;
    SkiPosition* p = getPositionsDispo();
    for (int first = 0; first < 64 && p[first].boutons[0] != -2; first += cols * rows) {
        clearToSnow();
        for (int i = first; i < first + cols * rows && i < 64 && p[i].boutons[0] != -2; i++) {
            cellViewport(i - first, cols, rows);
            drawPosedRider(p[i].position, a);
        }
        savePicture(out, "tricks_" + rider + "_" + a.name + std::to_string(first / (cols * rows) + 1));
    }
}

struct BuiltInPose {
    const char* name;
    const float* pose;
};
static const BuiltInPose BUILT_IN[] = {
    {"reposPosition", builtInPoses.reposPosition}, {"oneGrabPosition", builtInPoses.oneGrabPosition}, {"okPosition1", builtInPoses.okPosition1},
    {"okPosition2", builtInPoses.okPosition2}, {"normalPosition", builtInPoses.normalPosition}, {"virGauchePosition", builtInPoses.virGauchePosition},
    {"virDroitePosition", builtInPoses.virDroitePosition}, {"receptionPosition", builtInPoses.receptionPosition},
    {"fakiePosition", builtInPoses.fakiePosition}, {"virFakieGauchePosition", builtInPoses.virFakieGauchePosition},
    {"virFakieDroitePosition", builtInPoses.virFakieDroitePosition}, {"fakieReceptionPosition", builtInPoses.fakieReceptionPosition},
    {"simpleJumpFakie", builtInPoses.simpleJumpFakie}, {"simpleJump", builtInPoses.simpleJump},
    {"freinagePGauchePosition", builtInPoses.freinagePGauchePosition}, {"freinagePDroitePosition", builtInPoses.freinagePDroitePosition},
    {"freinageFakiePosition", builtInPoses.freinageFakiePosition}, {"bouleChutePosition", builtInPoses.bouleChutePosition},
    {"chutePosition", builtInPoses.chutePosition}, {"grindPosition", builtInPoses.grindPosition},
    {"normalCrouchPosition", builtInPoses.normalCrouchPosition}, {"fakieCrouchPosition", builtInPoses.fakieCrouchPosition}};

// The game's own poses (riding, turning, braking, landing, falling, grinding) on one picture.
static void builtInSheet(const std::string& out, const std::string& rider, const Angle& a)
{
    const int cols = 6, rows = 4;
    clearToSnow();
    int cell = 0;
    for (const BuiltInPose& p : BUILT_IN) {
        cellViewport(cell++, cols, rows);
        drawPosedRider(p.pose, a);
    }
    savePicture(out, "poses_" + rider + "_" + a.name);
}

static void writeLegend(const std::string& out)
{
    FILE* f = fopen((out + "/legend.txt").c_str(), "w");
    if (!f) return;
    fprintf(f, "rider_NAME_ANGLE: neutral (all joints 0), standing (builtInPoses.normalPosition)");
    for (const char* n : NAMED_TRICKS) fprintf(f, ", %s", n);
    fprintf(f, "\ntricks_%s_ANGLEn, eight a page, left to right, top to bottom:", DEFAULT_RIDER);
    SkiPosition* p = getPositionsDispo();
    for (int i = 0; i < 64 && p[i].boutons[0] != -2; i++) fprintf(f, " %i:%s", i, p[i].name);
    fprintf(f, "\nposes_%s_ANGLE, six a row:", DEFAULT_RIDER);
    for (const BuiltInPose& p : BUILT_IN) fprintf(f, " %s", p.name);
    fprintf(f, "\n");
    fclose(f);
}

void viewRiders(const std::string& out)
{
    std::vector<std::string> riders;
    listDirectory("./data/models", riders, 50);
    for (const std::string& r : riders) {
        if (chargeSkierGui(r.c_str()) != 0) continue;
        for (const Angle& a : ANGLES) {
            namedPosesSheet(out, r, a);
            if (r != DEFAULT_RIDER) continue;
            allTricksPages(out, r, a);
            builtInSheet(out, r, a);
        }
    }
    writeLegend(out);
}
