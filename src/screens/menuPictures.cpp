// Screens drawn from whole pictures only: the intro logo and the help page.
#include "screens/menuScreens.h"

#include <GL/gl.h>

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

void displayHelp()
{
    menuWindowProjection();
    drawWindowPicture(helpImg);
    menuFlip();
}
