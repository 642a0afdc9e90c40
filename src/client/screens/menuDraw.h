// What the menu drawings share: projections, full-window pictures, black wipes, the text state,
// the pulsing arrows and the frame flip.
#pragma once

#include "render/viewFrame.h"
#include "screens/screenSteps.h"

const int MENU_WINDOW_W = menuLayoutW, MENU_WINDOW_H = menuLayoutH;

// The menus are laid out for 800 x 600: their viewport is the 4:3 box centred in the window.
// Menu viewport, projection x 0..800, y 0..600, z -800..800, depth test on, depth cleared.
void menuWindowProjection();
// Menu viewport, projection -100..100 on all three axes, depth test on, depth cleared.
void menuCentredProjection();
// A w x h RGB picture with its lower-left corner at (x, y) of the 800 x 600 layout, drawn as a
// textured quad scaled with the menu box (nothing when the picture is missing).
void drawPictureAt(int x, int y, int w, int h, const unsigned char* picture);
// An 800 x 600 RGB picture over the menu box; the rest of the window takes the colours of the
// picture's edges, each outer column or row drawn out to the window's border (nothing when the
// picture is missing).
void drawWindowPicture(const unsigned char* picture);
// The home picture over the menu box; beside a box narrower than the window the mountains go on
// mirrored and the menu column's panel runs on to the border.
void drawHomeWindowPicture(const unsigned char* picture);
// A black rectangle at depth z in the current projection, depth test and texturing off.
void wipeRect(float x0, float y0, float x1, float y1, float z);

// A flat rectangle given in the 640 x 480 overlay units of the text, drawn under it (depth test,
// texturing, lighting and blending off; the projection is put back).
void overlayBar(float x0, float y0, float x1, float y1, float r, float g, float b);

// Menu text: texturing and additive blending on, depth function LEQUAL, white; and back.
void beginMenuText();
void endMenuText();
// Text of the small font (texGui 0) and the large one (texGui 1), character set 1.
void smallText(int x, int y, const char* text, float scale);
void largeText(int x, int y, const char* text, float scale);
// A warning about a file, in the small font and a warm colour, shrunk to fit `width` overlay units.
void noteText(int x, int y, const char* text, int width);

// The arrows of the selection screens, each scaled by sca x 6: the right one while selected is below
// count - 1, the left one while it is above 0.
void drawArrowPair(float rightX, float leftX, float y, float sca, int selected, int count);

// glFlush and the buffer flip (only when a display is open, so the logic runs in tests).
void menuFlip();
