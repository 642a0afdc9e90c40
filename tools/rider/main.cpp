// kesride: takes a data folder, a track, a rider and a timed input (or the autopilot, or a best run's
// recorded input); rides the run with no display or sound, drawn frames at a chosen rate (a best run
// tick by tick), and prints what it came to as one JSON line.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fileio/swapthings.h"
#include "run/bestRun.h"
#include "fileio/gameFolders.h"
#include "fileio/atomicWrite.h"
#include "run/ghostRun.h"
#include "run/reRide.h"
#include "run/runEvents.h"
#include "run/runFrame.h"
#include "run/runScore.h"
#include "run/runState.h"
#include "run/runTick.h"
#include "run/runTicker.h"
#include "run/timedInput.h"
#include "run/trickInput.h"
#include "skier/positionDef.h"
#include "skier/skierCar.h"
#include "track/bombstuff.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

static const double DEFAULT_DRAW_RATE = 60.0;
static const double DEFAULT_MAX_SECONDS = 600.0;
static const int EXIT_RIDDEN = 0, EXIT_REFUSED = 2;

static const char* const USAGE =
    "Usage: kesride --data DIR --track NAME [--rider NAME] [--draw-rate HZ]\n"
    "               (--input FILE | --autopilot) [--max-seconds S] [--flights]\n"
    "       kesride --data DIR --best-run FILE [--rider NAME]\n"
    "Rides a track with no display or sound and prints one JSON line:\n"
    "  {\"track\":..., \"rider\":..., \"drawRate\":..., \"ticks\":N, \"finished\":true|false, \"time\":S,\n"
    "   \"score\":N, \"maxHeight\":UNITS, \"airTime\":S, \"falls\":N, \"collectables\":N}\n"
    "  (a finished ride's score as the line is crossed; with --save-best-run, once settled past it)\n"
    "  --data DIR        the game's data folder (holding tracks/, models/, positions/)\n"
    "  --track NAME      the track's folder name under tracks/\n"
    "  --rider NAME      the rider's folder name under models/ (default tolvek)\n"
    "  --draw-rate HZ    drawn frames a second: input is sampled at each, the run's ticks run as they\n"
    "                    fall due (default 60)\n"
    "  --input FILE      timed input: each line \"MS ACTION ACTION ...\" holds those actions from that\n"
    "                    millisecond of the run on (0 is the first tick after loading, before the\n"
    "                    countdown); actions: left right up down leftSide rightSide trick1 ... trick6\n"
    "                    jump bomb enter; '#' starts a comment\n"
    "  --autopilot       jump to start, then push all the way down\n"
    "  --max-seconds S   stop after S seconds of run clock (default 600)\n"
    "  --flights         add \"flights\":[[FROM, TO, Z, AIR, HEIGHT], ...]: each flight up to the finish,\n"
    "                    its take-off and touch-down rows, the touch-down's Z in cells, its seconds in\n"
    "                    the air and its height over the take-off\n"
    "  --save-best-run FILE  also write the ride as a best.run (its samples and its input), riding on\n"
    "                    past the line until the rider is on the snow, as the game does\n"
    "  --best-run FILE   ride a best.run's recorded input again, tick by tick, on its own track with its\n"
    "                    own rider (weight and landing tolerances as ridden); the line ends with\n"
    "                    \"recordedScore\":N, \"recordedTime\":S, \"matched\":true|false (whether the ride\n"
    "                    came to the file's score and time) and, when it did not, \"why\":TEXT\n"
    "Exit status: 0 when the ride was made (finished or not, matched or not), 2 for a bad command line,\n"
    "input, best run or track.\n";

struct Options {
    std::string data, track, rider, input, bestRun, saveBestRun;
    double drawRate = DEFAULT_DRAW_RATE, maxSeconds = DEFAULT_MAX_SECONDS;
    bool autopilot = false, flights = false;
};

static bool positiveNumber(const char* text, double* out)
{
    char* end = nullptr;
    double v = strtod(text, &end);
    if (end == text || *end || !(v > 0) || !std::isfinite(v)) return false;
    *out = v;
    return true;
}

static bool readOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        bool hasValue = i + 1 < argc;
        if (a == "--autopilot") o.autopilot = true;
        else if (a == "--flights") o.flights = true;
        else if (a == "--data" && hasValue) o.data = argv[++i];
        else if (a == "--track" && hasValue) o.track = argv[++i];
        else if (a == "--rider" && hasValue) o.rider = argv[++i];
        else if (a == "--input" && hasValue) o.input = argv[++i];
        else if (a == "--best-run" && hasValue) o.bestRun = argv[++i];
        else if (a == "--save-best-run" && hasValue) o.saveBestRun = argv[++i];
        else if (a == "--draw-rate" && hasValue) {
            if (!positiveNumber(argv[++i], &o.drawRate)) return false;
        } else if (a == "--max-seconds" && hasValue) {
            if (!positiveNumber(argv[++i], &o.maxSeconds)) return false;
        } else return false;
    }
    if (!o.bestRun.empty())
        return !o.data.empty() && o.track.empty() && !o.autopilot && o.input.empty() && o.saveBestRun.empty();
    if (o.rider.empty()) o.rider = "tolvek";
    return !o.data.empty() && !o.track.empty() && (o.autopilot != !o.input.empty());
}

// The one run this program rides.
static RunState simRun;

static const float ROW_LENGTH = 1684.0f, CELL_WIDTH = 1123.0f;

// One flight: take-off and touch-down rows, touch-down Z in cells, seconds in the air, height.
struct Flight {
    float from, to, z, air, height;
};

// What the run came to, gathered tick by tick.
struct RideTally {
    std::vector<Flight> flights;
    float takeOffY = 0, groundY = 0, maxHeight = 0;  // groundY: the height at the tick before
    double airTime = 0;
    int falls = 0;
    long ticks = 0;  // ticks ridden, up to the finish
    int scoreAtLine = 0;
    short wasOnGround = 1, wasFallen = 0, finished = 0;
};

static void tallyTick(RideTally& t, double tickLength)
{
    if (t.finished) return;
    t.ticks = runTicker.ticks;
    t.finished = simRun.motion.skieurArrive;
    // The drawn frame that crosses the line rides on to its end, a tick or more at a low rate and
    // none at a high one: the score is taken on the tick itself.
    if (t.finished) t.scoreAtLine = runScoreSoFar(simRun);
    short ground = (short)getContact(simRun);
    if (t.wasOnGround && !ground) {
        t.takeOffY = t.groundY;
        t.flights.push_back({simRun.motion.Xobjet / ROW_LENGTH, 0, 0, 0, 0});
    }
    t.groundY = simRun.motion.Yobjet;
    if (!ground) {
        t.airTime += tickLength;
        if (simRun.motion.Yobjet - t.takeOffY > t.maxHeight) t.maxHeight = simRun.motion.Yobjet - t.takeOffY;
        Flight& f = t.flights.back();
        f.air += (float)tickLength;
        f.height = std::max(f.height, simRun.motion.Yobjet - t.takeOffY);
        f.to = simRun.motion.Xobjet / ROW_LENGTH;
        f.z = simRun.motion.Zobjet / CELL_WIDTH;
    }
    if (simRun.phases.chute && !t.wasFallen) t.falls++;
    t.wasOnGround = ground;
    t.wasFallen = simRun.phases.chute;
}

static bool loadTheRun(const Options& o)
{
    GameFolders f = gameFolders();
    f.data = f.player = o.data;
    useGameFolders(f);
    storeByteOrder(0);
    loadPositions(dataPath("positions/").c_str());
    if (chargeSkierGui(o.rider.c_str()) != 0) return false;
    videPileBoutons(simRun);
    reinitGameVar(simRun, loadedTrack);
    std::string path = dataPath(trackFile(o.track, o.track + ".btrk"));
    if (importTrackFromBinaryFile(loadedTrack, path.c_str()) != trackLoadOk) return false;
    resetCollectedBomb(simRun, loadedTrack.bombsQty);
    placeSkierAtStart(simRun, loadedTrack, 0);
    clearRunEvents(simRun);
    return true;
}

// The line without its closing brace: a best run's re-ride adds its own fields.
static void printJsonFields(const Options& o, const RideTally& t, bool scoreAtLine = false)
{
    int score = scoreAtLine && t.finished ? t.scoreAtLine : runScoreSoFar(simRun);
    printf("{\"track\":\"%s\", \"rider\":\"%s\", \"drawRate\":%g, \"ticks\":%ld, \"finished\":%s, \"time\":%.3f, "
           "\"score\":%d, \"maxHeight\":%.1f, \"airTime\":%.3f, \"falls\":%d, \"collectables\":%d",
           o.track.c_str(), o.rider.c_str(), o.drawRate, t.ticks, simRun.motion.skieurArrive ? "true" : "false",
           simRun.timing.totalTime, score, t.maxHeight, t.airTime, t.falls, simRun.scores.totalCollectable);
}

static void printFlights(const RideTally& t)
{
    printf(", \"flights\":[");
    for (size_t k = 0; k < t.flights.size(); k++) {
        const Flight& f = t.flights[k];
        printf("%s[%.2f, %.2f, %.2f, %.3f, %.0f]", k ? ", " : "", f.from, f.to, f.z, f.air, f.height);
    }
    printf("]");
}

static void printJson(const Options& o, const RideTally& t)
{
    printJsonFields(o, t, o.saveBestRun.empty());
    if (o.flights) printFlights(t);
    printf("}\n");
}

// The ride as the game keeps a first place: 0 when written.
static int writeBestRun(const Options& o)
{
    if (!simRun.recording.finished || !wholeInput(simRun.recording.input)) {
        fprintf(stderr, "kesride: the ride did not finish on the snow: no best run written\n");
        return EXIT_REFUSED;
    }
    static BestRun run;
    snprintf(run.track, sizeof run.track, "%s", o.track.c_str());
    snprintf(run.rider, sizeof run.rider, "%s", o.rider.c_str());
    run.finalScore = runScoreSoFar(simRun);
    run.finalTime = simRun.timing.totalTime;
    run.rec = simRun.recording;
    char why[FILE_WHY_CHARS] = "";
    if (saveBestRun(o.saveBestRun.c_str(), run, why) != 0) {
        fprintf(stderr, "kesride: %s not written: %s\n", o.saveBestRun.c_str(), why);
        return EXIT_REFUSED;
    }
    return EXIT_RIDDEN;
}

// Drawn frames at the chosen rate until the finish (kept as a best run: until the score is settled
// on the snow past it), or the run clock passes the limit.
static void ride(const Options& o, const TimedInput& input)
{
    RideTally tally;
    startRunTicker(runTicker, 0);
    long frames = (long)(o.maxSeconds * o.drawRate);
    bool keep = !o.saveBestRun.empty();
    for (long f = 0; f < frames && !(keep ? simRun.recording.input.closed : simRun.motion.skieurArrive); f++) {
        long ms = (long)floor(f * 1000.0 / o.drawRate + 1e-6);
        RunInput sampled;
        heldAt(input, ms, sampled);
        runDrawnFrame(runTicker, simRun, loadedTrack, 1.0 / o.drawRate, sampled, [&] {
            tallyTick(tally, runTickSeconds);
            clearRunEvents(simRun);
        });
    }
    printJson(o, tally);
}

// The best run's own track and rider (unless one is named), its input fed one tick at a time.
static int rideBestRun(Options& o)
{
    static BestRun run;
    if (loadBestRun(o.bestRun.c_str(), nullptr, &run) != 0) {
        fprintf(stderr, "kesride: %s is not a best run that can be read\n", o.bestRun.c_str());
        return EXIT_REFUSED;
    }
    if (!wholeInput(run.rec.input)) {
        fprintf(stderr, "kesride: %s holds no input to ride (a ghost only: an older best run)\n", o.bestRun.c_str());
        return EXIT_REFUSED;
    }
    o.track = run.track;
    if (o.rider.empty()) o.rider = run.rider;
    o.drawRate = run.rec.input.ridden.ticksPerSecond;
    if (!loadTheRun(o)) {
        fprintf(stderr, "kesride: can't load the track %s or the rider %s from %s\n", o.track.c_str(),
                o.rider.c_str(), o.data.c_str());
        return EXIT_REFUSED;
    }
    RideTally tally;
    const char* why = reRideBestRun(simRun, loadedTrack, run, [&] { tallyTick(tally, runTickSeconds); });
    printJsonFields(o, tally);
    printf(", \"recordedScore\":%d, \"recordedTime\":%.3f, \"matched\":%s", run.finalScore, run.finalTime,
           why ? "false" : "true");
    if (why) printf(", \"why\":\"%s\"", why);
    printf("}\n");
    return EXIT_RIDDEN;
}

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; i++)
        if (!strcmp(argv[i], "--help") || !strcmp(argv[i], "-h")) {
            fputs(USAGE, stdout);
            return EXIT_RIDDEN;
        }
    Options o;
    if (!readOptions(argc, argv, o)) {
        fputs(USAGE, stderr);
        return EXIT_REFUSED;
    }
    if (!o.bestRun.empty()) return rideBestRun(o);
    TimedInput input;
    std::string why;
    if (o.autopilot) autopilotInput(input);
    else if (!readTimedInputFile(o.input.c_str(), input, why)) {
        fprintf(stderr, "kesride: %s\n", why.c_str());
        return EXIT_REFUSED;
    }
    if (!loadTheRun(o)) {
        fprintf(stderr, "kesride: can't load the track %s or the rider %s from %s\n", o.track.c_str(),
                o.rider.c_str(), o.data.c_str());
        return EXIT_REFUSED;
    }
    ride(o, input);
    return o.saveBestRun.empty() ? EXIT_RIDDEN : writeBestRun(o);
}
