// Where the game's fixed layouts sit in a window of any size: the 4:3 menu box, the 640 x 480
// overlay fitted and centred, the viewport in use and the 3-D projection's aspect.
#pragma once

struct PixelBox {
    int x, y, w, h;  // lower-left corner and size, window pixels
};

// Overlay units seen across the viewport: the 640 x 480 space is [0, 640] x [0, 480] inside it.
struct OverlayFrame {
    float left, right, bottom, top;
};

const int menuLayoutW = 800, menuLayoutH = 600;  // the menus' own pixel layout

// The largest box of aspect aw:ah centred in a w x h window.
PixelBox fittedBox(int w, int h, int aw, int ah);
// The overlay units across a w x h viewport, the 640 x 480 space scaled to fit and centred.
OverlayFrame overlayFrameFor(int w, int h);
// gluPerspective's aspect for a w x h window: 1.0 at 4:3 (the game's look), wider windows see more
// to the sides with the same vertical field of view.
double projectionAspectFor(int w, int h);

// Viewports: the whole window (3-D run) or the centred 4:3 box of the menus.
void useWindowViewport();
void useMenuViewport();
const PixelBox& currentViewport();
const OverlayFrame& currentOverlayFrame();
// The projection matrix becomes the overlay space of the current viewport.
void loadOverlayOrtho();
