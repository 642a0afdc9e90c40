// Takes the window size; returns the menu box, the overlay frame and the projection aspect, and
// keeps the viewport in use so the overlay follows it.
#include "render/viewFrame.h"

#include <GL/gl.h>

#include "platform/displaySize.h"
#include "render/guistuff.h"

static const float OVERLAY_DEPTH = 100.0f;

static PixelBox viewport = {0, 0, defaultDisplayWidth, defaultDisplayHeight};
static OverlayFrame frame = overlayFrameFor(defaultDisplayWidth, defaultDisplayHeight);

PixelBox fittedBox(int w, int h, int aw, int ah)
{
    PixelBox b = {0, 0, w, h};
    if ((long)w * ah > (long)h * aw) {
        b.w = (int)(((long)h * aw * 2 + ah) / (2L * ah));  // rounded
        b.x = (w - b.w) / 2;
    } else {
        b.h = (int)(((long)w * ah * 2 + aw) / (2L * aw));
        b.y = (h - b.h) / 2;
    }
    return b;
}

OverlayFrame overlayFrameFor(int w, int h)
{
    double sx = w / (double)overlayWidth, sy = h / (double)overlayHeight;
    double s = sx < sy ? sx : sy;
    float spanX = (float)(w / s), spanY = (float)(h / s);
    OverlayFrame f;
    f.left = (overlayWidth - spanX) / 2;
    f.right = overlayWidth - f.left;
    f.bottom = (overlayHeight - spanY) / 2;
    f.top = overlayHeight - f.bottom;
    return f;
}

double projectionAspectFor(int w, int h) { return (double)w * menuLayoutH / ((double)h * menuLayoutW); }

static void useViewport(const PixelBox& b)
{
    viewport = b;
    frame = overlayFrameFor(b.w, b.h);
    glViewport(b.x, b.y, b.w, b.h);
}

void useWindowViewport()
{
    const DisplayDesc& d = displayDesc();
    useViewport(PixelBox{0, 0, d.width, d.height});
}

void useMenuViewport()
{
    const DisplayDesc& d = displayDesc();
    useViewport(fittedBox(d.width, d.height, menuLayoutW, menuLayoutH));
}

const PixelBox& currentViewport() { return viewport; }
const OverlayFrame& currentOverlayFrame() { return frame; }

void loadOverlayOrtho()
{
    glLoadIdentity();
    glOrtho(frame.left, frame.right, frame.bottom, frame.top, -OVERLAY_DEPTH, OVERLAY_DEPTH);
}
