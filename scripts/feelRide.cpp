// feelRide: takes a data folder, a track, a sequence (autopilot, tricks, onejump), a drawn rate, the
// rider setup (loaded: card and poses as kesride loads them; bare: 70 kg, no poses, as the
// determinism test), a tick rate and a scale of the rider's weight (1.00001: a change no player could
// feel, to show how far the run's own sensitivity moves a result); rides with no display and prints
// finish, trick points, collectables, highest flight, time in the air and falls. Built with OLD_CLOCK against a tree from
// before the fixed clock (one run step a drawn frame, CLKOFF shifting its millisecond clock's phase).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fileio/swapthings.h"
#include "fileio/gameFolders.h"
#include "run/runEvents.h"
#include "run/runFrame.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "run/trickInput.h"
#include "skier/positionDef.h"
#include "skier/skierCar.h"
#include "track/bombstuff.h"
#include "track/planLib.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

#include "../tests/sim/trickSequence.h"
#ifndef OLD_CLOCK
#include "run/runTick.h"
#include "run/runTicker.h"
#endif

static const long clockStart = 100000;

static RunInput oneJumpAt(long ms)
{
    RunInput in;
    in.held[RB_JUMP] = ms < 100 || (ms >= 3000 && ms < 3600);
    in.held[RB_RIGHT] = ms >= 3500 && ms < 3700;
    in.held[RB_UP] = ms >= 1600 && (ms < 2900 || ms >= 4100);
    in.held[RB_TRICK1] = ms >= 3650 && ms < 3850;
    return in;
}

static RunInput autopilotAt(long ms)
{
    RunInput in;
    in.held[RB_JUMP] = ms < 100;
    in.held[RB_UP] = ms >= 100;
    return in;
}

struct Tally {
    float takeOffY = 0, groundY = 0, highest = 0, finish = -1;
    double air = 0;
    short wasOnGround = 1;
    int falls = 0; short wasFallen = 0;
    void step(double seconds)
    {
        if (finish >= 0) return;
        short ground = (short)getContact();
        if (wasOnGround && !ground) takeOffY = groundY;
        groundY = Yobjet;
        if (!ground) {
            air += seconds;
            if (Yobjet - takeOffY > highest) highest = Yobjet - takeOffY;
        }
        if (chute && !wasFallen) falls++;
        wasFallen = chute;
        wasOnGround = ground;
        if (skieurArrive) finish = totalTime;
    }
};

int main(int argc, char** argv)
{
    if (argc < 6) {
        fprintf(stderr, "feelRide DATA TRACK autopilot|tricks|onejump FPS loaded|bare [TICKHZ [WEIGHTSCALE]]\n");
        return 2;
    }
    std::string data = argv[1], track = argv[2], mode = argv[3];
    double fps = atof(argv[4]);
    bool loaded = std::string(argv[5]) == "loaded";
#ifndef OLD_CLOCK
    if (argc > 6) runTickSeconds = 1.0 / atof(argv[6]);
#endif
    GameFolders f = gameFolders();
    f.data = f.player = data;
    useGameFolders(f);
    storeByteOrder(0);
    if (loaded) {
        loadPositions(dataPath("positions/").c_str());
        if (chargeSkierGui("tolvek") != 0) { fprintf(stderr, "no rider\n"); return 2; }
    } else {
        theTrasher->weight = 70.0f;
    }
    if (argc > 7) theTrasher->weight *= (float)atof(argv[7]);
    videPileBoutons();
    reinitGameVar();
    amplitudeRotationX = 0.0f;
    sautLincolnLoopDroite = sautLincolnLoopGauche = 0;
    std::string path = data + "/tracks/" + track + "/" + track + ".btrk";
    if (importTrackFromBinaryFile(path.c_str()) != trackLoadOk) { fprintf(stderr, "no track\n"); return 2; }
    resetCollectedBomb(bombsQty);
    placeSkierAtStart(clockStart);
    clearRunEvents();
    Tally t;
    long frames = (long)((getenv("SECS") ? atof(getenv("SECS")) : 150) * fps);
    long prevMs = 0;
#ifndef OLD_CLOCK
    startRunTicker(runTicker, clockStart);
#endif
    for (long fr = 0; fr < frames && t.finish < 0; fr++) {
#ifdef OLD_CLOCK
        long ms = (long)floor((fr + 1) * 1000.0 / fps + 1e-6);
        RunInput in = mode == "tricks" ? recordAt(ms, true) : mode == "onejump" ? oneJumpAt(ms) : autopilotAt(ms);
        double off = getenv("CLKOFF") ? atof(getenv("CLKOFF")) : 0.0;
        in.clockMs = clockStart + (long)floor((fr + 1) * 1000.0 / fps + off);
        in.frameps = (float)fps;
        simulateGameFrame(in);
        clearRunEvents();
        t.step((ms - prevMs) * 0.001);
        prevMs = ms;
#else
        long ms = (long)floor(fr * 1000.0 / fps + 1e-6);
        RunInput in = mode == "tricks" ? recordAt(ms, true) : mode == "onejump" ? oneJumpAt(ms) : autopilotAt(ms);
        in.frameps = (float)fps;
        runDrawnFrame(runTicker, 1.0 / fps, in, [&] { clearRunEvents(); t.step(runTickSeconds); });
#endif
    }
    printf("%s %s fps %g: finish %.2f score %d collectables %d highest %.0f air %.2f falls %d\n", track.c_str(),
           mode.c_str(), fps, t.finish, totalScore, totalCollectable, t.highest, t.air, t.falls);
    return 0;
}
