// Takes the frame shown when the run was paused; draws it dimmed under the PAUSED panel.
#include <GL/gl.h>

#include <cstdlib>

#include "platform/displaySize.h"
#include "screens/menuDraw.h"
#include "screens/menuScreens.h"

static const float PANEL_X0 = 240, PANEL_X1 = 560, PANEL_Y0 = 230, PANEL_Y1 = 390; // 800 x 600 layout

unsigned char* grabShownFrame()
{
    const DisplayDesc& d = displayDesc();
    unsigned char* frame = (unsigned char*)malloc((size_t)d.width * d.height * 3);
    if (!frame) return nullptr;
    // Read where the F10 screenshot reads: the frame just flipped (the front buffer reads black on
    // some drivers).
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, d.width, d.height, GL_RGB, GL_UNSIGNED_BYTE, frame);
    return frame;
}

static void shade(float x0, float y0, float x1, float y1, float alpha)
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.02f, 0.04f, 0.12f, alpha);
    glBegin(GL_QUADS);
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
    glEnd();
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
    glEnable(GL_DEPTH_TEST);
}

// The grabbed frame back on the whole window, pixel for pixel, dimmed.
static void drawShownFrame(const unsigned char* frame)
{
    const DisplayDesc& d = displayDesc();
    useWindowViewport();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, d.width, 0, d.height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    if (frame) {
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        glRasterPos2i(0, 0);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glDrawPixels(d.width, d.height, GL_RGB, GL_UNSIGNED_BYTE, frame);
    }
    shade(0, 0, d.width, d.height, 0.35f);
}

// The run sets its projection and lights once, at its start: a pause leaves every bit of state as it found it.
static void keepRunState(bool save)
{
    if (save) {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        return;
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

void displayPause(const unsigned char* frame)
{
    keepRunState(true);
    drawShownFrame(frame);
    menuWindowProjection();
    shade(PANEL_X0, PANEL_Y0, PANEL_X1, PANEL_Y1, 0.75f);
    beginMenuText();
    // Overlay units are 0.8 window pixels.
    largeText(236, 268, "PAUSED", 2.0f);
    smallText(216, 226, "[p]: go on riding", 1.0f);
    smallText(216, 204, "[esc]: abandon the run", 1.0f);
    endMenuText();
    keepRunState(false);
    useWindowViewport();  // the run's own, which the overlay follows
    menuFlip();
}
