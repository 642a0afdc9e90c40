// Takes the world's weather, the eye and the scene's time; draws the falling snow round the eye: flakes
// drifting down and across in a box that follows the eye, so the rider rides through them. Each flake's
// place is a function of the scene's time alone: a paused frame stands still, a film frame is the
// game's.
#include <GL/gl.h>

#include <cmath>

#include "render/sceneWorld.h"

// The box round the eye the flakes fill, mostly ahead of it.
static const float BOX[3] = {5200, 2600, 5200}, AHEAD = 1800;
struct Fall {
    int flakes;
    float down, drift, size;  // units a second down and across, point size at 600 lines
};
static const Fall FALLS[4] = {{0, 0, 0, 0}, {0, 0, 0, 0}, {380, 160, 80, 2.0f}, {900, 380, 520, 2.5f}};
static const float FLAKE_ALPHA = 0.85f;

static float wrapped(float v, float size)
{
    float r = std::fmod(v, size);
    return r < 0 ? r + size : r;
}

// A fixed scatter of numbers in [0, 1), the same on every build.
static float scatter(unsigned k, unsigned salt)
{
    unsigned h = k * 2654435761u ^ salt * 2246822519u;
    h = (h ^ (h >> 15)) * 2246822519u;
    h ^= h >> 13;
    return (h & 0xffffff) / 16777216.0f;
}

void drawSnowfall(float sceneSeconds, int lines)
{
    if (!trackWorldShown()) return;
    const Fall& f = FALLS[trackWorld().weather];
    if (f.flakes == 0) return;
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    float eye[3], ahead[3] = {-m[2], -m[6], -m[10]};
    eyeOfModelview(m, eye);
    float centre[3] = {eye[0] + AHEAD * ahead[0], eye[1] + AHEAD * ahead[1], eye[2] + AHEAD * ahead[2]};
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    float scale = lines / 600.0f;
    for (int pass = 0; pass < 2; pass++) {  // nearer flakes, bigger
        glPointSize(std::max(1.0f, f.size * scale * (pass ? 1.5f : 1.0f)));
        glBegin(GL_POINTS);
        for (int k = pass; k < f.flakes; k += 2) {
            float p[3];
            float sway = 0.4f * std::sin(sceneSeconds * (0.7f + scatter(k, 5)) + 6.3f * scatter(k, 6));
            p[0] = scatter(k, 1) * BOX[0] + f.drift * (0.6f + sway) * sceneSeconds;
            p[1] = scatter(k, 2) * BOX[1] - f.down * (0.8f + 0.4f * scatter(k, 4)) * sceneSeconds;
            p[2] = scatter(k, 3) * BOX[2] + f.drift * sway * sceneSeconds;
            for (int c = 0; c < 3; c++) p[c] = centre[c] - BOX[c] / 2 + wrapped(p[c] - (centre[c] - BOX[c] / 2), BOX[c]);
            float fade = 1 - std::fabs(2 * (p[1] - centre[1]) / BOX[1]);  // thinning at the box's top and bottom
            glColor4f(1, 1, 1, FLAKE_ALPHA * std::min(1.0f, 3 * fade));
            glVertex3fv(p);
        }
        glEnd();
    }
    glPointSize(1);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glColor4f(1, 1, 1, 1);
    glEnable(GL_LIGHTING);
}
