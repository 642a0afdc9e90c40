// Takes where the last bomb went off and how long ago; draws its blast: a flash, a cloud of snow
// thrown up and out, and dark smoke, all facing the eye, gone within two seconds.
#include <GL/gl.h>

#include <cmath>

#include "render/graphImage.h"
#include "render/runEventEffects.h"
#include "render/scene.h"
#include "run/runTick.h"

static const float FLASH_SECONDS = 0.25f, BLAST_SECONDS = 1.6f;
static const int PUFFS = 14;
static const float THROW = 1900, RISE = 1400, FALL = 900;

// Corners of a square facing the eye, half size h round c, from the modelview's right and up.
static void facingSquare(const float* c, float h, const float* right, const float* up)
{
    static const float CORNERS[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    glBegin(GL_QUADS);
    for (const auto& k : CORNERS) {
        glTexCoord2f((k[0] + 1) / 2, (k[1] + 1) / 2);
        glVertex3f(c[0] + h * (k[0] * right[0] + k[1] * up[0]), c[1] + h * (k[0] * right[1] + k[1] * up[1]),
                   c[2] + h * (k[0] * right[2] + k[1] * up[2]));
    }
    glEnd();
}

// Where puff k of the cloud is, t seconds after the blast: thrown out and up, falling back.
static void puffAt(const float* at, int k, float t, float* p)
{
    float a = 6.2831853f * (k + 0.37f * (k % 3)) / PUFFS, out = 0.5f + 0.5f * ((k * 7) % 5) / 4.0f;
    float spread = 1 - std::exp(-3 * t);
    p[0] = at[0] + THROW * out * spread * std::cos(a);
    p[1] = at[1] + RISE * (0.4f + 0.6f * ((k * 3) % 4) / 3.0f) * spread - FALL * t * t;
    p[2] = at[2] + THROW * out * spread * std::sin(a);
}

void drawBombBlast(const float* at)
{
    if (bombBlastTicks < 0) return;
    float t = (float)(bombBlastTicks * runTickSeconds);
    if (t > BLAST_SECONDS) return;
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    float right[3] = {m[0], m[4], m[8]}, up[3] = {m[1], m[5], m[9]};
    float fade = 1 - t / BLAST_SECONDS;
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // smoke darkens what is behind it, the snow and the flash add to it
    glBindTexture(GL_TEXTURE_2D, gameTextures.texGui[texGuiSnow]);
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
    for (int k = 0; k < PUFFS; k += 2) {
        float p[3];
        puffAt(at, k, 0.8f * t, p);
        glColor4f(0.55f * fade, 0.55f * fade, 0.55f * fade, 1);
        facingSquare(p, 450 + 1400 * t, right, up);
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    for (int k = 1; k < PUFFS; k += 2) {
        float p[3];
        puffAt(at, k, t, p);
        glColor4f(1, 1, 1, 0.9f * fade);
        facingSquare(p, 380 + 1100 * t, right, up);
    }
    if (t < FLASH_SECONDS) {
        glBindTexture(GL_TEXTURE_2D, gameTextures.texTrackStuff[texStuffSoleil]);
        glColor4f(1, 0.8f, 0.5f, 1 - t / FLASH_SECONDS);
        facingSquare(at, 900 + 5000 * t, right, up);
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    glEnable(GL_LIGHTING);
}
