#include "shell/kestrune.h"

#include <allegro.h>

int kestruneMain()
{
    return 0;
}
