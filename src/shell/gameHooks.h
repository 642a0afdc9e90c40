// What the game loop calls in the other modules, until their own headers take over these lines.
#pragma once

// front-end screens and score table
void introLogo(unsigned char* logo);
void choixHome();
void ecranHelp();
void ecranCredits();
void ecranOptions();
void choixSkier();
void choixPiste(short runRequested);
void typeName();
void viewScores();
void displayWait(const char* message);
void initEmptyScores();
extern short vuScores;

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
extern float volume;
enum { GUI_BACK, GUI_CHOOSE };
void playGuiSound(int which);
void reinitSoundsParam();
void initAllSounds();
void quitAllSounds();
void startTheme();
void stopTheme();
void startScoresSnd();
int playTrack(const char* file, float volume);
void stopTrack();
void handleWindLoopSnd();
void handleSkiSndLoop();
void uninstallSkiSndLoop();
void uninstallWindLoopSnd();
