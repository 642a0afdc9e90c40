// Drawing of the rider screen: takes the rider list, the highlight and the loaded rider, draws the
// turning rider, its card and the arrows.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/gameClock.h"
#include "render/graphImage.h"
#include "screens/choixSkier.h"
#include "screens/menuDraw.h"
#include "shell/gameLoop.h"
#include "skier/skierCar.h"
#include "skier/skierLib.h"

static const float STAND_X = 60, STAND_Y = -50, STAND_TILT = 10, RIDER_SCALE = 0.2f;
static const float ARROW_Y = 0, RIGHT_ARROW_X = -45, LEFT_ARROW_X = -70;
static const int CARD_X = 210, CARD_TOP_Y = 240, CARD_PITCH = 20;
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
    drawSkier(1, 0, 0, 0);
    glPopMatrix();
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
}

static void drawCard()
{
    const SkierCar* c = theTrasher;
    if (!c) return;
    char line[300];
    int y = CARD_TOP_Y;
    snprintf(line, sizeof line, "Name: %.250s", c->name);
    smallText(CARD_X, y, line, 1.0f);
    snprintf(line, sizeof line, "Nickname: %.250s", c->nickname);
    smallText(CARD_X, y -= CARD_PITCH, line, 1.0f);
    snprintf(line, sizeof line, "Age: %2.0f", c->age);
    smallText(CARD_X, y -= CARD_PITCH, line, 1.0f);
    snprintf(line, sizeof line, "Country: %.250s", c->country);
    smallText(CARD_X, y -= CARD_PITCH, line, 1.0f);
    snprintf(line, sizeof line, "Weight (kg): %2.2f", c->weight);
    smallText(CARD_X, y -= CARD_PITCH, line, 1.0f);
    snprintf(line, sizeof line, "Size (m): %2.2f", c->size);
    smallText(CARD_X, y -= CARD_PITCH, line, 1.0f);
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
        largeText(70, 100, line, 2.5f);
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
    if (redraw < 2) drawWindowPicture(menusImg);
    wipeChangingAreas();
    drawStandBackdrop();
    drawTurningRider(riderTurn.rot);
    drawArrowPair(RIGHT_ARROW_X, LEFT_ARROW_X, ARROW_Y, riderPulse.sca, selected, count);
    if (redraw < 2) drawRiderTexts(list, count, selected);
    menuFlip();
}
