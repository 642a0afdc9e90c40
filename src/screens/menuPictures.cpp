// Screens drawn from whole pictures only: the intro logo and the help page.
#include "screens/menuScreens.h"

#include <GL/gl.h>

#include "render/font.h"
#include "render/graphImage.h"
#include "screens/helpKeys.h"
#include "screens/menuDraw.h"
#include "shell/gameLoop.h"

static const int LOGO_W = 400, LOGO_H = 100;

void introLogo(unsigned char* logo)
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    if (redrawAllMenu < 2) {
        glClear(GL_COLOR_BUFFER_BIT);
        glViewport(0, 0, MENU_WINDOW_W, MENU_WINDOW_H);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, LOGO_W, 0, LOGO_H, -1, 0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRasterPos2i(100, 50);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        if (logo) glDrawPixels(LOGO_W, LOGO_H, GL_RGB, GL_UNSIGNED_BYTE, logo);
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
                 1, texGui[texGuiFont2], CAP_LETTER_SCALE);
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
    drawWindowPicture(helpImg);
    riderKeys();
    menuFlip();
}
