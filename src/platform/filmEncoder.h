// The program that encodes a film (ffmpeg): started with the film's size, rate, sound and output
// file, fed raw RGB frames on its standard input, and waited for. Its own messages go to a
// scratch file, read back for the reason when it fails. It never removes any file: the caller owns
// the output.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

extern const char* const FILM_ENCODER_PROGRAM;  // "ffmpeg"

struct FilmEncoderSetup {
    std::string program;    // the program's path
    int width = 0, height = 0, fps = 0;
    std::string soundFile;  // a WAV file of the film's sound; empty for a silent film
    std::string output;     // the MP4 file it writes
};

struct FilmEncoder {
    pid_t pid = -1;
    int input = -1;  // its standard input
    int log = -1;    // its standard output and error, a scratch file
    long framesSent = 0;
};

// Why an encoder failed, as the player is told.
enum FilmEncoderFailure { encoderFine, encoderDiskFull, encoderStopped, encoderNotStarted };

// The program's path along the search path (a name holding a slash is taken as it is when it can be
// run); empty when none can be run.
std::string findProgram(const std::string& name, const char* searchPath);
// The program's arguments: raw RGB frames (top row first) at the film's size and rate from its
// input, the sound file's when there is one, H.264 and AAC in an MP4.
std::vector<std::string> filmEncoderArguments(const FilmEncoderSetup& s);

// False, with why, when it cannot be started.
bool startFilmEncoder(FilmEncoder& e, const FilmEncoderSetup& s, std::string& why);
// One frame of width x height x 3 bytes. False, with why, when the encoder took it not (it ended).
bool sendFilmFrame(FilmEncoder& e, const unsigned char* rgb, size_t bytes, std::string& why);
// Its input closed and its end waited for: true when it said it made the film, else why not.
FilmEncoderFailure finishFilmEncoder(FilmEncoder& e, std::string& why);
// Stopped at once (a cancel) and waited for.
void stopFilmEncoder(FilmEncoder& e);
// The reason in the encoder's last words: the disk full, or its last line.
FilmEncoderFailure failureInLog(const std::string& log, std::string& why);
