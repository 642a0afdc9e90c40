// The game's sound bank: the samples, their volume and pan settings and the continuous loops.
#pragma once

#include "platform/soundLayer.h"

// The game's samples with their files under the data folder: the one list the bank, its loading
// and its release are made from.
#define KES_GAME_SAMPLES(X)                                                                        \
    X(selectItemSnd, "sounds/gui/select135.aif")                                                   \
    X(chooseItemSnd, "sounds/gui/enter134.aif")                                                    \
    X(backSnd, "sounds/gui/back136.aif")                                                           \
    X(skiLoopSnd, "sounds/game/skiloop129.aif")                                                    \
    X(landingSnd, "sounds/game/landing130.aif")                                                    \
    X(fallSnd, "sounds/game/crash131.aif")                                                         \
    X(bonusSnd, "sounds/game/bonus132.aif")                                                        \
    X(replaceSnd, "sounds/game/replace133.aif")                                                    \
    X(themeLoopSnd, "sounds/themes/kestruneintro128.aif")                                          \
    X(scoresLoopSnd, "sounds/themes/ostyle137.aif")                                                \
    X(rocketLaunchSnd, "sounds/game/rocketLaunch.aif")                                             \
    X(rocketExplodeSnd, "sounds/game/rocketExplode.aif")                                           \
    X(grindRailSnd, "sounds/game/grindRail.aif")                                                   \
    X(clingRailSnd, "sounds/game/clingRail.aif")                                                   \
    X(windLoopSnd, "sounds/game/wind.aif")                                                         \
    X(boostSnd, "sounds/game/boost.aif")

const float wrpNormalPitch = 1.0f;

// The sound bank: the samples (nullptr when not loaded), the volume and pan each kind of sound is
// played at, and the channels of the loops playing (-1 for none).
struct GameSounds {
#define KES_SAMPLE_MEMBER(name, file) SndSample* name = nullptr;
    KES_GAME_SAMPLES(KES_SAMPLE_MEMBER)
#undef KES_SAMPLE_MEMBER
    float volChute = 1.0f, panoChute = 0.5f;
    float volReplace = 0.8f, panoReplace = 0.5f;
    float volCollectable = 0.8f, panoCollectable = 0.5f;
    float volGui = 0.8f, panoGui = 0.5f;
    float volWind = 0.2f, panoWind = 0.5f;  // the wind's volume follows the flight
    int skiLoopChan = -1, themeLoopChan = -1, scoresLoopChan = -1, grindRailChan = -1, windLoopChan = -1;
};
extern GameSounds gameSounds;

// The ski hiss's state: its volume and pan follow the ride frame by frame.
struct SkiHiss {
    float volume = 0.0f;
    float panoramic = 0.0f;
    float pitch = 1.0f;
    int sensVol = 1;   // which way the pan moved last: 1 or -1
    int lastSide = 0;  // the side of the last turn: 0 left, 1 right
};
extern SkiHiss skiHiss;

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
