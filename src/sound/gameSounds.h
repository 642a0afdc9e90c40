// The game's sound bank: the samples, their volume and pan settings and the continuous loops.
#pragma once

#include "platform/soundLayer.h"

extern SndSample* selectItemSnd;
extern SndSample* chooseItemSnd;
extern SndSample* backSnd;
extern SndSample* skiLoopSnd;
extern SndSample* landingSnd;
extern SndSample* fallSnd;
extern SndSample* bonusSnd;
extern SndSample* replaceSnd;
extern SndSample* themeLoopSnd;
extern SndSample* scoresLoopSnd;
extern SndSample* rocketLaunchSnd;
extern SndSample* rocketExplodeSnd;
extern SndSample* grindRailSnd;
extern SndSample* clingRailSnd;
extern SndSample* windLoopSnd;
extern SndSample* boostSnd;

extern float volChute, panoChute;
extern float volReplace, panoReplace;
extern float volCollectable, panoCollectable;
extern float volGui, panoGui;
extern float volWind, panoWind;
extern float wrpNormalPitch;

// Ski hiss state.
extern float volume;
extern float panoramic;
extern float pitch;
extern float volIni;
extern int sensVol;
extern int lastSide;

extern int skiLoopChan, themeLoopChan, scoresLoopChan, grindRailChan, windLoopChan;

void initAllSounds();
void quitAllSounds();
void reinitSoundsParam();

void startTheme();
void stopTheme();
void startScoresSnd();
void stopScoresSnd();
void startGrind();
void stopGrind();
void initSkiSndLoop();
void uninstallSkiSndLoop();
void initWindLoopSnd();
void uninstallWindLoopSnd();

// After a change of soundSettings: the loops and the music playing now take it.
void applySoundSettings();
// M: mute on or off, at once.
void toggleMute();

// Menu clicks for the game loop: GUI_BACK plays backSnd, GUI_CHOOSE chooseItemSnd.
enum { GUI_BACK, GUI_CHOOSE };
void playGuiSound(int which);

// Per run frame, after displayGame.
void handleSkiSndLoop();
void handleWindLoopSnd();
// The same rules on explicit inputs: speed fraction |v / vMax| (0 when stopped), ground contact and
// the turn keys held; and height now and last frame for the wind.
void stepSkiSndLoop(float speedFraction, int contact, int turningLeft, int turningRight);
void stepWindLoopSnd(int contact, float height, float previousHeight);
