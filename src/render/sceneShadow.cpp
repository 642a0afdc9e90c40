// Takes the rider's pose and place; draws his shadow flattened on the ground plane under him
// (projected rider or disc), without depth test so the terrain never hides it.
#include <GL/gl.h>

#include "render/helpanim.h"
#include "render/renderSettings.h"
#include "render/scene.h"
#include "run/runFrame.h"
#include "run/runState.h"
#include "skier/skierLib.h"

static const float SHADOW_GREY = 0.8f;
static const int DISC_STEPS = 20;
static const float DISC_RADIUS = 50.0f;

void shadowPlaneUnderRider()
{
    int face = getNumeroFaceCourante();
    if (face < 0 || face >= maxTrackFaces) face = 0;
    makePoints(lilPoints, face);
    float h = yTheoObj(points, faces, Xobjet, Zobjet, (float)maxTrackFaces) - Yobjet;
    for (int i = 0; i < 3; i++) {
        lilPoints[i][0] -= Xobjet;
        lilPoints[i][1] = h;
    }
    float light[4] = {2000, 10000, 0, 1};
    MakeShadowMatrix(lilPoints, light, shadowMat);
}

void drawShadow()
{
    if (ombre != 0 && ombre != 1) return;
    shadowPlaneUnderRider();
    glPushMatrix();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    endDistanceHaze();  // the flattening matrix leaves no eye distance the fog could use
    if (replacement) glColor4f(1 - alphaFond, 1 - alphaFond, 1 - alphaFond, 1);
    else glColor4f(SHADOW_GREY, SHADOW_GREY, SHADOW_GREY, 1);
    glLoadIdentity();
    placeCamera();
    if (askForRescue) glTranslatef(0, -yRescueCamera, 0);
    glRotatef(angleCourant, 0, 0, 1);
    glRotatef(angleLateral(getNumeroFaceCourante()), 1, 0, 0);
    glMultMatrixf(&shadowMat[0][0]);
    if (!getContact()) {
        glRotatef(-rotSkierY, 0, 1, 0);
        glRotatef(rotSkierZ, 0, 0, 1);
        glRotatef(rotSkierX, 1, 0, 0);
    }
    if (fakie) glRotatef(180, 0, 1, 0);
    glDisable(GL_TEXTURE_2D);
    if (ombre == 0) {
        drawSkierAfterTransform(0, angleDePlacementEffectif);
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
