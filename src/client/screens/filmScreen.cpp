// Takes the score table's track and the keys; makes its best run's film a slice of time a frame,
// drawing the progress, the offer of PNG frames without ffmpeg, and the outcome.
#include "screens/filmScreen.h"

#include <GL/gl.h>

#include <cstdio>
#include <string>

#include "screens/menuDraw.h"
#include "screens/menuScreens.h"
#include "screens/replay.h"
#include "shell/filmExport.h"
#include "shell/gameLoop.h"
#include "shell/keys.h"
#include "sound/gameSounds.h"

static const long SLICE_MS = 100;  // film making a frame of the screen (at least one film frame)
static const float PANEL[4] = {60, 140, 580, 340};
static const float BAR[4] = {80, 232, 560, 252};
static const int TEXT_X = 80, WIDTH = 480;
static const float BAR_BACK[3] = {0.15f, 0.17f, 0.25f}, BAR_DONE[3] = {0.30f, 0.62f, 1.0f};
static const float PANEL_COLOUR[3] = {0.03f, 0.05f, 0.12f};

static FilmJob job;  // large: its best run holds a whole ride
static std::string trackShown;

// The outcome in the log too (the screen shows it until read).
static void sayOutcome()
{
    printf("%s\n", job.message.c_str());
    fflush(stdout);
}

static void begin(short pngFrames)
{
    FilmRequest r;
    r.track = trackShown;
    r.pngFrames = pngFrames;
    keepTableRun();
    if (!startFilm(job, r)) giveTableRunBack();
}

void openFilm(const char* trackDir)
{
    trackShown = trackDir;
    keyEscTyped();  // an ESC typed before the film is not for it
    begin(0);
    if (job.phase == filmFailed) sayOutcome();
}

static ScreenEvent close()
{
    stopScoresSnd();  // a film that never started left the theme playing: never two of it
    startScoresSnd();  // a film that ran had the sound device
    return ScreenEvent::filmClosed;
}

// The film has ended one way or another: the table's run back, its line shown until read.
static void ended()
{
    sayOutcome();
    giveTableRunBack();
    redrawAllMenu = 0;
}

static std::string timeLeft()
{
    double s = filmSecondsLeft(job);
    if (s < 0) return "";
    char text[64];
    if (s >= 60) snprintf(text, sizeof text, "about %d min %02d s left", (int)s / 60, (int)s % 60);
    else snprintf(text, sizeof text, "about %d s left", (int)s + 1);
    return text;
}

static void drawProgress()
{
    float share = filmShare(job);
    overlayBar(BAR[0], BAR[1], BAR[2], BAR[3], BAR_BACK[0], BAR_BACK[1], BAR_BACK[2]);
    overlayBar(BAR[0], BAR[1], BAR[0] + share * (BAR[2] - BAR[0]), BAR[3], BAR_DONE[0], BAR_DONE[1], BAR_DONE[2]);
    char line[128];
    snprintf(line, sizeof line, "%d %%   %s", (int)(share * 100), timeLeft().c_str());
    beginMenuText();
    largeText(TEXT_X, 300, "Making the film of the best run", 0.9f);
    smallText(TEXT_X, 205, line, 1.0f);
    smallText(TEXT_X, 160, "[esc]: cancel", 1.0f);
    endMenuText();
}

// The outcome: its first words, then the rest (a path) fitted to the panel.
static void drawOutcome()
{
    const std::string& m = job.message;
    size_t colon = m.find(": ");
    beginMenuText();
    largeText(TEXT_X, 300, "Film of the best run", 0.9f);
    if (colon == std::string::npos) {
        noteText(TEXT_X, 250, m.c_str(), WIDTH);
    } else {
        smallText(TEXT_X, 260, m.substr(0, colon + 1).c_str(), 1.0f);
        noteText(TEXT_X, 232, m.substr(colon + 2).c_str(), WIDTH);
    }
    if (job.encoderMissing) {
        smallText(TEXT_X, 190, "[f]: its frames as PNG pictures in a folder", 1.0f);
        smallText(TEXT_X, 160, "[esc]: back to the scores", 1.0f);
    } else {
        smallText(TEXT_X, 160, "[return]: back to the scores", 1.0f);
    }
    endMenuText();
}

static void drawFilmScreen(short making)
{
    menuWindowProjection();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    drawWindowPicture(menuPictures.scoresImg);
    overlayBar(PANEL[0], PANEL[1], PANEL[2], PANEL[3], PANEL_COLOUR[0], PANEL_COLOUR[1], PANEL_COLOUR[2]);
    if (making) drawProgress();
    else drawOutcome();
    menuFlip();
}

ScreenEvent filmFrame()
{
    short making = job.phase == filmMixing || job.phase == filmPicturing;
    if (making) {
        // a film frame can take longer than a key is held: ESC is also taken from the typed keys
        if (keyEscTyped() | keyEscNoRepeat()) cancelFilm(job);
        else stepFilm(job, SLICE_MS);
        if (job.phase != filmMixing && job.phase != filmPicturing) ended();
    }
    drawFilmScreen(job.phase == filmMixing || job.phase == filmPicturing);
    if (making) return ScreenEvent::none;
    if (job.encoderMissing && keyFNoRepeat()) {
        begin(1);
        if (job.phase == filmFailed) sayOutcome();
    } else if (keyEscNoRepeat() || keyEnterNoRepeat()) {
        return close();
    }
    return ScreenEvent::none;
}
