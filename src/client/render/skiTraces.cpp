// Ski marks: a sliding window of the most recent edge-point pairs.
#include <GL/gl.h>

#include "render/skiTraces.h"

SkiTraces skiTraces;

SkiTraces::SkiTraces() : count(0), first(1), full(0)
{
    for (int i = 0; i < 50; i++) left[i] = right[i] = nullptr, texture[i] = 0;
}

SkiTraces::~SkiTraces() { reset(); }

void SkiTraces::add(ThreeDPoint* l, ThreeDPoint* r, unsigned int tex)
{
    if (count == maxTracePairs) {
        delete left[0];
        delete right[0];
        for (int i = 1; i < count; i++) {
            left[i - 1] = left[i];
            right[i - 1] = right[i];
            texture[i - 1] = texture[i];
        }
        count--;
        full = 1;
    }
    left[count] = l;
    right[count] = r;
    texture[count] = tex;
    count++;
    first = 0;
}

void SkiTraces::replaceLast(ThreeDPoint* l, ThreeDPoint* r, unsigned int tex)
{
    if (count == 0) {
        add(l, r, tex);
        return;
    }
    delete left[count - 1];
    delete right[count - 1];
    left[count - 1] = l;
    right[count - 1] = r;
    texture[count - 1] = tex;
}

void SkiTraces::reset()
{
    for (int i = 0; i < count; i++) {
        delete left[i];
        delete right[i];
        left[i] = right[i] = nullptr;
    }
    count = 0;
    first = 1;
    full = 0;
}

void SkiTraces::draw()
{
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (int i = count - 1; i >= 1; i--) {
        glBindTexture(GL_TEXTURE_2D, texture[i]);
        glBegin(GL_QUADS);
        glTexCoord2f(1, 0);
        glVertex3f(right[i - 1]->x, right[i - 1]->y, right[i - 1]->z);
        glTexCoord2f(1, 1);
        glVertex3f(right[i]->x, right[i]->y, right[i]->z);
        glTexCoord2f(0, 1);
        glVertex3f(left[i]->x, left[i]->y, left[i]->z);
        glTexCoord2f(0, 0);
        glVertex3f(left[i - 1]->x, left[i - 1]->y, left[i - 1]->z);
        glEnd();
    }
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
}
