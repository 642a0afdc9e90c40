// Bitmap font: a line of text as quads over the glyph cells of a 16 x 16 picture.
#include <GL/gl.h>
#include <string.h>

#include "render/font.h"
#include "render/viewFrame.h"

void glyphCellCoords(int cell, float* s0, float* t0)
{
    *s0 = (float)(cell % 16) / 16.0f;
    *t0 = 1.0f - (float)(cell / 16) / 16.0f - 1.0f / 16.0f;
}

int glyphCellFor(int set, int code)
{
    int s = set < 1 ? set : 1;
    return code - 32 + 128 * s;
}

// One glyph's quad, its cell's 16 x 16 units with the pen at x.
static void emitGlyph(int cell, float x)
{
    float s0, t0;
    const float d = 1.0f / 16.0f;
    glyphCellCoords(cell, &s0, &t0);
    glTexCoord2f(s0, t0);
    glVertex2f(x, 0);
    glTexCoord2f(s0 + d, t0);
    glVertex2f(x + 16, 0);
    glTexCoord2f(s0 + d, t0 + d);
    glVertex2f(x + 16, 16);
    glTexCoord2f(s0, t0 + d);
    glVertex2f(x, 16);
}

// The whole line goes to the driver as one batch of quads: a display list per glyph, each moving the
// matrix, made every glyph a draw of its own, and the HUD's lines cost more than the mountain.
// A byte with no glyph (a control or high byte in the first set) draws nothing and does not advance.
static void emitLine(const char* text, int set)
{
    float pen = 0;
    glBegin(GL_QUADS);
    for (const char* c = text; *c; c++) {
        int cell = glyphCellFor(set, (signed char)*c);
        if (cell < 0 || cell >= 256) continue;
        emitGlyph(cell, pen);
        pen += fontAdvance;
    }
    glEnd();
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
    emitLine(text, set);
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
