// Drawing of the rider screen: takes the rider list, the highlight and the loaded rider, draws the
// turning rider, its card and the arrows.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/gameClock.h"
#include "render/graphImage.h"
#include "render/skierDraw.h"
#include "screens/choixSkier.h"
#include "screens/menuDraw.h"
#include "screens/screenSteps.h"
#include "shell/gameLoop.h"
#include "shell/playerRun.h"
#include "skier/skierCar.h"
#include "skier/skierLib.h"

static const float STAND_X = 60, STAND_Y = -50, STAND_TILT = 10, RIDER_SCALE = 0.2f;
static const float ARROW_Y = 0, RIGHT_ARROW_X = -45, LEFT_ARROW_X = -70;
static const int CARD_X = 210, CARD_TOP_Y = 240, CARD_PITCH = 20;
// The black panel's right edge in overlay units: long names and card lines shrink to stay left of it.
static const float PANEL_RIGHT = 404, NAME_X = 70, NAME_SCALE = 2.5f;
// Every rider by name down the panel's left side, the highlighted one marked, so the list's length
// shows from the first frame.
static const int ROSTER_X = 8, ROSTER_TOP_Y = 204, ROSTER_PITCH = 15, ROSTER_ROWS = 5;
static const float ROSTER_SCALE = 0.75f, ROSTER_ROOM = 190;
static const float ROSTER_DIM[3] = {0.55f, 0.65f, 0.8f}, ROSTER_MARK[3] = {1.0f, 0.55f, 0.25f};
// The stand's panel inside its frame, in the centred menu space, and the light behind the rider:
// a pale glow round his middle fading to a cool blue at the panel's edges, so that black trousers
// and helmets stand out.
static const float STAND_LEFT = 29.6f, STAND_RIGHT = 90.4f, STAND_BOTTOM = -56.6f, STAND_TOP = 13.2f;
static const float GLOW_X = 60, GLOW_Y = -22;
static const int BACKDROP_CELLS = 10;
static const float GLOW_COLOUR[3] = {0.86f, 0.9f, 0.96f}, EDGE_COLOUR[3] = {0.36f, 0.46f, 0.64f};

static ArrowPulse riderPulse = ARROW_PULSE_START;
static StandTurn riderTurn = STAND_TURN_START;

static void wipeChangingAreas()
{
    wipeRect(-78, -5, -70, 5, -10);
    wipeRect(-45, -5, -37, 5, -10);
}

static void backdropVertex(float x, float y)
{
    float dx = (x - GLOW_X) / (STAND_RIGHT - STAND_LEFT), dy = (y - GLOW_Y) / (STAND_TOP - STAND_BOTTOM);
    float t = std::min(1.0f, 1.6f * std::sqrt(dx * dx + dy * dy));
    glColor3f(GLOW_COLOUR[0] + (EDGE_COLOUR[0] - GLOW_COLOUR[0]) * t,
              GLOW_COLOUR[1] + (EDGE_COLOUR[1] - GLOW_COLOUR[1]) * t,
              GLOW_COLOUR[2] + (EDGE_COLOUR[2] - GLOW_COLOUR[2]) * t);
    glVertex3f(x, y, -99);
}

// Redrawn under the turning rider every frame, which also wipes his last frame. A grid, so that the
// glow fades round and not along the edges of a few triangles.
static void drawStandBackdrop()
{
    const float w = (STAND_RIGHT - STAND_LEFT) / BACKDROP_CELLS, h = (STAND_TOP - STAND_BOTTOM) / BACKDROP_CELLS;
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glBegin(GL_QUADS);
    for (int i = 0; i < BACKDROP_CELLS; i++)
        for (int j = 0; j < BACKDROP_CELLS; j++) {
            float x = STAND_LEFT + i * w, y = STAND_BOTTOM + j * h;
            backdropVertex(x, y);
            backdropVertex(x + w, y);
            backdropVertex(x + w, y + h);
            backdropVertex(x, y + h);
        }
    glEnd();
    glColor4f(1, 1, 1, 1);
    glEnable(GL_DEPTH_TEST);
}

static void drawTurningRider(int rot)
{
    placeLumiere();
    glEnable(GL_DEPTH_TEST);
    glColor4f(1, 1, 1, 1);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPushMatrix();
    glTranslatef(STAND_X, STAND_Y, 0);
    glRotatef(STAND_TILT, 1, 0, 0);
    glRotatef(-90.0f - rot, 0, 1, 0);
    glScalef(RIDER_SCALE, RIDER_SCALE, RIDER_SCALE);
    drawSkier(playerRun.pose, playerRider, 1, 0, 0, 0);
    glPopMatrix();
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
}

static void cardLine(int y, const char* line)
{
    smallText(CARD_X, y, line, fittedScale(line, PANEL_RIGHT - CARD_X, 1.0f));
}

static void drawCard()
{
    const SkierCar* c = theTrasher;
    if (!c) return;
    char line[300];
    int y = CARD_TOP_Y;
    snprintf(line, sizeof line, "Name: %.250s", c->name);
    cardLine(y, line);
    snprintf(line, sizeof line, "Nickname: %.250s", c->nickname);
    cardLine(y -= CARD_PITCH, line);
    snprintf(line, sizeof line, "Age: %2.0f", c->age);
    cardLine(y -= CARD_PITCH, line);
    snprintf(line, sizeof line, "Country: %.250s", c->country);
    cardLine(y -= CARD_PITCH, line);
    snprintf(line, sizeof line, "Weight (kg): %2.2f", c->weight);
    cardLine(y -= CARD_PITCH, line);
    snprintf(line, sizeof line, "Size (m): %2.2f", c->size);
    cardLine(y -= CARD_PITCH, line);
}

static void drawRoster(char list[][256], int count, int selected)
{
    int first = rosterFirstRow(count, selected, ROSTER_ROWS);
    for (int row = 0; row < ROSTER_ROWS && first + row < count; row++) {
        int i = first + row;
        char line[300];
        snprintf(line, sizeof line, "%s %.255s", i == selected ? ">" : " ", list[i]);
        const float* c = i == selected ? ROSTER_MARK : ROSTER_DIM;
        glColor4f(c[0], c[1], c[2], 1);
        smallText(ROSTER_X, ROSTER_TOP_Y - ROSTER_PITCH * row, line, fittedScale(line, ROSTER_ROOM, ROSTER_SCALE));
    }
    glColor4f(1, 1, 1, 1);
}

static void drawRiderTexts(char list[][256], int count, int selected)
{
    char line[300];
    beginMenuText();
    smallText(0, 320, "Choose your rider and press [return]:", 1.0f);
    smallText(0, 300, "[esc]: go back to start up menu", 1.0f);
    snprintf(line, sizeof line, "%i/%i", selected + 1, count);
    largeText(110, 225, line, 1.5f);
    if (count > 0) {
        snprintf(line, sizeof line, "%.255s", list[selected]);
        largeText((int)NAME_X, 100, line, fittedScale(line, PANEL_RIGHT - NAME_X, NAME_SCALE));
        drawRoster(list, count, selected);
    }
    drawCard();
    endMenuText();
}

void displayChoixSkier(char list[][256], int count, int selected, short redraw)
{
    long now = gameClock();
    stepStandTurn(&riderTurn, now);
    stepArrowPulse(&riderPulse, now);
    menuCentredProjection();
    if (redraw < 2) drawWindowPicture(menuPictures.menusImg);
    wipeChangingAreas();
    drawStandBackdrop();
    drawTurningRider(riderTurn.rot);
    drawArrowPair(RIGHT_ARROW_X, LEFT_ARROW_X, ARROW_Y, riderPulse.sca, selected, count);
    if (redraw < 2) drawRiderTexts(list, count, selected);
    menuFlip();
}
