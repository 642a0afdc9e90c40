// Takes the track's best-run file and the clock; shows the run again as the rider rode it, through
// the run's own drawing, with the best run's rider in the resident rider's place while it plays. A
// run with its input is ridden again tick by tick and drawn between ticks as a run is; an older
// file plays its samples.
#include "screens/replay.h"

#include <GL/gl.h>

#include <cstdio>
#include <string>

#include "fileio/bestRun.h"
#include "platform/frameCounter.h"
#include "platform/gameClock.h"
#include "platform/gameFolders.h"
#include "render/drawnState.h"
#include "render/gameFrameDraw.h"
#include "render/graphImage.h"
#include "render/hudHints.h"
#include "render/skiTraces.h"
#include "run/fall.h"
#include "run/ghostRun.h"
#include "run/reRide.h"
#include "run/runEvents.h"
#include "run/runState.h"
#include "run/runTicker.h"
#include "screens/nameEntry.h"
#include "shell/gameLoop.h"
#include "shell/keys.h"
#include "shell/runSwitches.h"
#include "skier/ghostRider.h"
#include "skier/positionDef.h"
#include "skier/skierCar.h"
#include "skier/skierLib.h"
#include "track/planLib.h"
#include "track/trackModel.h"

static const double AFTER_FINISH_SECONDS = 2.0;

short replayOpen = 0;
static BestRun replayRun;
static long replayStart;

// The replay of a run with its input: its ticks, and the moment they ran out (-1 while they go on).
static ReRider replayRider;
static short reRiding = 0;
static long lastFrameMs, ticksOverMs;

// What the score table shows of the run just ridden: the replay rides over it and gives it back.
struct TableRun {
    int totalScore, totalCollectable, finalScore, rank;
    float totalTime;
    short skieurArrive, vuScores;
};
static TableRun tableRun;

static void keepTableRun()
{
    tableRun = {totalScore, totalCollectable, finalScore, rank, totalTime, skieurArrive, vuScores};
}

// The run state is fresh (the replay's kickers gone) with the table's numbers in it.
static void giveTableRunBack()
{
    freshRunOnLoadedTrack();
    clearRunEvents();
    totalScore = tableRun.totalScore, totalCollectable = tableRun.totalCollectable;
    finalScore = tableRun.finalScore, rank = tableRun.rank, totalTime = tableRun.totalTime;
    skieurArrive = tableRun.skieurArrive, vuScores = tableRun.vuScores;
}

// A run that does not ride again to its own score and time is not shown: the table says why.
static int ridesAgain(const std::string& path)
{
    const char* why = reRideBestRun(replayRun);
    if (!why) return 1;
    bestRunRefusalLine(scoreNote, SCORE_NOTE_CHARS, why, "no replay");
    printf("%s: %s\n", path.c_str(), scoreNote);
    giveTableRunBack();
    clearRecording(&replayRun.rec);
    redrawAllMenu = 0;
    return 0;
}

static void startReRiding()
{
    reRiding = beginReRide(&replayRider, replayRun.rec.input);
    resetDrawnTicks(&drawnTicks);
    noteTickDrawn(&drawnTicks, 1);  // the start line: nothing before it to draw between
    lastFrameMs = replayStart;
    ticksOverMs = -1;
}

int openReplay(const char* trackDir)
{
    std::string path = playerReadPath(trackFile(trackDir, BEST_RUN_FILE));
    if (loadBestRun(path.c_str(), trackDir, &replayRun) != 0) return 1;
    keepTableRun();
    short withInput = (short)wholeInput(replayRun.rec.input);
    if (withInput && !ridesAgain(path)) return 1;
    if (chargeGhostRider(replayRun.rider) != 0) {
        if (withInput) giveTableRunBack();
        return 1;
    }
    dropGhostRun();  // the run just ridden raced it: no second copy during the replay
    swapRiderModel(&ghostRider);
    skiTraces.reset();  // the traces of the run just ridden
    replayStart = gameClock();
    reRiding = 0;
    if (withInput) startReRiding();
    replayOpen = 1;
    runHintsHidden = 1;
    return 0;
}

static void closeReplay()
{
    swapRiderModel(&ghostRider);
    if (reRiding) endReRide(&replayRider);
    reRiding = 0;
    giveTableRunBack();
    clearRecording(&replayRun.rec);
    replayOpen = 0;
    runHintsHidden = 0;
    redrawAllMenu = 0;
}

// The run state the drawing reads, as the sample shows the rider.
static void putRiderAt(const RunSample& s)
{
    Xobjet = s.pos[0], Yobjet = s.pos[1], Zobjet = s.pos[2];
    rotSkierY = rotSkierYAvantSaut = s.yaw;
    rotSkierZ = s.pitch, rotSkierX = s.roll;
    angleCourant = angleDePlacementEffectif = s.lean;
    fakie = (s.flags & sampleFakie) != 0;
    chute = (s.flags & sampleFallen) != 0;
    rotationChute = s.tumble;
    setContact((s.flags & sampleContact) != 0);
    setNumeroFaceCourante(findCurrentFace(points, faces, Xobjet, Zobjet, (float)maxTrackFaces));
    setYobjetCour(Yobjet);
    changementContact = changementFakieSolRight = changementFakieSolLeft = 0;
    askForRescue = 0, replacement = 0, vitessePrecedente = 0, tempsChute = lyingTime;
    LETSGO = 0, DEPART = 1, skieurArrive = 0;
    totalTime = s.runTime;
    totalScore = replayRun.finalScore;
    changePosition(s.pose);
    majRotationsBones();
    transformSkierEtat(s.lean, s.yaw, fakie, 1);
}

// The ticks due since the last frame, each with its sounds and snow, as a run has them.
static void rideDueTicks(long now)
{
    int due = ticksDue(runTicker, (now - lastFrameMs) * 0.001);
    lastFrameMs = now;
    for (int k = 0; k < due && ticksOverMs < 0; k++) {
        if (!reRideTick(&replayRider, (float)framesPerSecond())) {
            ticksOverMs = now;
            break;
        }
        noteTickDrawn(&drawnTicks, tickTeleported());
        consumeRunEvents();
    }
}

static void beginReplayDrawing()
{
    initLightAndShade();  // the score table left its own projection
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
}

// Seconds into the replay, and whether it has shown the whole run and a moment after it.
static short replayOver(long now)
{
    if (reRiding) return ticksOverMs >= 0 && (now - ticksOverMs) * 0.001 > AFTER_FINISH_SECONDS;
    double end = replayRun.rec.samples.size() / (double)recordRate + AFTER_FINISH_SECONDS;
    return (now - replayStart) * 0.001 > end;
}

void replayFrame()
{
    long now = gameClock();
    beginReplayDrawing();
    if (reRiding) {
        rideDueTicks(now);
        drawRunFrame(ticksOverMs >= 0 ? 1.0f : tickFraction(runTicker), runTicker.ticks);
    } else {
        RunSample s;
        sampleAt(replayRun.rec, (now - replayStart) * 0.001, &s);
        putRiderAt(s);
        drawGameFrame();
    }
    handleRunSwitches();  // F8 views the replay from another camera, F10 keeps it
    if (keyEscNoRepeat() || (skieurArrive && keyEnterNoRepeat()) || replayOver(now)) closeReplay();
}
