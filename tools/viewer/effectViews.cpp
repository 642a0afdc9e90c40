// Effects: the spray at full speed, a landing burst, a bomb's burst and the rescue rocket, each drawn
// by the run's own scene drawing for a few frames at the game's pace and kept at chosen frames.
#include <allegro.h>

#include <string>

#include "render/SnowParticleEngine.h"
#include "render/runEventEffects.h"
#include "run/runFrame.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "track/planLib.h"
#include "track/trackModel.h"
#include "viewer.h"

static const int FRAME_MS = 16;
static const float VIEW_FRAMEPS = 60.0f;
static const int BOMB_ROWS_AHEAD = 4;

// Draws `frames` frames at the game's pace; the last is saved as NAME.
static void runFrames(const std::string& out, const std::string& name, int frames)
{
    for (int i = 0; i < frames; i++) {
        rest(FRAME_MS);
        drawChaseFrame();
    }
    savePicture(out, name);
}

static void riderAtSpeed()
{
    const TrackModel& track = loadedTrack;
    placeChaseRider(track.depart + 3 * longueurFace, 0);
    playerRun.timing.frameps = VIEW_FRAMEPS;
    playerRun.motion.vitesseMax = 6000;
    playerRun.motion.vitessePrecedente = playerRun.motion.vitesseMax;
}

void viewEffects(const std::string& out, const std::string& track)
{
    std::string base = "fx_" + track + "_";
    if (!snowSprays.particleEngineSkier) createParticleEngines();
    riderAtSpeed();
    snowSprays.particleEngineSkier->initParticlesProps();
    runFrames(out, base + "spray", 40);
    snowSprays.particleEngineSkier->setBurst(1);
    runFrames(out, base + "landing1", 2);
    runFrames(out, base + "landing2", 6);

    riderAtSpeed();
    playerRun.motion.vitessePrecedente = 0;
    int row = (int)(playerRun.motion.Xobjet / longueurFace) + BOMB_ROWS_AHEAD;
    playerRun.phases.currentBombVertex = row * (largeurPisteEnFaces + 1) + largeurPisteEnFaces / 2;
    snowSprays.particleEngineBomb->initParticlesProps();
    snowSprays.particleEngineBomb->setBurst(1);
    bombBlastTicks = 6;  // a tenth of a second after the bomb went off, then half a second
    runFrames(out, base + "bomb1", 3);
    bombBlastTicks = 30;
    runFrames(out, base + "bomb2", 8);
    bombBlastTicks = -1;
    playerRun.phases.currentBombVertex = -1;

    riderAtSpeed();
    playerRun.motion.vitessePrecedente = 0;
    playerRun.phases.askForRescue = 1;
    playerRun.phases.endOfRescue = 0;
    runFrames(out, base + "rescue1", 4);
    runFrames(out, base + "rescue2", 10);
    for (int i = 0; i < 200 && !playerRun.phases.endOfRescue; i++) drawChaseFrame();
    playerRun.phases.askForRescue = 0;
}
