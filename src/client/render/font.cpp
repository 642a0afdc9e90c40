// Bitmap font: one display list per glyph cell of a 16 x 16 picture.
#include <GL/gl.h>
#include <string.h>

#include "render/font.h"
#include "render/viewFrame.h"

unsigned int base = 0;
static int loop;

void glyphCellCoords(int cell, float* s0, float* t0)
{
    *s0 = (float)(cell % 16) / 16.0f;
    *t0 = 1.0f - (float)(cell / 16) / 16.0f - 1.0f / 16.0f;
}

int glyphListFor(int set, int code)
{
    int s = set < 1 ? set : 1;
    return (int)base - 32 + 128 * s + code;
}

void BuildFont(unsigned int texture)
{
    base = glGenLists(256);
    glBindTexture(GL_TEXTURE_2D, texture);
    for (loop = 0; loop < 256; loop++) {
        float s0, t0;
        const float d = 1.0f / 16.0f;
        glyphCellCoords(loop, &s0, &t0);
        glNewList(base + loop, GL_COMPILE);
        glBegin(GL_QUADS);
        glTexCoord2f(s0, t0);
        glVertex2i(0, 0);
        glTexCoord2f(s0 + d, t0);
        glVertex2i(16, 0);
        glTexCoord2f(s0 + d, t0 + d);
        glVertex2i(16, 16);
        glTexCoord2f(s0, t0 + d);
        glVertex2i(0, 16);
        glEnd();
        glTranslated(fontAdvance, 0, 0);
        glEndList();
    }
}

void glPrintScale(int x, int y, const char* text, int set, unsigned int texture, float scale)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    loadOverlayOrtho();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslated(x, y, 0);
    if (scale != 1.0f) glScalef(scale, scale, scale);
    glListBase(glyphListFor(set, 0));
    glCallLists((GLsizei)strlen(text), GL_BYTE, text);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
}

void glPrint(int x, int y, const char* text, int set, unsigned int texture)
{
    glPrintScale(x, y, text, set, texture, 1.0f);
}
