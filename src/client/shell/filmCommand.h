// The command line: "kestrune" alone plays; "kestrune --export-video TRACK [--size WxH] [--fps N]
// [--out FILE] [--png-frames]" makes the film of a track's best run with no window, through a hidden
// OpenGL context, and says where it went; "kestrune --help" lists this.
#pragma once

#include <string>

#include "shell/filmExport.h"

// What the command line asks for.
enum CommandKind { commandPlay, commandHelp, commandFilm, commandBad };
struct Command {
    CommandKind kind = commandPlay;
    FilmRequest film;
    std::string why;  // for a bad one
};
Command readCommandLine(int argc, char** argv);
extern const char* const COMMAND_USAGE;

// Runs a film command to its end: the exit status (0 made, 1 not made, 2 no data or no display,
// the signal's status when interrupted).
int filmCommand(const FilmRequest& request);
