// Screens drawn from whole pictures only: the intro logo and the help page.
#include "screens/menuScreens.h"

#include <allegro.h>
#include <alleggl.h>
#include <GL/gl.h>

#include "shell/gameLoop.h"

static const int WINDOW_W = 800, WINDOW_H = 600;
static const int LOGO_W = 400, LOGO_H = 100;

void introLogo(unsigned char* logo)
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    if (redrawAllMenu < 2) {
        glClear(GL_COLOR_BUFFER_BIT);
        glViewport(0, 0, WINDOW_W, WINDOW_H);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, LOGO_W, 0, LOGO_H, -1, 0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRasterPos2i(100, 50);
        glDrawPixels(LOGO_W, LOGO_H, GL_RGB, GL_UNSIGNED_BYTE, logo);
    }
    redrawAllMenu++;
    glFlush();
    allegro_gl_flip();
}

void displayHelp()
{
    glViewport(0, 0, WINDOW_W, WINDOW_H);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, WINDOW_W, 0, WINDOW_H, -800, 800);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_DEPTH_BUFFER_BIT);
    glRasterPos2i(0, 0);
    if (helpImg) glDrawPixels(WINDOW_W, WINDOW_H, GL_RGB, GL_UNSIGNED_BYTE, helpImg);
    glFlush();
    allegro_gl_flip();
}
