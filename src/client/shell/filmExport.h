// The film of a track's best run: ridden again frame by frame at the film's rate, each frame drawn
// off-screen at the film's size with the HUD and read back, the run's sounds mixed off-line in a
// first pass, everything handed to the film's output (an MP4 through ffmpeg, or PNG pictures in a
// folder). The film lasts the run's time whatever the machine's speed. A best run that does not ride
// again (another physics) is filmed from its samples. The loaded track must be the run's.
#pragma once

#include <string>

#include "run/bestRun.h"
#include "shell/filmOutput.h"
#include "render/offscreenFrame.h"
#include "run/filmTiming.h"
#include "run/replayRide.h"

const int defaultFilmWidth = 1280, defaultFilmHeight = 720, defaultFilmFps = 60;

struct FilmRequest {
    std::string track;  // the track's folder name
    int width = defaultFilmWidth, height = defaultFilmHeight, fps = defaultFilmFps;
    std::string out;    // a file of the player's choice instead of the videos folder
    short pngFrames = 0;
    short soundBack = 1;  // the game's sound device started again afterwards (not from the command line)
};

// False, with why, for a size or rate no film is made at.
bool filmRequestSane(const FilmRequest& r, std::string& why);
// The encoder's path, empty when it is not installed.
std::string filmEncoderPath();

enum FilmPhase { filmNotStarted, filmMixing, filmPicturing, filmSaved, filmFailed, filmCancelled };

struct FilmJob {
    FilmRequest request;
    FilmPhase phase = filmNotStarted;
    std::string message;       // the one line told at the end (or at a refusal)
    short encoderMissing = 0;  // the refusal was for want of ffmpeg: PNG frames can be offered
    short fromSamples = 0;     // the run did not ride again: filmed from its samples
    BestRun run;
    FilmTiming timing;
    ReplayRide ride;
    FilmOutput output;
    OffscreenFrame picture;
    long frame = 0;            // the next frame of the phase
    long startedMs = 0;        // the wall clock at the start of the pictures
    long clockBase = 0;        // the game clock at the film's first frame
    short bestRiderShown = 0;
};

// The best run loaded and planned, the output opened: false with the message when it cannot be filmed.
bool startFilm(FilmJob& job, const FilmRequest& request);
// Makes sound and frames for about budgetMs of the wall clock: false once the job is over, saved or
// not (its message says which).
bool stepFilm(FilmJob& job, long budgetMs);
// Stops it, nothing of it kept.
void cancelFilm(FilmJob& job);
// How far it is (0 to 1), and the seconds it needs yet (negative while unknown).
float filmShare(const FilmJob& job);
double filmSecondsLeft(const FilmJob& job);
