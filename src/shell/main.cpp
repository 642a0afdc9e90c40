// Program entry: set-up dialog, OpenGL display, then the game loop.
#include "shell/kestrune.h"

#include <allegro.h>

int main(int argc, char** argv)
{
    return kestruneMain();
}
END_OF_MAIN()
