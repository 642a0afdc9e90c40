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
#include "render/SnowParticleEngine.h"
#include "render/graphImage.h"
#include "render/helpanim.h"
#include "track/planLib.h"

// sound
#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"
