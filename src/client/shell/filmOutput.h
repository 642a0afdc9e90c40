// Where a film goes and how it gets there whole or not at all: its sound into a temporary WAV file,
// its frames into the encoder (ffmpeg) writing a temporary file, or into a temporary folder of PNG
// pictures; renamed to the film's own name once everything succeeded, every temporary removed on
// any failure or cancel. What went wrong is said in one line.
#pragma once

#include <ctime>
#include <string>

#include "sound/wavFile.h"
#include "platform/filmEncoder.h"

// "ironpark_tolvek_802929_2025-06-01_2033": track, rider, score and the date and minute, letters and
// digits only in the names.
std::string filmName(const std::string& track, const std::string& rider, int score, time_t when);

struct FilmOutputPlan {
    std::string folder;   // the player's videos folder (made when missing)
    std::string name;     // the film's name, without ".mp4"
    std::string path;     // instead of folder and name: this file (made there, its folder must exist)
    int width = 0, height = 0, fps = 0;
    short pngFrames = 0;  // PNG pictures in a folder instead of a film
    short withSound = 1;
    std::string encoder;  // the encoder's path (a film needs one)
};

struct FilmOutput {
    FilmOutputPlan plan;
    std::string finalPath;  // the film, or the frames' folder
    std::string partPath;   // its temporary
    std::string soundPath;  // the sound's temporary (inside the frames' folder for frames)
    WavWriter sound;
    FilmEncoder encoder;
    long frames = 0;
    short picturing = 0;
};

// The sound's file opened (or none when the plan has no sound). False, with why, when the folder
// cannot be made or written in; nothing is left then.
bool beginFilmOutput(FilmOutput& o, const FilmOutputPlan& plan, std::string& why);
bool addFilmSound(FilmOutput& o, const short* stereo, long frames, std::string& why);
// The sound closed, the encoder started on it (or the frames' folder used).
bool beginFilmPictures(FilmOutput& o, std::string& why);
// One frame of width x height RGB, the top row first.
bool addFilmPicture(FilmOutput& o, const unsigned char* rgb, std::string& why);
// The encoder's end waited for and the film renamed to its own name: finalPath holds it.
bool endFilmOutput(FilmOutput& o, std::string& why);
// A cancel or a failure: the encoder stopped, every temporary removed (safe to call twice).
void abandonFilmOutput(FilmOutput& o);

// Temporaries left in a folder by a game that was killed while making a film (their maker gone).
void sweepAbandonedFilms(const std::string& folder);
