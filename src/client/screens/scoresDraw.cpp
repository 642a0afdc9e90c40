// Drawing of name entry and the score table: takes the grid, the cursor, the initials, the run's
// results and the table, draws the letters, the pointer, the table lines and the spinning medal.
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "render/screenshot.h"
#include "platform/gameClock.h"
#include "render/guistuff.h"
#include "render/graphImage.h"
#include "render/helpanim.h"
#include "run/howManyMinutes.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "screens/menuDraw.h"
#include "screens/nameEntry.h"
#include "screens/score.h"
#include "shell/gameLoop.h"
#include "shell/prefs.h"
#include "track/trackModel.h"
#include "track/trackTitle.h"

static const int GRID_ROWS = 4, GRID_COLUMNS = 7;
static const float LETTER_SCALE = 1.5f, INITIALS_SCALE = 2.8f, SUMMARY_SCALE = 1.4f;
static const int INITIALS_X = 250, INITIALS_Y = 330;
static const int TABLE_X = 100, TABLE_TOP_Y = 280, TABLE_PITCH = 20, RANK_GAP = 40;
static const int REPLAY_HINT_Y = 18;  // under the panel, clear of its border
static const int NOTE_Y = 305, NOTE_WIDTH = 400; // between the title lines and the table, inside the panel
// Entries are drawn a little smaller than the other lines so that a seven-digit score and, at the
// right, the value the table is ranked by (score minus the time's cost) fit on the panel.
static const float ENTRY_SCALE = 0.75f;
static const float RANKED_RIGHT = 488, RANKED_HEADING_Y = 298; // clear of the medal
static const float SUMMARY_RIGHT = 505; // the run summary panel's inner edge
static const float MEDAL_SCALE[3] = {0.3f, 0.4f, 0.3f};
static const float MEDAL_X = 240, MEDAL_Y = 45;
static const int DISC_STEPS = 20;
static const float DISC_X = 100, DISC_RADIUS = 43;

static LetterPointer pointer = LETTER_POINTER_START;

static void drawLetters(const char grid[4][7])
{
    char letter[2] = {0, 0};
    for (int r = 0; r < GRID_ROWS; r++)
        for (int c = 0; c < GRID_COLUMNS; c++) {
            letter[0] = grid[r][c];
            largeText(letterX(c), letterY(r), letter, LETTER_SCALE);
        }
}

static void drawInitials(long now)
{
    char shown[4];
    snprintf(shown, sizeof shown, "%.3s", userPrefs.playerName);
    largeText(INITIALS_X, INITIALS_Y, shown, INITIALS_SCALE);
    if (blinkMarkVisible(now)) {
        insertionMarkText(shown, nameCursor.indPlayerName);
        largeText(INITIALS_X, INITIALS_Y, shown, INITIALS_SCALE);
    }
}

// Large totals shrink their line rather than run over the panel's border.
static void summaryLine(int x, int y, const char* line)
{
    largeText(x, y, line, fittedScale(line, SUMMARY_RIGHT - x, SUMMARY_SCALE));
}

static void drawRunSummary()
{
    char line[200];
    int collected = playerRun.scores.totalCollectable * COLLECTABLE_POINTS;
    snprintf(line, sizeof line, " x %i=%i x %i = %i", playerRun.scores.totalCollectable, COLLECTABLE_POINTS, playerRun.scores.totalCollectable,
             collected);
    summaryLine(99, 78, line);
    snprintf(line, sizeof line, "Total = %i + %i = %i", collected, playerRun.scores.totalScore, collected + playerRun.scores.totalScore);
    summaryLine(69, 56, line);
    char* t = howManyMinutes(playerRun.timing.totalTime);
    snprintf(line, sizeof line, "Total time = %s", t ? t : "");
    free(t);
    summaryLine(79, 34, line);
}

void displayTypeName(const char grid[4][7], int* cursor, short redraw)
{
    long now = gameClock();
    menuWindowProjection();
    if (redraw < 2) {
        drawWindowPicture(menuPictures.initialsImg);
        drawCollectableLogo(79, 105, 32, 32, gameTextures.texGui[texGuiBoules]);
    }
    wipeRect(310, 418, 440, 460, -10);
    wipeRect(235, 208, 575, 380, -10);
    beginMenuText();
    drawLetters(grid);
    drawInitials(now);
    drawRunSummary();
    endMenuText();
    stepLetterPointer(&pointer, now);
    float x, y;
    letterPointerPlace(&pointer, cursor[0], cursor[1], &x, &y);
    drawPointerLetter(x, y, pointer.size, pointer.size, gameTextures.texGui[texGuiBoules]);
    playerRun.scores.finalScore = runScoreSoFar(playerRun);
    menuFlip();
    handleScreenShot();
}

static void rightAlignedSmall(int y, const char* text, float scale)
{
    smallText((int)(RANKED_RIGHT - 10 * scale * strlen(text)), y, text, scale);
}

static void drawTableTexts(const TrackModel& track)
{
    char line[400];
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 1);
    char title[256];
    shownTitle(title, sizeof title, track.nomPiste);
    snprintf(line, sizeof line, "Scores for %.255s track:", title);
    largeText(100, 360, line, 1.0f);
    beginMenuText();
    largeText(100, 330, "(press [return] to continue)", 1.0f);
    if (!scoreSave.scoreNote[0]) rightAlignedSmall(RANKED_HEADING_Y, "ranked by", ENTRY_SCALE); // the note's place
    int y = TABLE_TOP_Y;
    for (int i = NB_SCORES - 1; i >= 0; i--, y -= TABLE_PITCH) {
        scoreTableLine(line, sizeof line, i);
        smallText(TABLE_X, y, line, ENTRY_SCALE);
        rankingValueText(line, sizeof line, i);
        rightAlignedSmall(y, line, ENTRY_SCALE);
    }
    // A run that never reached the file has no place to tell: the note above the table says why.
    if (scoreSave.scoreSaved) {
        rankLine(line, sizeof line, playerRun.scores.rank);
        smallText(TABLE_X, y + TABLE_PITCH - RANK_GAP, line, 1.0f);
    }
    if (scoreSave.scoreNote[0]) noteText(TABLE_X, NOTE_Y, scoreSave.scoreNote, NOTE_WIDTH);
    smallText(TABLE_X, REPLAY_HINT_Y, "[r]: watch the best run again  [v]: make a film", 1.0f);
    endMenuText();
}

// The medal's light: from the viewer, so the coin's face shows when it turns towards the screen.
static void medalLight()
{
    static const GLfloat front[4] = {0, 0, 1, 0};
    static const GLfloat diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    glLightfv(GL_LIGHT3, GL_POSITION, front);
    glLightfv(GL_LIGHT3, GL_DIFFUSE, diffuse);
    glEnable(GL_LIGHT3);
}

static void drawSpinningMedal()
{
    glPushMatrix();
    glScalef(MEDAL_SCALE[0], MEDAL_SCALE[1], MEDAL_SCALE[2]);
    glTranslatef(MEDAL_X, MEDAL_Y, 0);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0, 0, 0, 1);
    glPushMatrix();
    glRotatef(90, 0, 1, 0);
    drawOneDisc(DISC_X, 0, 0, DISC_STEPS, DISC_RADIUS);
    glPopMatrix();
    placeLumiere();
    glDisable(GL_LIGHT2);
    medalLight();
    drawMedal(medalKindForRank(playerRun.scores.rank), gameTextures.texGui[texGuiVide], gameTextures.texGui[texGuiMedalSide], gameTextures.texTrackStuff[texStuffFront]);
    glPopMatrix();
    glDisable(GL_LIGHT3);
    glDisable(GL_LIGHTING);
}

void displayViewScores(short redraw)
{
    const TrackModel& track = loadedTrack;
    menuCentredProjection();
    if (redraw < 2) {
        drawWindowPicture(menuPictures.scoresImg);
        drawTableTexts(track);
    }
    drawSpinningMedal();
    menuFlip();
}
