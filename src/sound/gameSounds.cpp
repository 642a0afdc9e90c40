#include "sound/gameSounds.h"

#include <cstdio>

#include "fileio/gameFolders.h"
#include "sound/SndWrapper.h"

SndSample* selectItemSnd = nullptr;
SndSample* chooseItemSnd = nullptr;
SndSample* backSnd = nullptr;
SndSample* skiLoopSnd = nullptr;
SndSample* landingSnd = nullptr;
SndSample* fallSnd = nullptr;
SndSample* bonusSnd = nullptr;
SndSample* replaceSnd = nullptr;
SndSample* themeLoopSnd = nullptr;
SndSample* scoresLoopSnd = nullptr;
SndSample* rocketLaunchSnd = nullptr;
SndSample* rocketExplodeSnd = nullptr;
SndSample* grindRailSnd = nullptr;
SndSample* clingRailSnd = nullptr;
SndSample* windLoopSnd = nullptr;
SndSample* boostSnd = nullptr;

float volChute = 1.0f, panoChute = 0.5f;
float volReplace = 0.8f, panoReplace = 0.5f;
float volCollectable = 0.8f, panoCollectable = 0.5f;
float volGui = 0.8f, panoGui = 0.5f;
float volWind = 0.2f, panoWind = 0.5f;
float wrpNormalPitch = 1.0f;

int skiLoopChan = -1, themeLoopChan = -1, scoresLoopChan = -1, grindRailChan = -1, windLoopChan = -1;

struct SampleFile {
    SndSample** sample;
    const char* file;
};

static const SampleFile sampleTable[] = {
    {&selectItemSnd, "sounds/gui/select135.aif"},
    {&chooseItemSnd, "sounds/gui/enter134.aif"},
    {&backSnd, "sounds/gui/back136.aif"},
    {&skiLoopSnd, "sounds/game/skiloop129.aif"},
    {&landingSnd, "sounds/game/landing130.aif"},
    {&fallSnd, "sounds/game/crash131.aif"},
    {&bonusSnd, "sounds/game/bonus132.aif"},
    {&replaceSnd, "sounds/game/replace133.aif"},
    {&themeLoopSnd, "sounds/themes/kestruneintro128.aif"},
    {&scoresLoopSnd, "sounds/themes/ostyle137.aif"},
    {&rocketLaunchSnd, "sounds/game/rocketLaunch.aif"},
    {&rocketExplodeSnd, "sounds/game/rocketExplode.aif"},
    {&grindRailSnd, "sounds/game/grindRail.aif"},
    {&clingRailSnd, "sounds/game/clingRail.aif"},
    {&windLoopSnd, "sounds/game/wind.aif"},
    {&boostSnd, "sounds/game/boost.aif"},
};

void initAllSounds()
{
    if (initSndMusicLib() != 0) return;
    for (const SampleFile& row : sampleTable) {
        std::string path = dataPath(row.file);
        *row.sample = soundDevice->sampleLoad(path.c_str());
        if (!*row.sample) printf("Can't open %s\n", path.c_str());
    }
}

void quitAllSounds()
{
    for (const SampleFile& row : sampleTable) {
        if (*row.sample) soundDevice->sampleFree(*row.sample);
        *row.sample = nullptr;
    }
    shutdownSndMusicLib();
}

void reinitSoundsParam()
{
    volChute = 1.0f, panoChute = 0.5f;
    volReplace = 0.8f, panoReplace = 0.5f;
    volCollectable = 0.8f, panoCollectable = 0.5f;
    volGui = 0.8f, panoGui = 0.5f;
    volWind = 0.2f, panoWind = 0.5f;
}

static const float THEME_VOLUME = 1.0f, GRIND_VOLUME = 1.0f, CENTRE_PAN = 0.5f;

void startTheme() { themeLoopChan = wrpPlayMusicLoop(themeLoopSnd, THEME_VOLUME, CENTRE_PAN); }
void stopTheme() { wrpStop(themeLoopChan); }
void startScoresSnd() { scoresLoopChan = wrpPlayMusicLoop(scoresLoopSnd, THEME_VOLUME, CENTRE_PAN); }
void stopScoresSnd() { wrpStop(scoresLoopChan); }
// One grind loop at a time: a new one never leaves the old one playing on a forgotten channel.
void startGrind()
{
    stopGrind();
    grindRailChan = wrpPlaySoundLoop(grindRailSnd, GRIND_VOLUME, CENTRE_PAN, wrpNormalPitch);
}

void stopGrind()
{
    if (grindRailChan < 0) return;
    wrpStop(grindRailChan);
    grindRailChan = -1;
}
void initSkiSndLoop() { skiLoopChan = wrpPlaySoundLoop(skiLoopSnd, 0.0f, 0.5f, wrpNormalPitch); }
void uninstallSkiSndLoop() { wrpStop(skiLoopChan); }
void initWindLoopSnd() { windLoopChan = wrpPlaySoundLoop(windLoopSnd, volWind, panoWind, wrpNormalPitch); }
void uninstallWindLoopSnd() { wrpStop(windLoopChan); }

void playGuiSound(int which)
{
    wrpPlaySound(which == GUI_BACK ? backSnd : chooseItemSnd, volGui, panoGui, wrpNormalPitch);
}

// The loops that play on keep their own volumes and follow the new settings now; the hiss and the wind
// are adjusted every run frame anyway, but a muted pause or options screen must be quiet at once.
void applySoundSettings()
{
    applyMusic(themeLoopChan, THEME_VOLUME, CENTRE_PAN);
    applyMusic(scoresLoopChan, THEME_VOLUME, CENTRE_PAN);
    applyTrackVolume();
    if (grindRailChan >= 0) applyEffects(grindRailChan, GRIND_VOLUME, CENTRE_PAN, wrpNormalPitch);
    applyEffects(windLoopChan, volWind, panoWind, wrpNormalPitch);
    applyEffects(skiLoopChan, volume, panoramic, pitch);
}

void toggleMute()
{
    soundSettings.muted = !soundSettings.muted;
    applySoundSettings();
}
