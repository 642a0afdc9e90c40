// Takes the rider's pose and place; draws his shadow flattened on the ground plane under him
// (projected rider or disc), without depth test so the terrain never hides it.
#include <GL/gl.h>

#include "render/drawnState.h"
#include "render/helpanim.h"
#include "render/renderSettings.h"
#include "render/replayCameras.h"
#include "render/scene.h"
#include "render/skierDraw.h"
#include "skier/skierLib.h"

static const float SHADOW_GREY = 0.8f;
static const int DISC_STEPS = 20;
static const float DISC_RADIUS = 50.0f;

ShadowState shadowState;

void shadowPlaneUnderRider(const TrackModel& track, int face, float riderX, float riderY, float groundY)
{
    if (face < 0 || face >= maxTrackFaces) face = 0;
    makePoints(track, shadowState.lilPoints, face);
    float h = groundY - riderY;
    for (int i = 0; i < 3; i++) {
        shadowState.lilPoints[i][0] -= riderX;
        shadowState.lilPoints[i][1] = h;
    }
    float light[4] = {2000, 10000, 0, 1};
    MakeShadowMatrix(shadowState.lilPoints, light, shadowState.shadowMat);
}

// The frame the chase draws the shadow in: its eye's, the view's turn left out. A camera in the world
// gets the same frame at the rider, so the shadow falls as it does under the chase.
static void shadowFrame(const DrawnState& d, const WorldView* view)
{
    glLoadIdentity();
    if (!view) {
        placeCameraAt(d.eyeBack, d.eyeUp);
        if (d.rescue) glTranslatef(0, -d.rescueLift, 0);
        return;
    }
    placeWorldCamera(*view);
    glTranslatef(d.pos[0] - view->eye[0], d.pos[1] - view->eye[1], d.pos[2] - view->eye[2]);
    glRotatef(-d.viewBank, 1, 0, 0);
    glRotatef(-d.viewHeading, 0, 1, 0);
}

void drawShadow(const TrackModel& track, const RiderPose& pose, const DrawnState& d, const WorldView* view)
{
    if (shadowState.ombre != 0 && shadowState.ombre != 1) return;
    shadowPlaneUnderRider(track, d.face, d.pos[0], d.pos[1], d.groundY);
    glPushMatrix();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    endDistanceHaze();  // the flattening matrix leaves no eye distance the fog could use
    if (d.replacement) glColor4f(1 - d.fadeAlpha, 1 - d.fadeAlpha, 1 - d.fadeAlpha, 1);
    else glColor4f(SHADOW_GREY, SHADOW_GREY, SHADOW_GREY, 1);
    shadowFrame(d, view);
    glRotatef(d.slope, 0, 0, 1);
    glRotatef(d.lateral, 1, 0, 0);
    glMultMatrixf(&shadowState.shadowMat[0][0]);
    if (!d.contact) {
        glRotatef(-d.yaw, 0, 1, 0);
        glRotatef(d.airPitch, 0, 0, 1);
        glRotatef(d.airRoll, 1, 0, 0);
    }
    if (d.fakie) glRotatef(180, 0, 1, 0);
    glDisable(GL_TEXTURE_2D);
    if (shadowState.ombre == 0) {
        // flattened, the rider's far side falls on the shadow his near side already casts: only the
        // faces turned to the eye are drawn, half the triangles for the same grey
        glEnable(GL_CULL_FACE);
        drawSkierAfterTransformEtat(pose, riddenModel(), 0, d.contact);
        glDisable(GL_CULL_FACE);
    } else {
        glRotatef(90, 0, 1, 0);
        glRotatef(90, 0, 0, 1);
        drawOneDisc(0, 0, 0, DISC_STEPS, DISC_RADIUS);
    }
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    beginDistanceHaze();
    glColor4f(1, 1, 1, 1);
    glPopMatrix();
}
