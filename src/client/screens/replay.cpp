// Takes the track's best-run file, the clock and the replay's keys; shows the run again as the rider
// rode it, through the run's own drawing, with the best run's rider posed and drawn in its own model
// while it plays. A run with its input is ridden again to the replay clock's tick (paused, slowed,
// sped up, stepped, jumped back and on) and drawn between ticks as a run is; an older file plays its
// samples at the clock's time. "REPLAY", the timeline and the keys are drawn over the HUD.
#include "screens/replay.h"

#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "run/bestRun.h"
#include "platform/frameCounter.h"
#include "platform/gameClock.h"
#include "fileio/gameFolders.h"
#include "render/drawnState.h"
#include "render/gameFrameDraw.h"
#include "render/graphImage.h"
#include "render/helpanim.h"
#include "render/hudHints.h"
#include "render/replayCameras.h"
#include "render/replayHud.h"
#include "render/SnowParticleEngine.h"
#include "render/skiTraces.h"
#include "run/fall.h"
#include "run/ghostRun.h"
#include "run/reRide.h"
#include "run/replayClock.h"
#include "run/replayMarks.h"
#include "run/replayRide.h"
#include "run/runEvents.h"
#include "run/sampledMoment.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "run/runTick.h"
#include "run/runTicker.h"
#include "screens/nameEntry.h"
#include "screens/replayControls.h"
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
static const double KEY_LIST_SECONDS = 6.0, KEY_LIST_FADE_SECONDS = 1.0;
static const char REPLAY_TEXT[] = "REPLAY", PAUSED_TEXT[] = "PAUSED";
static const char SAMPLES_ONLY_TEXT[] = "(an older best run: the final score)";

static BestRun replayRun;

// The replay's clock, and the run with its input ridden to its tick (an older file plays its samples
// at the clock's time); the marks of its timeline; when its end was reached (-1 before).
static ReplayClock replayClock;
static ReplayRide replayRide;
static short reRiding = 0;
static std::vector<ReplayMark> replayMarks;
static long lastFrameMs, endReachedMs;
static double keyListLeft;  // seconds the list of keys is shown yet

// The camera the replay is seen from; the free camera where the player put it; the view of the last
// frame drawn, whatever its camera (the free camera starts there).
static int replayCamera = replayChaseCamera;
static FreeCamera freeCamera;
static WorldView shownView;

// What the score table shows of the run just ridden: the replay rides over it and gives it back.
struct TableRun {
    int totalScore, totalCollectable, finalScore, rank;
    float totalTime;
    short skieurArrive, vuScores;
};
static TableRun tableRun;

void keepTableRun()
{
    const RunScores& s = playerRun.scores;
    tableRun = {s.totalScore, s.totalCollectable, s.finalScore, s.rank, playerRun.timing.totalTime,
                playerRun.motion.skieurArrive, s.vuScores};
}

// The run state is fresh (the replay's kickers gone) with the table's numbers in it.
void giveTableRunBack()
{
    freshRunOnLoadedTrack(playerRun, loadedTrack);
    clearRunEvents(playerRun);
    RunScores& s = playerRun.scores;
    s.totalScore = tableRun.totalScore, s.totalCollectable = tableRun.totalCollectable;
    s.finalScore = tableRun.finalScore, s.rank = tableRun.rank, playerRun.timing.totalTime = tableRun.totalTime;
    playerRun.motion.skieurArrive = tableRun.skieurArrive, s.vuScores = tableRun.vuScores;
}

// A run that does not ride again to its own score and time is not shown: the table says why.
// The timeline's marks are found as it rides again.
static int ridesAgain(const std::string& path)
{
    ReplayMarkWatch watch;
    const char* why = reRideBestRun(playerRun, loadedTrack, replayRun, [&watch] { watchReplayTick(playerRun, watch, runTicker.ticks, &replayMarks); });
    if (!why) return 1;
    bestRunRefusalLine(scoreSave.scoreNote, SCORE_NOTE_CHARS, why, "no replay");
    printf("%s: %s\n", path.c_str(), scoreSave.scoreNote);
    giveTableRunBack();
    clearRecording(&replayRun.rec);
    redrawAllMenu = 0;
    return 0;
}

// The start line: nothing before it to draw between, no traces yet.
void drawFromStartLine()
{
    resetDrawnTicks(&drawnTicks);
    noteTickDrawn(&drawnTicks, 1);
    skiTraces.reset();
}

static void startReRiding()
{
    reRiding = (short)beginReplayRide(playerRun, loadedTrack, &replayRide, replayRun.rec.input);
    drawFromStartLine();
}

static long sampledTicks(const RunRecording& rec)
{
    return rec.samples.empty() ? 0 : ticksIn((double)(rec.samples.size() - 1) / recordRate);
}

int openReplay(const char* trackDir)
{
    std::string path = playerReadPath(trackFile(trackDir, BEST_RUN_FILE));
    if (loadBestRun(path.c_str(), trackDir, &replayRun) != 0) return 1;
    keepTableRun();
    replayMarks.clear();
    short withInput = (short)wholeInput(replayRun.rec.input);
    if (withInput && !ridesAgain(path)) return 1;
    if (chargeGhostRider(replayRun.rider) != 0) {
        if (withInput) giveTableRunBack();
        return 1;
    }
    dropGhostRun();  // the run just ridden raced it: no second copy during the replay
    setRiddenModel(&ghostRider.model);
    skiTraces.reset();  // the traces of the run just ridden
    lastFrameMs = gameClock();
    endReachedMs = -1;
    keyListLeft = KEY_LIST_SECONDS;
    replayCamera = replayChaseCamera;
    reRiding = 0;
    if (withInput) startReRiding();
    else marksFromSamples(replayRun.rec, &replayMarks);
    startReplayClock(replayClock, reRiding ? (long)replayRun.rec.input.ticks : sampledTicks(replayRun.rec));
    runHintsHidden = 1;
    return 0;
}

static void closeReplay()
{
    setRiddenModel(nullptr);
    if (reRiding) endReplayRide(&replayRide);
    reRiding = 0;
    if (snowSprays.particleEngineSkier) snowSprays.particleEngineSkier->hold(0);
    effectSpinsHeld = 0;
    giveTableRunBack();
    clearRecording(&replayRun.rec);
    runHintsHidden = 0;
}

// The run state at the clock's tick: the ticks ridden on in play are heard and drawn between, as a
// run has them; a step or a jump goes there in silence.
static void rideToClock(short heard)
{
    replayRide.frameps = (float)framesPerSecond();
    ReplayRideHooks hooks;
    hooks.fromStart = drawFromStartLine;
    hooks.afterTick = [](short tickHeard) {
        noteTickDrawn(&drawnTicks, tickTeleported());
        if (tickHeard) consumeRunEvents();
    };
    rideReplayTo(playerRun, loadedTrack, &replayRide, replayClock.tick, heard, hooks);
}

static void beginReplayDrawing()
{
    initLightAndShade();  // the score table left its own projection
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
}

// The camera of the drawn moment: the chase (said by 0) or one standing in the world.
static short replayView(const DrawnState& d, WorldView* out)
{
    const TrackModel& track = loadedTrack;
    switch (replayCamera) {
    case replayFarCamera: farView(track.points, track.faces, d.pos, out); break;
    case replayTracksideCamera: tracksideView(track.points, track.faces, replayRun.rec, d.pos, out); break;
    case replayFreeCamera: freeCameraView(freeCamera, out); break;
    default: chaseWorldView(d.pos, d.viewHeading, d.eyeBack, d.eyeUp, &shownView); return 0;
    }
    shownView = *out;
    return 1;
}

// The next camera; the free one starts from the view shown.
static void nextCamera(const TrackModel& track)
{
    replayCamera = (replayCamera + 1) % replayCameraCount;
    if (replayCamera != replayFreeCamera) return;
    freeCameraFrom(shownView, &freeCamera);
    keepEyeInWorld(track.points, track.faces, freeCamera.eye);
}

// The player's commands of this frame; whether any moved the replay by a step or a jump. The free
// camera moves while the replay is paused.
static short takeReplayControls(double elapsed)
{
    const TrackModel& track = loadedTrack;
    ReplayControlsRead read;
    readReplayControls(read);
    if (read.nextCamera) nextCamera(track);
    if (replayCamera == replayFreeCamera && replayClock.paused)
        moveFreeCamera(track.points, track.faces, &freeCamera, read.freeMove, elapsed);
    short moved = 0;
    for (int c = 0; c < replayCommandCount; c++) {
        if (!read.command[c]) continue;
        commandReplayClock(replayClock, (ReplayCommand)c);
        moved |= c != replayTogglePause && c != replaySlower && c != replayFaster;
    }
    if (read.listKeys) keyListLeft = KEY_LIST_SECONDS;
    return moved;
}

// A moment after the end while it plays (a pause holds it there).
static short replayOver(long now)
{
    if (!replayAtEnd(replayClock) || replayClock.paused) {
        endReachedMs = -1;
        return 0;
    }
    if (endReachedMs < 0) endReachedMs = now;
    return (now - endReachedMs) * 0.001 > AFTER_FINISH_SECONDS;
}

static void replayLabel(char* out, size_t size)
{
    const char* state = replayClock.paused ? PAUSED_TEXT
                        : replayClock.speed != replayNormal ? replaySpeedNames[replayClock.speed] : "";
    const char* camera = replayCamera == replayChaseCamera ? "" : replayCameraNames[replayCamera];
    snprintf(out, size, "%s%s%s%s%s%s%s", REPLAY_TEXT, state[0] ? "  " : "", state, camera[0] ? "  " : "", camera,
             reRiding ? "" : "  ", reRiding ? "" : SAMPLES_ONLY_TEXT);
}

static void drawReplayOverlay()
{
    char label[128];
    replayLabel(label, sizeof label);
    float keysAlpha = keyListLeft <= 0 ? 0.0f : keyListLeft >= KEY_LIST_FADE_SECONDS ? 1.0f
                                                                                      : (float)(keyListLeft / KEY_LIST_FADE_SECONDS);
    ReplayHudView v{label, replayHelpLine(replayCamera == replayFreeCamera), replayKeyList, replayKeyRows, keysAlpha,
                    replayMarks.data(), (int)replayMarks.size(), replayClock.tick, replayClock.lastTick};
    drawReplayHud(v);
}

// The samples at the clock's time, and the run's numbers as the file has them: it holds no score of
// the moment, only the final one.
static void drawSampledMoment()
{
    RunSample s;
    double t = replayClock.tick * runTickSeconds + replayClock.residual;
    sampleAt(replayRun.rec, t, &s);
    placeRunAtSample(playerRun, loadedTrack, s, replayRun.finalScore);
    playerRun.scores.totalCollectable = 0;
    drawGameFrame(drawReplayOverlay, replayView);
}

// The drawing's own motion (the spray, the spins, the HUD's messages) goes by the replay's time: none when paused.
static void holdMoment(double elapsed)
{
    if (snowSprays.particleEngineSkier) snowSprays.particleEngineSkier->hold(replayClock.paused);
    effectSpinsHeld = replayClock.paused;
    runTicker.frameSeconds = replayClock.paused ? 0.0 : elapsed * replaySpeedFactors[replayClock.speed];
}

ScreenEvent replayFrame()
{
    long now = gameClock();
    double elapsed = (now - lastFrameMs) * 0.001;
    lastFrameMs = now;
    beginReplayDrawing();
    short moved = takeReplayControls(elapsed);
    advanceReplayClock(replayClock, elapsed);
    keyListLeft -= elapsed;
    holdMoment(elapsed);
    if (reRiding) {
        rideToClock(!moved);
        float fraction = replayClock.paused || replayAtEnd(replayClock) ? 1.0f : replayFraction(replayClock);
        drawRunFrame(fraction, replayRide.ridden, drawReplayOverlay, replayView);
    } else {
        drawSampledMoment();
    }
    handleRunSwitches();  // F8 moves the chase camera in or out, F10 keeps the frame
    if (!(keyEscNoRepeat() || (playerRun.motion.skieurArrive && keyEnterNoRepeat()) || replayOver(now)))
        return ScreenEvent::none;
    closeReplay();
    return ScreenEvent::replayClosed;
}
