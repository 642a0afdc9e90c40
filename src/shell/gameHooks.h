// What the game loop calls in the other modules, until their own headers take over these lines.
#pragma once

// front-end screens and score table
#include "screens/screens.h"

// run
#include "run/runFrame.h"
#include "run/runState.h"
#include "run/trickInput.h"


// skier
#include "skier/Generic3dObject.h"
#include "skier/positionDef.h"
#include "skier/skierCar.h"

// render
void initGuiGL();
void initGL(const char* trackName);
void libereTexturesTrackStuff();
#include "track/planLib.h"
extern unsigned int texName[40];
void chargerImageTexPtrSized(const char* fileName, unsigned char* out, int bytes);
void createParticleEngines();
void deleteParticleEngines();

// sound
#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"
