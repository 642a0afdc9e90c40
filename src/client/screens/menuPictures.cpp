// Screens drawn from whole pictures only: the intro logo and the help page.
#include "screens/menuScreens.h"

#include <GL/gl.h>

#include "render/font.h"
#include "render/graphImage.h"
#include "render/viewFrame.h"
#include "screens/helpKeys.h"
#include "screens/menuDraw.h"
#include "shell/gameLoop.h"

static const int LOGO_W = 400, LOGO_H = 100;
static const int LOGO_X = 200, LOGO_Y = 300;  // lower-left corner in the 800 x 600 layout

void introLogo(unsigned char* logo)
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    if (redrawAllMenu < 2) {
        glClear(GL_COLOR_BUFFER_BIT);
        useMenuViewport();
        drawPictureAt(LOGO_X, LOGO_Y, LOGO_W, LOGO_H, logo);
    }
    redrawAllMenu++;
    menuFlip();
}

static const float OVERLAY_PER_PIXEL = 0.8f; // 640 x 480 overlay over the 800 x 600 picture
static const float CAP_LETTER_SCALE = 1.1f;

// Dark letters on the light caps: the glyph darkens what is under it instead of adding light.
static void capLetter(int left, int top, int code)
{
    char text[2] = {code >= 1 && code <= 26 ? (char)('A' + code - 1) : '?', 0};
    float cx = (left + HELP_CAP_W / 2.0f) * OVERLAY_PER_PIXEL;
    float cy = (MENU_WINDOW_H - top - HELP_CAP_H / 2.0f) * OVERLAY_PER_PIXEL;
    glPrintScale((int)(cx - fontAdvance * CAP_LETTER_SCALE / 2), (int)(cy - fontCellSize * CAP_LETTER_SCALE / 2), text,
                 1, gameTextures.texGui[texGuiFont2], CAP_LETTER_SCALE);
}

static void riderKeys()
{
    beginMenuText();
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
    glColor4f(0.92f, 0.88f, 0.76f, 1);
    for (const HelpKeyRow& r : helpKeyRows)
        for (int i = 0; i < r.count; i++) capLetter(helpCapLeft(r.column, i), helpCapTop(r.row), currentKeymap[r.slots[i]]);
    endMenuText();
    glColor4f(1, 1, 1, 1);
}

void displayHelp()
{
    menuWindowProjection();
    drawWindowPicture(menuPictures.helpImg);
    riderKeys();
    menuFlip();
}
