// Placeholders the game loop links against until the renderer exists.
#include "shell/gameHooks.h"
void initGuiGL() {}
void initGL(const char*) {}
void libereTexturesTrackStuff() {}
void libereTexturesTrack(unsigned int*) {}
unsigned int texName[40];
void chargerImageTexPtrSized(const char*, unsigned char*, int) {}
void createParticleEngines() {}
void deleteParticleEngines() {}
