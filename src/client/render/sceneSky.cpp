// Takes the track's sky and sun textures; draws the sky box round the rider (no face behind him)
// and the additive sun ahead.
#include <GL/gl.h>

#include "render/graphImage.h"
#include "render/scene.h"

static const float SKY_HALF_X = 10.0f * longueurFace;
static const float SKY_HALF_Y = 10.0f * longueurFace;
static const float SKY_HALF_Z = 12.0f * largeurFace - 2.0f * longueurFace;
static const float SUN_AHEAD = 15000.0f, SUN_HEIGHT = 6000.0f, SUN_HALF_SIZE = 5000.0f;

struct SkyCorner {
    float s, t;
    float x, y, z;  // signs of the half sizes
};

static void skyFace(int slot, const SkyCorner c[4])
{
    glBindTexture(GL_TEXTURE_2D, gameTextures.texTrackStuff[slot]);
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; i++) {
        glTexCoord2f(c[i].s, c[i].t);
        glVertex3f(c[i].x * SKY_HALF_X, c[i].y * SKY_HALF_Y, c[i].z * SKY_HALF_Z);
    }
    glEnd();
}

void drawFond()
{
    static const SkyCorner front[4] = {{0, 1, 1, 1, -1}, {1, 1, 1, 1, 1}, {1, 0, 1, -1, 1}, {0, 0, 1, -1, -1}};
    static const SkyCorner down[4] = {{0, 1, 1, -1, -1}, {1, 1, 1, -1, 1}, {1, 0, -1, -1, 1}, {0, 0, -1, -1, -1}};
    static const SkyCorner up[4] = {{0, 1, -1, 1, -1}, {1, 1, -1, 1, 1}, {1, 0, 1, 1, 1}, {0, 0, 1, 1, -1}};
    static const SkyCorner left[4] = {{0, 1, -1, 1, -1}, {1, 1, 1, 1, -1}, {1, 0, 1, -1, -1}, {0, 0, -1, -1, -1}};
    static const SkyCorner right[4] = {{0, 1, 1, 1, 1}, {1, 1, -1, 1, 1}, {1, 0, -1, -1, 1}, {0, 0, 1, -1, 1}};
    glEnable(GL_TEXTURE_2D);
    // decal: the light must not tint the sky
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glColor4f(1, 1, 1, 1);
    skyFace(texStuffFront, front);
    skyFace(texStuffDown, down);
    skyFace(texStuffUp, up);
    skyFace(texStuffLeft, left);
    skyFace(texStuffRight, right);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_TEXTURE_2D);
}

void drawSoleil(float angle)
{
    glEnable(GL_TEXTURE_2D);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    // additive: the dark parts of the picture vanish
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, gameTextures.texTrackStuff[texStuffSoleil]);
    glPushMatrix();
    glTranslatef(SUN_AHEAD, SUN_HEIGHT, 0);
    glScalef(1, SUN_HALF_SIZE, SUN_HALF_SIZE);
    glRotatef(angle, 1, 0, 0);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0.01f);
    glVertex3f(0, 1, 1);
    glTexCoord2f(1, 0.01f);
    glVertex3f(0, 1, -1);
    glTexCoord2f(1, 1);
    glVertex3f(0, -1, -1);
    glTexCoord2f(0, 1);
    glVertex3f(0, -1, 1);
    glEnd();
    glPopMatrix();
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
}
