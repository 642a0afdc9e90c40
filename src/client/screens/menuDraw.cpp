// Menu drawing pieces: takes pictures, rectangles, texts and arrow states, draws them in the menu projections.
#include "screens/menuDraw.h"

#include <allegro.h>
#include <alleggl.h>
#include <GL/gl.h>

#include "render/font.h"
#include "render/graphImage.h"
#include "render/helpanim.h"
#include "render/viewFrame.h"

static const float ARROW_SCALE = 6.0f;
static const float MENU_DEPTH = 800.0f, CENTRED_HALF = 100.0f;
static const float NOTE_COLOUR[3] = {1.0f, 0.6f, 0.3f};

static void setProjection(double x0, double x1, double y0, double y1, double z0, double z1)
{
    useMenuViewport();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(x0, x1, y0, y1, z0, z1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glClear(GL_DEPTH_BUFFER_BIT);
}

void menuWindowProjection() { setProjection(0, MENU_WINDOW_W, 0, MENU_WINDOW_H, -MENU_DEPTH, MENU_DEPTH); }

void menuCentredProjection()
{
    setProjection(-CENTRED_HALF, CENTRED_HALF, -CENTRED_HALF, CENTRED_HALF, -CENTRED_HALF, CENTRED_HALF);
    glShadeModel(GL_SMOOTH);
}

void wipeRect(float x0, float y0, float x1, float y1, float z)
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glColor4f(0, 0, 0, 1);
    glBegin(GL_QUADS);
    glVertex3f(x0, y0, z);
    glVertex3f(x1, y0, z);
    glVertex3f(x1, y1, z);
    glVertex3f(x0, y1, z);
    glEnd();
    glColor4f(1, 1, 1, 1);
    glEnable(GL_DEPTH_TEST);
}

void beginMenuText()
{
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDepthFunc(GL_LEQUAL);
    glColor4f(1, 1, 1, 1);
}

void endMenuText()
{
    glDepthFunc(GL_LESS);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_ONE, GL_ZERO);
}

void overlayBar(float x0, float y0, float x1, float y1, float r, float g, float b)
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    loadOverlayOrtho();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor4f(r, g, b, 1);
    glBegin(GL_QUADS);
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
    glEnd();
    glColor4f(1, 1, 1, 1);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
}

void smallText(int x, int y, const char* text, float scale)
{
    glPrintScale(x, y, text, 1, gameTextures.texGui[texGuiFont], scale);
}

void largeText(int x, int y, const char* text, float scale)
{
    glPrintScale(x, y, text, 1, gameTextures.texGui[texGuiFont2], scale);
}

void noteText(int x, int y, const char* text, int width)
{
    glColor4f(NOTE_COLOUR[0], NOTE_COLOUR[1], NOTE_COLOUR[2], 1);
    smallText(x, y, text, fittedScale(text, (float)width, 1.0f));
    glColor4f(1, 1, 1, 1);
}

static void drawArrowAt(void (*arrow)(), float x, float y, float size)
{
    glPushMatrix();
    glTranslatef(x, y, 0);
    glScalef(size, size, size);
    arrow();
    glPopMatrix();
}

void drawArrowPair(float rightX, float leftX, float y, float sca, int selected, int count)
{
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_COLOR_MATERIAL);
    // The lists stop at their ends: an arrow shows only where a key press would move.
    if (selected < count - 1) drawArrowAt(drawRightArrow, rightX, y, sca * ARROW_SCALE);
    if (selected > 0) drawArrowAt(drawLeftArrow, leftX, y, sca * ARROW_SCALE);
}

void menuFlip()
{
    glFlush();
    if (gfx_driver) allegro_gl_flip();
}
