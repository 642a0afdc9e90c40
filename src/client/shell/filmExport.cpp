// Takes a track's best run and a film's size and rate; rides the run again once for its sound and
// once for its pictures, each frame at its own moment of the film's clock, and hands both to the
// film's output.
#include "shell/filmExport.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "platform/displaySize.h"
#include "platform/filmSound.h"
#include "platform/gameClock.h"
#include "fileio/gameFolders.h"
#include "render/SnowParticleEngine.h"
#include "render/drawnState.h"
#include "render/gameFrameDraw.h"
#include "render/graphImage.h"
#include "render/helpanim.h"
#include "render/hudHints.h"
#include "render/runEventEffects.h"
#include "run/ghostRun.h"
#include "run/reRide.h"
#include "run/runEvents.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "run/runTick.h"
#include "run/runTicker.h"
#include "run/sampledMoment.h"
#include "screens/replay.h"
#include "shell/systemPortUtils.h"
#include "skier/ghostRider.h"
#include "skier/skierCar.h"
#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"
#include "sound/runEventSounds.h"

static const int LEAST_SIDE = 64, MOST_WIDTH = 3840, MOST_HEIGHT = 2160, MOST_FPS = 120;
static const float MIXING_SHARE = 0.03f;  // of the progress bar: the sound goes fast
static const float MUSIC_VOLUME = 0.4f;   // as in a run
static const long FRAMES_BEFORE_ESTIMATE = 5;

// What the game was playing through and drawing at before the film took them.
static SoundSettings keptSound;
static int keptWidth, keptHeight;

bool filmRequestSane(const FilmRequest& r, std::string& why)
{
    if (r.width < LEAST_SIDE || r.height < LEAST_SIDE || r.width > MOST_WIDTH || r.height > MOST_HEIGHT ||
        r.width % 2 || r.height % 2) {
        why = "a film's size is even, from 64x64 to 3840x2160";
        return false;
    }
    if (r.fps < 1 || r.fps > MOST_FPS) {
        why = "a film runs at 1 to 120 frames a second";
        return false;
    }
    return true;
}

std::string filmEncoderPath() { return findProgram(FILM_ENCODER_PROGRAM, getenv("PATH")); }

static bool refuse(FilmJob& job, const std::string& line)
{
    job.message = line;
    job.phase = filmFailed;
    return false;
}

static void planTiming(FilmJob& job)
{
    const char* why = reRideBestRun(playerRun, loadedTrack, job.run);
    job.fromSamples = why != nullptr;
    if (job.fromSamples) printf("%s: %s, filmed from its samples\n", job.request.track.c_str(), why);
    long startTick = 0;
    if (!job.fromSamples && beginReplayRide(playerRun, loadedTrack, &job.ride, job.run.rec.input)) startTick = rideToRunStart(playerRun, loadedTrack, &job.ride);
    job.timing = filmTimingFor(startTick, job.run.finalTime, job.request.fps);
}

static FilmOutputPlan outputPlan(const FilmJob& job, const std::string& encoder)
{
    FilmOutputPlan p;
    p.folder = videosFolder();
    p.name = filmName(job.request.track, job.run.rider, job.run.finalScore, time(nullptr));
    p.path = job.request.out;
    p.width = job.request.width, p.height = job.request.height, p.fps = job.request.fps;
    p.pngFrames = job.request.pngFrames;
    p.encoder = encoder;
    return p;
}

// The game's sounds go to the film's mixer, at full volume whatever the player set: the ski and
// wind loops of a run, and the track's own tune.
static void soundsToFilm(const FilmJob& job)
{
    keptSound = soundSettings;
    soundSettings = SoundSettings();
    stopTrack();
    quitAllSounds();
    setSoundDevice(filmSoundDevice());
    initAllSounds();
    reinitSoundsParam();
    initSkiSndLoop();
    initWindLoopSnd();
    std::string music = trackOwnMusic(job.request.track.c_str());
    if (!music.empty()) playTrack(music.c_str(), MUSIC_VOLUME);
}

static void soundsBack(const FilmJob& job)
{
    if (soundDevice != filmSoundDevice()) return;
    stopTrack();
    quitAllSounds();
    setSoundDevice(nullptr);
    soundSettings = keptSound;
    if (job.request.soundBack) initAllSounds();
}

bool startFilm(FilmJob& job, const FilmRequest& request)
{
    job.request = request;
    job.phase = filmNotStarted;
    job.encoderMissing = 0;
    std::string why, encoder;
    if (!filmRequestSane(request, why)) return refuse(job, "Film not made: " + why);
    if (!request.pngFrames) {
        encoder = filmEncoderPath();
        job.encoderMissing = encoder.empty();
        if (job.encoderMissing) return refuse(job, "ffmpeg is not installed: no film can be made");
    }
    std::string path = playerReadPath(trackFile(request.track, BEST_RUN_FILE));
    if (loadBestRun(path.c_str(), request.track.c_str(), &job.run) != 0)
        return refuse(job, "No best run to film on this track");
    planTiming(job);
    if (job.fromSamples && job.run.rec.samples.empty()) return refuse(job, "Film not made: the best run holds no ride");
    if (!beginFilmOutput(job.output, outputPlan(job, encoder), why)) return refuse(job, "Film not made: " + why);
    soundsToFilm(job);
    job.frame = 0;
    job.phase = filmMixing;
    return true;
}

// The run state at the frame's moment: ridden on (or again from the start) to its tick, each tick's
// events taken by `take`; or put back from the samples.
static float placeAtFrame(FilmJob& job, long frame, void (*take)())
{
    long tick;
    float fraction;
    filmFrameMoment(job.timing, frame, &tick, &fraction);
    if (job.fromSamples) {
        RunSample s;
        sampleAt(job.run.rec, countdownLength + (double)frame / job.timing.fps, &s);
        placeRunAtSample(playerRun, loadedTrack, s, job.run.finalScore);
        return 0;
    }
    ReplayRideHooks hooks;
    hooks.fromStart = drawFromStartLine;
    hooks.afterTick = [take](short) { take(); };
    rideReplayTo(playerRun, loadedTrack, &job.ride, tick, 1, hooks);
    return fraction;
}

static void takeSounds() { playRunEventSounds(runEvents(playerRun)); }

static void takeEffects()
{
    noteTickDrawn(&drawnTicks, tickTeleported());
    applyRunEventEffects(runEvents(playerRun));
}

// The rider's hiss and the wind follow the run once a frame, as in a run.
static void frameSound(FilmJob& job, long frame)
{
    placeAtFrame(job, frame, takeSounds);
    handleWindLoopSnd();
    if (playerRun.timing.DEPART != 0) handleSkiSndLoop();
}

static bool mixFrame(FilmJob& job, std::string& why)
{
    frameSound(job, job.frame);
    long from = filmSoundFramesBefore(job.timing, job.frame, filmSoundRate);
    long to = filmSoundFramesBefore(job.timing, job.frame + 1, filmSoundRate);
    std::vector<short> mix((size_t)(to - from) * filmSoundChannels);
    mixFilmSound(mix.data(), to - from);
    job.frame++;
    return addFilmSound(job.output, mix.data(), to - from, why);
}

// The film's frame opened and the encoder started; the best run's rider posed and drawn (riddenModel);
// the run from its start line again.
static bool beginPictures(FilmJob& job, std::string& why)
{
    silenceFilmSound();
    if (!openOffscreenFrame(&job.picture, job.request.width, job.request.height, why)) return false;
    if (!beginFilmPictures(job.output, why)) return false;
    job.clockBase = gameClock();
    dropGhostRun();
    job.bestRiderShown = chargeGhostRider(job.run.rider) == 0;
    if (job.bestRiderShown) setRiddenModel(&ghostRider.model);
    if (snowSprays.particleEngineSkier) snowSprays.particleEngineSkier->hold(0);
    effectSpinsHeld = 0;
    drawFromStartLine();
    if (!job.fromSamples) rideReplayTo(playerRun, loadedTrack, &job.ride, 0, 0, ReplayRideHooks{drawFromStartLine, nullptr});
    job.frame = 0;
    job.startedMs = wallClockMs();
    job.phase = filmPicturing;
    return true;
}

// While frames are made the drawing goes into the film's frame, at its size, with no key hints; between
// slices of the work the window is the game's again (a progress screen is drawn there).
static void drawIntoFilm(const FilmJob& job)
{
    keptWidth = displayDesc().width, keptHeight = displayDesc().height;
    setDisplaySize(job.request.width, job.request.height);
    useOffscreenFrame(&job.picture);
    initLightAndShade();
    runHintsHidden = 1;
}

static void drawIntoWindow()
{
    useOffscreenFrame(nullptr);
    setDisplaySize(keptWidth, keptHeight);
    initLightAndShade();
    runHintsHidden = 0;
    gameClockSetReal();
}

static bool pictureFrame(FilmJob& job, std::string& why)
{
    gameClockSetManual(job.clockBase + filmFrameMs(job.timing, job.frame));
    runTicker.frameSeconds = 1.0 / job.timing.fps;
    job.ride.frameps = (float)job.timing.fps;
    float fraction = placeAtFrame(job, job.frame, takeEffects);
    if (job.fromSamples) drawFilmFrameAsItStands();
    else drawFilmFrame(fraction, job.ride.ridden);
    std::vector<unsigned char> rgb((size_t)job.request.width * job.request.height * 3);
    readOffscreenFrame(job.picture, rgb.data());
    job.frame++;
    return addFilmPicture(job.output, rgb.data(), why);
}

// Everything the film took given back: its frame, the rider, the sound.
static void giveBack(FilmJob& job)
{
    if (job.picture.framebuffer) closeOffscreenFrame(&job.picture);
    if (job.bestRiderShown) setRiddenModel(nullptr);
    job.bestRiderShown = 0;
    endReplayRide(&job.ride);
    soundsBack(job);
}

static bool finish(FilmJob& job, const std::string& why)
{
    giveBack(job);
    if (!why.empty()) {
        abandonFilmOutput(job.output);
        return refuse(job, "Film not made: " + why);
    }
    std::string endWhy;
    if (!endFilmOutput(job.output, endWhy)) {
        abandonFilmOutput(job.output);
        return refuse(job, "Film not made: " + endWhy);
    }
    job.message = (job.request.pngFrames ? "Frames saved: " : "Film saved: ") + job.output.finalPath;
    job.phase = filmSaved;
    return false;
}

// One frame of the phase, or the step to the next phase: false, with why, on a failure; false with
// no why once the last frame is made.
static bool nextPiece(FilmJob& job, short* drawing, std::string& why)
{
    if (job.phase == filmMixing) {
        if (job.frame < job.timing.frames) return mixFrame(job, why);
        return beginPictures(job, why);
    }
    if (!*drawing) drawIntoFilm(job);
    *drawing = 1;
    return job.frame < job.timing.frames && pictureFrame(job, why);
}

bool stepFilm(FilmJob& job, long budgetMs)
{
    if (job.phase != filmMixing && job.phase != filmPicturing) return false;
    long until = wallClockMs() + budgetMs;
    std::string why;
    short drawing = 0;
    bool going;
    do going = nextPiece(job, &drawing, why);
    while (going && wallClockMs() < until);
    if (drawing) drawIntoWindow();
    return going || finish(job, why);
}

void cancelFilm(FilmJob& job)
{
    if (job.phase != filmMixing && job.phase != filmPicturing) return;
    giveBack(job);
    abandonFilmOutput(job.output);
    job.message = "Film cancelled: nothing was kept";
    job.phase = filmCancelled;
}

float filmShare(const FilmJob& job)
{
    float done = job.timing.frames > 0 ? (float)job.frame / job.timing.frames : 0;
    if (job.phase == filmMixing) return MIXING_SHARE * done;
    if (job.phase == filmPicturing) return MIXING_SHARE + (1 - MIXING_SHARE) * done;
    return job.phase == filmSaved ? 1.0f : 0.0f;
}

double filmSecondsLeft(const FilmJob& job)
{
    if (job.phase != filmPicturing || job.frame < FRAMES_BEFORE_ESTIMATE) return -1;
    double perFrame = (wallClockMs() - job.startedMs) * 0.001 / job.frame;
    return perFrame * (job.timing.frames - job.frame);
}
