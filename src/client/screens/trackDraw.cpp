// Drawing of the track screen: takes the track list, the thumbnail and the description, draws the
// panning thumbnail, the texts and the arrows.
#include <GL/gl.h>

#include <cstdio>
#include <string>

#include "platform/gameClock.h"
#include "render/graphImage.h"
#include "screens/choixPiste.h"
#include "screens/menuDraw.h"
#include "platform/utcDate.h"
#include "shell/gameLoop.h"
#include "shell/trackBuilds.h"
#include "track/seededTracks.h"

static const float ARROW_Y = 0, RIGHT_ARROW_X = -45, LEFT_ARROW_X = -70;
static const float THUMB_SCALE = 0.5f, THUMB_X = 70, THUMB_Y = -95, THUMB_SIZE = 100;
static const int THUMB_PIXELS = 256;
static const float THUMB_WINDOW_LOW = 0.1f, THUMB_WINDOW_HIGH = 0.9f;
static const int TITLE_X = 70;
static const float TITLE_SCALE = 2.5f, TITLE_ROOM = 330; // a long title shrinks to stay on the panel
// The list position stays between the arrows: "10/12" and longer shrink, "8/8" keeps its size.
static const int POSITION_X = 110, POSITION_Y = 225;
static const float POSITION_SCALE = 1.5f, POSITION_ROOM = 60;
static const int DESC_X = 210, DESC_TOP_Y = 240, DESC_PITCH = 20;
static const int NOTE_Y = 262, NOTE_WIDTH = 405; // under the instructions, inside the panel
// The seed key's help shares the line of the way back, after it.
static const int SEED_HELP_X = 296, SEED_HELP_Y = 300;
// A seeded track's label sits over its title, in the colour of the day's track.
static const int LABEL_X = 70, LABEL_Y = 150, LABEL_WIDTH = 330;
static const float DAY_COLOUR[3] = {1.0f, 0.8f, 0.2f};

static ArrowPulse trackPulse = ARROW_PULSE_START;
static ThumbnailPan thumbPan = THUMBNAIL_PAN_START;

static void texturedSquare(float s0, float t0, float s1, float t1)
{
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex3f(0, 0, 0);
    glTexCoord2f(s1, t0);
    glVertex3f(THUMB_SIZE, 0, 0);
    glTexCoord2f(s1, t1);
    glVertex3f(THUMB_SIZE, THUMB_SIZE, 0);
    glTexCoord2f(s0, t1);
    glVertex3f(0, THUMB_SIZE, 0);
    glEnd();
}

void drawTrackThumbnail()
{
    stepThumbnailPan(&thumbPan, gameClock());
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, gameTextures.texGui[texGuiMask]);
    if (menuPictures.trackImg) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, THUMB_PIXELS, THUMB_PIXELS, 0, GL_RGB, GL_UNSIGNED_BYTE, menuPictures.trackImg);
    }
    float d = thumbPan.dec;
    texturedSquare(d + THUMB_WINDOW_LOW, d + THUMB_WINDOW_LOW, d + THUMB_WINDOW_HIGH, d + THUMB_WINDOW_HIGH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, gameTextures.texGui[texGuiMaskTrans]);
    texturedSquare(0, 0, 1, 1);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
}

static void drawDescription(const char* description)
{
    char line[256];
    int y = DESC_TOP_Y;
    for (int at = nextTextLine(description, 0, line, sizeof line); at >= 0;
         at = nextTextLine(description, at, line, sizeof line)) {
        if (line[0]) smallText(DESC_X, y, line, 1.0f);
        y -= DESC_PITCH;
    }
}

static void drawSeededLabel(const char* dir)
{
    std::string label = seededTrackLabel(dir, todayUtc());
    if (label.empty()) return;
    glColor4f(DAY_COLOUR[0], DAY_COLOUR[1], DAY_COLOUR[2], 1);
    largeText(LABEL_X, LABEL_Y, label.c_str(), fittedScale(label.c_str(), LABEL_WIDTH, 1.0f));
    glColor4f(1, 1, 1, 1);
}

static void drawTrackTexts(char list[][256], int count, int selected, const char* description)
{
    char line[300];
    beginMenuText();
    smallText(0, 320, "Choose your track and press [return]:", 1.0f);
    smallText(0, 300, "[esc]: go back to rider menu", 1.0f);
    smallText(SEED_HELP_X, SEED_HELP_Y, "[s]: seed", 1.0f);
    snprintf(line, sizeof line, "%i/%i", selected + 1, count);
    largeText(POSITION_X, POSITION_Y, line, fittedScale(line, POSITION_ROOM, POSITION_SCALE));
    if (count > 0) {
        const char* title = highlightedTrackTitle()[0] ? highlightedTrackTitle() : list[selected];
        snprintf(line, sizeof line, "%.255s", title);
        largeText(TITLE_X, 100, line, fittedScale(line, TITLE_ROOM, TITLE_SCALE));
        drawSeededLabel(list[selected]);
    }
    if (description) drawDescription(description);
    // The seed being typed, then why this track cannot be ridden, a build's news, what the list left out.
    std::string seedLine = std::string("Seed: ") + typedSeedText() + "_   [return]: build it  [esc]: cancel";
    const char* note = typingSeed() ? seedLine.c_str() : trackNote[0] ? trackNote
                     : trackBuildLine()[0]             ? trackBuildLine()
                                                       : trackListNote();
    if (note[0]) noteText(0, NOTE_Y, note, NOTE_WIDTH);
    endMenuText();
}

void displayChoixPiste(char list[][256], int count, int selected, char* description, short redraw)
{
    stepArrowPulse(&trackPulse, gameClock());
    menuCentredProjection();
    if (redraw < 2) drawWindowPicture(menuPictures.menusImg);
    glDisable(GL_LIGHTING);
    wipeRect(-78, -5, -70, 5, -10);
    wipeRect(-45, -5, -37, 5, -10);
    glPushMatrix();
    glScalef(THUMB_SCALE, THUMB_SCALE, THUMB_SCALE);
    glTranslatef(THUMB_X, THUMB_Y, 0);
    drawTrackThumbnail();
    glPopMatrix();
    drawArrowPair(RIGHT_ARROW_X, LEFT_ARROW_X, ARROW_Y, trackPulse.sca, selected, count);
    if (redraw < 2) drawTrackTexts(list, count, selected, description);
    menuFlip();
}
