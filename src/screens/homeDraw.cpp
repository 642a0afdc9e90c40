// Drawing of the home menu, the credits and the wait screen: takes the screen state, draws one frame.
#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "platform/gameClock.h"
#include "render/font.h"
#include "render/graphImage.h"
#include "render/helpanim.h"
#include "screens/creditsText.h"
#include "screens/menuDraw.h"
#include "screens/menuScreens.h"
#include "shell/gameLoop.h"
#include "shell/prefs.h"

static const char* const homeItems[4] = {"Play", "Help", "Credits", "Options"};
static const int HOME_ITEM_X = 470, HOME_ITEM_TOP_Y = 200, HOME_ITEM_PITCH = 50;
static const float HOME_ITEM_SCALE = 2.0f;
static const float HOME_ARROW_X = 550, HOME_ARROW_TOP_Y = 260, HOME_ARROW_PITCH = 60, HOME_ARROW_Z = 200;
static const float HOME_ARROW_SIZE = 20.0f;
static const char VERSION_TEXT[] = " v1.2";

static const int CREDITS_LINE_TOP_Y = 390, CREDITS_LINE_PITCH = 78;
static const float CREDITS_LINE_SCALE = 1.5f;
static const int LOGOFF_W = 228, LOGOFF_H = 69;
static const int HOME_NOTE_X = 8, HOME_NOTE_Y = 462, HOME_NOTE_WIDTH = 390; // the dark sky over the title
char homeNote[HOME_NOTE_CHARS];
// Offered on the home menu until the lesson has been ridden to its end (Options has it for later).
static const char LESSON_OFFER[] = "New here? [L]: learn to ride";
static const int LESSON_OFFER_X = 12, LESSON_OFFER_Y = 16;
static const float LESSON_OFFER_SCALE = 1.0f;

void addHomeNote(const char* line)
{
    size_t used = strlen(homeNote);
    snprintf(homeNote + used, sizeof homeNote - used, "%s%s", used ? "; " : "", line);
}

static const int WAIT_TEXT_X = 200, WAIT_TEXT_Y = 180;
static const int NB_WAIT_FLAKES = 5;
static const float waitFlakes[NB_WAIT_FLAKES][2] = {{-50, 0.5f}, {-25, 0.4f}, {0, 0.3f}, {25, 0.2f}, {50, 0.1f}};

static ArrowPulse homePulse = ARROW_PULSE_START;

static void homeArrow(int choice, float sca)
{
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_COLOR_MATERIAL);
    glPushMatrix();
    glTranslatef(HOME_ARROW_X, HOME_ARROW_TOP_Y - HOME_ARROW_PITCH * choice, HOME_ARROW_Z);
    float s = sca * HOME_ARROW_SIZE;
    glScalef(s, s, s);
    drawRightArrow();
    glPopMatrix();
}

void displayChoixHome(short redraw)
{
    stepArrowPulse(&homePulse, gameClock());
    menuWindowProjection();
    if (redraw < 2) drawWindowPicture(homeImg);
    wipeRect(510, 60, 800, 285, -10);
    wipeRect(640, 325, 800, 335, -10);
    beginMenuText();
    for (int i = 0; i < 4; i++)
        largeText(HOME_ITEM_X, HOME_ITEM_TOP_Y - HOME_ITEM_PITCH * i, homeItems[i], HOME_ITEM_SCALE);
    glPrintScale(510, 260, VERSION_TEXT, 0, texGui[texGuiFont], 0.5f);
    endMenuText();
    wipeRect(510, 60, 580, 280, -10);
    wipeRect(620, 20, 800, 40, -10);
    beginMenuText();
    smallText(500, 20, "[esc]: exit game", 0.6f);
    if (homeNote[0]) noteText(HOME_NOTE_X, HOME_NOTE_Y, homeNote, HOME_NOTE_WIDTH);
    if (!lessonDone && redraw < 2) largeText(LESSON_OFFER_X, LESSON_OFFER_Y, LESSON_OFFER, LESSON_OFFER_SCALE);
    endMenuText();
    int choice = play ? 0 : help ? 1 : credits ? 2 : 3;
    homeArrow(choice, homePulse.sca);
    menuFlip();
}

void displayCredits()
{
    stepCredits();
    menuWindowProjection();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    beginMenuText();
    smallText(10, 460, "[esc]: go back to menu", 0.6f);
    for (int i = 0; i < CREDIT_LINES_PER_PAGE; i++) {
        int line = creditsPage + i;
        if (line >= NB_CREDIT_LINES || !creditLines[line][0]) continue;
        largeText(xArrDep, CREDITS_LINE_TOP_Y - CREDITS_LINE_PITCH * i, creditLines[line], CREDITS_LINE_SCALE);
    }
    endMenuText();
    drawPictureAt(280, 0, LOGOFF_W, LOGOFF_H, logoffImg);
    menuFlip();
}

void displayWait(const char* message)
{
    menuCentredProjection();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    for (int i = 0; i < NB_WAIT_FLAKES; i++) {
        glPushMatrix();
        glRotatef(90, 0, 1, 0);
        glTranslatef(0, 0, waitFlakes[i][0]);
        glScalef(waitFlakes[i][1], waitFlakes[i][1], waitFlakes[i][1]);
        drawFlocon();
        glPopMatrix();
    }
    char text[300];
    snprintf(text, sizeof text, "Please wait%s...", message ? message : "");
    beginMenuText();
    glPrint(WAIT_TEXT_X, WAIT_TEXT_Y, text, 1, texGui[texGuiFont]);
    endMenuText();
    menuFlip();
}
