// Track-module functions the textures need until that module defines them; weak, so its own
// definitions take over without a link clash. Delete this file once they exist.
#include "track/planLib.h"
__attribute__((weak)) void libereTexturesTrack(unsigned int*) {}
