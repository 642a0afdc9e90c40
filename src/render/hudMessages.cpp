// Takes the bonus triggers and the jump score; draws the zooming "BONUS!" / "Explosive!" messages
// and the swelling jump figure.
#include <stdio.h>
#include <string.h>

#include "render/font.h"
#include "render/guistuff.h"
#include "run/newton.h"

static const float ZOOM_END_SCALE = 20.0f;
static const float ZOOM_STEP = 4.0f;  // per frame, not per second
static const float FIGURE_GROWTH = 0.2f;
static const int MESSAGE_Y = 150, FIGURE_Y = 350;

short stepZoomMessage(ZoomMessage* m, short trigger, float* printScale)
{
    *printScale = 0;
    if (!m->boomFlag && trigger == 1) m->boomFlag = 1;
    if (m->boomFlag) {
        if (trigger == 1) m->scale = 1.0f;
        if (m->scale < ZOOM_END_SCALE) {
            *printScale = m->scale;
            m->scale += ZOOM_STEP;
            return trigger == 1;
        }
    }
    m->scale = 1.0f;
    m->boomFlag = 0;
    return trigger == 1;
}

static short drawZoomMessage(ZoomMessage* m, short trigger, unsigned int texture, const char* text)
{
    float scale;
    short started = stepZoomMessage(m, trigger, &scale);
    if (scale > 0) {
        int x = (int)(320 - 6 * scale * ((float)strlen(text) - 1));
        glPrintScale(x, MESSAGE_Y, text, 0, texture, scale);
    }
    return started;
}

static ZoomMessage collectableMessage = {0, 1.0f};
static ZoomMessage bombMessage = {0, 1.0f};

short drawBoomCollectable(short trigger, unsigned int texture, const char* text)
{
    return drawZoomMessage(&collectableMessage, trigger, texture, text);
}

short drawBoomBomb(short trigger, unsigned int texture, const char* text)
{
    return drawZoomMessage(&bombMessage, trigger, texture, text);
}

static float figureScale = 1.0f;

void drawFigScore(char* buffer, int value, unsigned int texture)
{
    if (value == 0) {
        figureScale = 1.0f;
        return;
    }
    snprintf(buffer, 256, "%i", value);
    glPrintScale((int)(figureScale * 16 - 10), FIGURE_Y, buffer, 0, texture, figureScale);
    figureScale += drawnFrameScale() * FIGURE_GROWTH;
}
