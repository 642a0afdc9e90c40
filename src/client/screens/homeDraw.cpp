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

// The credits page: night blue, a panel under each column with an ice rule along its top.
static const float CREDITS_NIGHT[3] = {10 / 255.0f, 18 / 255.0f, 48 / 255.0f};
static const float CREDITS_PANEL[3] = {22 / 255.0f, 40 / 255.0f, 84 / 255.0f};
static const float CREDITS_RULE[3] = {120 / 255.0f, 170 / 255.0f, 235 / 255.0f};
static const float CREDITS_HEADING[3] = {150 / 255.0f, 200 / 255.0f, 255 / 255.0f};
static const float CREDITS_PANEL_MARGIN = 12, CREDITS_PANEL_TOP = 434, CREDITS_RULE_HEIGHT = 2;
static const float CREDITS_TITLE_SCALE = 2.0f, CREDITS_TITLE_Y = 444;
static const int LOGOFF_W = 228, LOGOFF_H = 69;
static const int HOME_NOTE_X = 8, HOME_NOTE_Y = 462, HOME_NOTE_WIDTH = 390; // the dark sky over the title
char homeNote[HOME_NOTE_CHARS];
// Offered on the home menu until the lesson has been ridden to its end (Options has it for later).
static const char LESSON_OFFER[] = "New here? [L]: learn to ride";
static const int LESSON_OFFER_X = 12, LESSON_OFFER_Y = 16;
static const float LESSON_OFFER_SCALE = 1.0f;

void addHomeNote(const char* line)
{
    if (strstr(homeNote, line)) return; // the track list is listed again after a seeded track is built
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
    if (redraw < 2) drawHomeWindowPicture(menuPictures.homeImg);
    wipeRect(510, 60, 800, 285, -10);
    wipeRect(640, 325, 800, 335, -10);
    beginMenuText();
    for (int i = 0; i < 4; i++)
        largeText(HOME_ITEM_X, HOME_ITEM_TOP_Y - HOME_ITEM_PITCH * i, homeItems[i], HOME_ITEM_SCALE);
    glPrintScale(510, 260, VERSION_TEXT, 0, gameTextures.texGui[texGuiFont], 0.5f);
    endMenuText();
    wipeRect(510, 60, 580, 280, -10);
    wipeRect(620, 20, 800, 40, -10);
    beginMenuText();
    smallText(500, 20, "[esc]: exit game", 0.6f);
    if (homeNote[0]) noteText(HOME_NOTE_X, HOME_NOTE_Y, homeNote, HOME_NOTE_WIDTH);
    if (!userPrefs.lessonDone && redraw < 2) largeText(LESSON_OFFER_X, LESSON_OFFER_Y, LESSON_OFFER, LESSON_OFFER_SCALE);
    endMenuText();
    homeArrow(homeHighlight(), homePulse.sca);
    menuFlip();
}

static void creditsPanels()
{
    overlayBar(0, 0, 640, 480, CREDITS_NIGHT[0], CREDITS_NIGHT[1], CREDITS_NIGHT[2]);
    for (int c = 0; c < CREDIT_COLUMNS; c++) {
        float x0 = CREDIT_COLUMN_X[c] - CREDITS_PANEL_MARGIN;
        float x1 = CREDIT_COLUMN_X[c] + CREDIT_COLUMN_WIDTH + CREDITS_PANEL_MARGIN;
        overlayBar(x0, CREDIT_PAGE_BOTTOM, x1, CREDITS_PANEL_TOP, CREDITS_PANEL[0], CREDITS_PANEL[1], CREDITS_PANEL[2]);
        overlayBar(x0, CREDITS_PANEL_TOP - CREDITS_RULE_HEIGHT, x1, CREDITS_PANEL_TOP, CREDITS_RULE[0], CREDITS_RULE[1],
                   CREDITS_RULE[2]);
    }
}

void displayCredits()
{
    menuWindowProjection();
    glClearColor(CREDITS_NIGHT[0], CREDITS_NIGHT[1], CREDITS_NIGHT[2], 1);  // the window beside the page too
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0, 0, 0, 1);
    creditsPanels();
    CreditPlace places[CREDIT_PLACES_MAX];
    int n = layoutCredits(places, CREDIT_PLACES_MAX);
    beginMenuText();
    smallText(10, 460, "[esc]: go back to menu", 0.6f);
    float titleW = 10.0f * CREDITS_TITLE_SCALE * (float)strlen(CREDITS_TITLE);
    largeText((int)((640 - titleW) / 2), (int)CREDITS_TITLE_Y, CREDITS_TITLE, CREDITS_TITLE_SCALE);
    for (int i = 0; i < n; i++) {
        const CreditPlace& p = places[i];
        if (p.large) glColor4f(CREDITS_HEADING[0], CREDITS_HEADING[1], CREDITS_HEADING[2], 1);
        if (p.large) largeText((int)p.x, (int)p.y, p.text, p.scale);
        else smallText((int)p.x, (int)p.y, p.text, p.scale);
        glColor4f(1, 1, 1, 1);
    }
    endMenuText();
    drawPictureAt(280, 0, LOGOFF_W, LOGOFF_H, menuPictures.logoffImg);
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
    glPrint(WAIT_TEXT_X, WAIT_TEXT_Y, text, 1, gameTextures.texGui[texGuiFont]);
    endMenuText();
    menuFlip();
}
