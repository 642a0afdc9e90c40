// Takes the command line's words; plays, prints the usage, or makes a film: the game's content
// loaded with no window, the track's best run filmed frame by frame with a progress line on the
// terminal, interrupted cleanly by Ctrl-C.
#include "shell/filmCommand.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fileio/swapthings.h"
#include "fileio/gameFolders.h"
#include "platform/processSignals.h"
#include "render/SnowParticleEngine.h"
#include "render/graphImage.h"
#include "core/graphicLib.h"
#include "render/hiddenGlContext.h"
#include "shell/startChecks.h"
#include "shell/systemPortUtils.h"
#include "skier/positionDef.h"
#include "skier/skierCar.h"
#include "track/bombstuff.h"
#include "shell/initGame.h"
#include "shell/playerRun.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

static const int BAR_CELLS = 30;
static const long STEP_MS = 250;  // the progress line is written this often
static const char* const DEFAULT_RIDER = "tolvek";

const char* const COMMAND_USAGE =
    "usage: kestrune                       play\n"
    "       kestrune --export-video TRACK [--size WxH] [--fps N] [--out FILE] [--png-frames]\n"
    "                                      the film of TRACK's best run (1280x720, 60 frames a second,\n"
    "                                      into the player's videos folder unless --out names a file;\n"
    "                                      --png-frames: PNG pictures in a folder, without ffmpeg)\n"
    "       kestrune --help                this\n";

static bool number(const char* text, int* out)
{
    char* end = nullptr;
    errno = 0;
    long v = strtol(text, &end, 10);
    if (errno || end == text || *end || v < 0 || v > 100000) return false;
    *out = (int)v;
    return true;
}

static bool size(const char* text, int* w, int* h)
{
    std::string s = text;
    size_t x = s.find('x');
    return x != std::string::npos && number(s.substr(0, x).c_str(), w) && number(s.substr(x + 1).c_str(), h);
}

static Command bad(const std::string& why)
{
    Command c;
    c.kind = commandBad;
    c.why = why;
    return c;
}

// The options of a film, from word i on.
static Command filmOptions(int argc, char** argv, int i, Command c)
{
    for (; i < argc; i++) {
        std::string o = argv[i];
        bool valued = o == "--size" || o == "--fps" || o == "--out";
        if (valued && i + 1 >= argc) return bad(o + " needs a value");
        if (o == "--size" && !size(argv[++i], &c.film.width, &c.film.height)) return bad("--size takes WxH, as 1280x720");
        else if (o == "--fps" && !number(argv[++i], &c.film.fps)) return bad("--fps takes a whole number");
        else if (o == "--out") c.film.out = argv[++i];
        else if (o == "--png-frames") c.film.pngFrames = 1;
        else if (!valued) return bad("unknown option " + o);
    }
    std::string why;
    if (!filmRequestSane(c.film, why)) return bad(why);
    return c;
}

Command readCommandLine(int argc, char** argv)
{
    Command c;
    if (argc <= 1) return c;
    std::string first = argv[1];
    if (first == "--help" || first == "-h") {
        c.kind = commandHelp;
        return c;
    }
    if (first != "--export-video") return bad("unknown option " + first);
    if (argc < 3 || argv[2][0] == '-') return bad("--export-video needs a track");
    c.kind = commandFilm;
    c.film.track = argv[2];
    c.film.soundBack = 0;
    return filmOptions(argc, argv, 3, c);
}

static bool trackListed(const std::string& track)
{
    for (int i = 0; i < gameLists.nbTotalPistes; i++)
        if (track == gameLists.listePistes[i]) return true;
    return false;
}

// What the game loop loads at its start and for a run, without the window, the keyboard or the sound card.
static bool loadForFilm(const std::string& track, std::string& why)
{
    install_allegro(SYSTEM_NONE, &errno, atexit);  // the picture loaders only
    storeByteOrder(0);
    preCalculateTrigoTables();
    initGuiGL();
    loadPositions(dataPath("positions/").c_str());
    chargeNomPistes();
    chargeNomSkiers();
    chargeNomBgMusics();
    if (chargeSkierGui(DEFAULT_RIDER) != 0) {
        why = std::string("the default rider ") + DEFAULT_RIDER + " cannot be loaded";
        return false;
    }
    createParticleEngines();
    if (!trackListed(track)) {
        why = "no track called " + track + " (the tracks are the folder names in " + dataPath("tracks") + ")";
        return false;
    }
    snprintf(gameLists.nomFicPiste, sizeof gameLists.nomFicPiste, "%s", track.c_str());
    if (initGame(loadedTrack, track.c_str()) != trackLoadOk) {
        why = "the track " + track + " does not load";
        return false;
    }
    resetCollectedBomb(playerRun, loadedTrack.bombsQty);
    initGL(track.c_str());
    return true;
}

static void progressLine(const FilmJob& job)
{
    float share = filmShare(job);
    int cells = (int)(share * BAR_CELLS);
    char bar[BAR_CELLS + 1];
    for (int i = 0; i < BAR_CELLS; i++) bar[i] = i < cells ? '#' : '.';
    bar[BAR_CELLS] = '\0';
    double left = filmSecondsLeft(job);
    char when[48] = "";
    if (left >= 0) snprintf(when, sizeof when, "  %d min %02d s left", (int)left / 60, (int)left % 60);
    fprintf(stderr, "\rFilming %s: [%s] %3d %%%s   ", job.request.track.c_str(), bar, (int)(share * 100), when);
    fflush(stderr);
}

static int runFilm(FilmJob& job)
{
    while (stepFilm(job, STEP_MS)) {
        progressLine(job);
        if (quitSignalReceived()) cancelFilm(job);
    }
    fprintf(stderr, "\n");
    printf("%s\n", job.message.c_str());
    int sig = quitSignalReceived();
    if (job.phase == filmCancelled && sig) return quitStatus(sig);
    return job.phase == filmSaved ? 0 : 1;
}

static const char* const NO_ENCODER_LINES =
    "ffmpeg is not installed: no film can be made\n"
    "--png-frames saves the film's frames as PNG pictures in a folder instead\n";

int filmCommand(const FilmRequest& request)
{
    installQuitSignals();
    if (!request.pngFrames && filmEncoderPath().empty()) {
        fputs(NO_ENCODER_LINES, stdout);
        return 1;
    }
    std::string why;
    char dataWhy[START_WHY_CHARS];
    if (!initGameFolders(why)) {
        fprintf(stderr, "%s\n", why.c_str());
        return 2;
    }
    if (!checkDataFolder(gameFolders().data.c_str(), dataWhy)) {
        fprintf(stderr, "%s\n", dataWhy);
        return 2;
    }
    if (!openHiddenGlContext(why)) {
        fprintf(stderr, "kestrune: %s\n", why.c_str());
        return 2;
    }
    static FilmJob job;  // large: its best run holds a whole ride
    int status = 1;
    if (!loadForFilm(request.track, why)) {
        fprintf(stderr, "kestrune: %s\n", why.c_str());
    } else if (!startFilm(job, request)) {
        printf("%s\n", job.message.c_str());
    } else {
        status = runFilm(job);
    }
    return status;
}
