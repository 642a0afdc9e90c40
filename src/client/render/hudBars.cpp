// Takes places, sizes and values in the 640 x 480 overlay; draws the HUD bands, the speed bar, the
// speed bar's frame, the bomb logo, the trick-key sprites and the black fade.
#include <GL/gl.h>
#include <string.h>

#include "render/guistuff.h"

static const float SPEED_BAR_MAX = 200.0f;
static const float SPEED_COLOUR_PER_UNIT = 0.005f;
static const float SPEED_FRAME_ALPHA = 0.8f;
static const float BAND_CHAR_WIDTH = 14.0f;
static const float BAND_TEXT_MARGIN = 1.5f;
static const int COMBI_MAX = 6;  // trick-key buffer entries

static const float colorBande[4] = {0.6f, 0.6f, 1.0f, 0.5f};

float bandWidthFor(const char* text) { return ((float)strlen(text) + BAND_TEXT_MARGIN) * BAND_CHAR_WIDTH; }

float getTailleMaxSpeedbar() { return SPEED_BAR_MAX; }

void drawBande(short slantLeft, float x, float y, float w, float h, float slant)
{
    beginOverlay();
    glBegin(GL_POLYGON);
    glColor4f(1, 1, 1, 1);
    glVertex2f(slantLeft ? x - slant : x, y);
    glVertex2f(slantLeft ? x + w : x + w + slant, y);
    glColor4fv(colorBande);
    glVertex2f(x + w, y - h);
    glVertex2f(x, y - h);
    glEnd();
    glColor4f(1, 1, 1, 1);
    endOverlay();
}

void drawBandeVitesse(float x, float y, float length, float h, float slant)
{
    float red = length * SPEED_COLOUR_PER_UNIT;
    beginOverlay();
    glBegin(GL_POLYGON);
    glColor4f(0, 1, 0, 0.5f);
    glVertex2f(x, y);
    glColor4f(red, 1 - red, 0, 0.5f);
    glVertex2f(x + length + slant, y);
    glVertex2f(x + length, y - h);
    glColor4f(0, 1, 0, 0.5f);
    glVertex2f(x, y - h);
    glEnd();
    glColor4f(1, 1, 1, 1);
    endOverlay();
}

void drawSpeedBarFrame(float x, float y, float length, float h, float slant)
{
    beginOverlay();
    glColor4f(1, 1, 1, SPEED_FRAME_ALPHA);
    glBegin(GL_LINE_LOOP);
    glVertex2f(x, y);
    glVertex2f(x + length + slant, y);
    glVertex2f(x + length, y - h);
    glVertex2f(x, y - h);
    glEnd();
    glColor4f(1, 1, 1, 1);
    endOverlay();
}

void drawFondFondu(float x, float y, float w, float h, float alpha)
{
    beginOverlay();
    glColor4f(0, 0, 0, alpha);
    glBegin(GL_QUADS);
    glVertex2f(x, y);
    glVertex2f(x + w, y);
    glVertex2f(x + w, y - h);
    glVertex2f(x, y - h);
    glEnd();
    glColor4f(1, 1, 1, 1);
    endOverlay();
}

void drawLogoBomb(float x, float y, float w, float h, unsigned int texture)
{
    beginOverlay();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1);
    glVertex2f(x, y);
    glTexCoord2f(1, 1);
    glVertex2f(x + w, y);
    glTexCoord2f(1, 0);
    glVertex2f(x + w, y - h);
    glTexCoord2f(0, 0);
    glVertex2f(x, y - h);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    endOverlay();
}

int combiLength(const int* list)
{
    int n = 0;
    // the trick-key buffer holds six entries and need not end with -1 when all are used
    while (n < COMBI_MAX && list[n] != -1) n++;
    return n;
}

void drawCombi(float x, float y, float w, float h, float gap, unsigned int texture, const int* list)
{
    int n = combiLength(list);
    for (int i = 0; i < n; i++) drawBoule(list[i], x + i * (w + gap), y, w, h, texture);
}
