// Program entry: the command line read; the game (set-up dialog, OpenGL display, game loop), the
// usage, or a film of a best run made with no window.
#include "shell/filmCommand.h"
#include "shell/kestrune.h"

#include <allegro.h>

#include <cstdio>

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IOLBF, 0);  // a log file gets each line as it is said
    Command c = readCommandLine(argc, argv);
    switch (c.kind) {
    case commandHelp: fputs(COMMAND_USAGE, stdout); return 0;
    case commandBad: fprintf(stderr, "kestrune: %s\n%s", c.why.c_str(), COMMAND_USAGE); return 2;
    case commandFilm: return filmCommand(c.film);
    default: return kestruneMain();
    }
}
END_OF_MAIN()
