// Takes the track's best-run file and the clock; shows the run again as the rider rode it, through
// the run's own drawing, with the best run's rider in the resident rider's place while it plays.
#include "screens/replay.h"

#include <GL/gl.h>

#include <string>

#include "fileio/bestRun.h"
#include "platform/gameClock.h"
#include "platform/gameFolders.h"
#include "render/gameFrameDraw.h"
#include "render/graphImage.h"
#include "render/skiTraces.h"
#include "run/fall.h"
#include "run/ghostRun.h"
#include "run/runState.h"
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

int openReplay(const char* trackDir)
{
    std::string path = playerReadPath(trackFile(trackDir, BEST_RUN_FILE));
    if (loadBestRun(path.c_str(), trackDir, &replayRun) != 0) return 1;
    if (chargeGhostRider(replayRun.rider) != 0) return 1;
    dropGhostRun();  // the run just ridden raced it: no second copy during the replay
    swapRiderModel(&ghostRider);
    skiTraces.reset();  // the traces of the run just ridden
    replayStart = gameClock();
    replayOpen = 1;
    return 0;
}

static void closeReplay()
{
    swapRiderModel(&ghostRider);
    clearRecording(&replayRun.rec);
    replayOpen = 0;
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

void replayFrame()
{
    double t = (gameClock() - replayStart) * 0.001;
    RunSample s;
    sampleAt(replayRun.rec, t, &s);
    putRiderAt(s);
    initLightAndShade();  // the score table left its own projection
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    drawGameFrame();
    handleRunSwitches();  // F8 views the replay from another camera, F10 keeps it
    double end = replayRun.rec.samples.size() / (double)recordRate + AFTER_FINISH_SECONDS;
    if (keyEscNoRepeat() || t > end) closeReplay();
}
