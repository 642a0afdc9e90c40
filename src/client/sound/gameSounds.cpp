// The sound bank: takes the sample files, returns the samples loaded and freed, the loops started and
// stopped and the levels they are played at.
#include "sound/gameSounds.h"

#include <cstdio>

#include "fileio/gameFolders.h"
#include "sound/SndWrapper.h"

GameSounds gameSounds;

struct SampleFile {
    SndSample* GameSounds::*sample;
    const char* file;
};

static const SampleFile sampleTable[] = {
#define KES_SAMPLE_FILE(name, file) {&GameSounds::name, file},
    KES_GAME_SAMPLES(KES_SAMPLE_FILE)
#undef KES_SAMPLE_FILE
};

void initAllSounds()
{
    if (initSndMusicLib() != 0) return;
    for (const SampleFile& row : sampleTable) {
        std::string path = dataPath(row.file);
        SndSample*& sample = gameSounds.*row.sample;
        sample = soundDevice->sampleLoad(path.c_str());
        if (!sample) printf("Can't open %s\n", path.c_str());
    }
}

void quitAllSounds()
{
    for (const SampleFile& row : sampleTable) {
        SndSample*& sample = gameSounds.*row.sample;
        if (sample) soundDevice->sampleFree(sample);
        sample = nullptr;
    }
    shutdownSndMusicLib();
}

void reinitSoundsParam()
{
    const GameSounds settled;
    GameSounds& g = gameSounds;
    g.volChute = settled.volChute, g.panoChute = settled.panoChute;
    g.volReplace = settled.volReplace, g.panoReplace = settled.panoReplace;
    g.volCollectable = settled.volCollectable, g.panoCollectable = settled.panoCollectable;
    g.volGui = settled.volGui, g.panoGui = settled.panoGui;
    g.volWind = settled.volWind, g.panoWind = settled.panoWind;
}

static const float THEME_VOLUME = 1.0f, GRIND_VOLUME = 1.0f, CENTRE_PAN = 0.5f;

void startTheme() { gameSounds.themeLoopChan = wrpPlayMusicLoop(gameSounds.themeLoopSnd, THEME_VOLUME, CENTRE_PAN); }
void stopTheme() { wrpStop(gameSounds.themeLoopChan); }
void startScoresSnd() { gameSounds.scoresLoopChan = wrpPlayMusicLoop(gameSounds.scoresLoopSnd, THEME_VOLUME, CENTRE_PAN); }
void stopScoresSnd() { wrpStop(gameSounds.scoresLoopChan); }
// One grind loop at a time: a new one never leaves the old one playing on a forgotten channel.
void startGrind()
{
    stopGrind();
    gameSounds.grindRailChan = wrpPlaySoundLoop(gameSounds.grindRailSnd, GRIND_VOLUME, CENTRE_PAN, wrpNormalPitch);
}

void stopGrind()
{
    if (gameSounds.grindRailChan < 0) return;
    wrpStop(gameSounds.grindRailChan);
    gameSounds.grindRailChan = -1;
}
void initSkiSndLoop() { gameSounds.skiLoopChan = wrpPlaySoundLoop(gameSounds.skiLoopSnd, 0.0f, 0.5f, wrpNormalPitch); }
void uninstallSkiSndLoop() { wrpStop(gameSounds.skiLoopChan); }
void initWindLoopSnd() { gameSounds.windLoopChan = wrpPlaySoundLoop(gameSounds.windLoopSnd, gameSounds.volWind, gameSounds.panoWind, wrpNormalPitch); }
void uninstallWindLoopSnd() { wrpStop(gameSounds.windLoopChan); }

void playGuiSound(int which)
{
    wrpPlaySound(which == GUI_BACK ? gameSounds.backSnd : gameSounds.chooseItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
}

// The loops that play on keep their own volumes and follow the new settings now; the hiss and the wind
// are adjusted every run frame anyway, but a muted pause or options screen must be quiet at once.
void applySoundSettings()
{
    applyMusic(gameSounds.themeLoopChan, THEME_VOLUME, CENTRE_PAN);
    applyMusic(gameSounds.scoresLoopChan, THEME_VOLUME, CENTRE_PAN);
    applyTrackVolume();
    if (gameSounds.grindRailChan >= 0) applyEffects(gameSounds.grindRailChan, GRIND_VOLUME, CENTRE_PAN, wrpNormalPitch);
    applyEffects(gameSounds.windLoopChan, gameSounds.volWind, gameSounds.panoWind, wrpNormalPitch);
    applyEffects(gameSounds.skiLoopChan, skiHiss.volume, skiHiss.panoramic, skiHiss.pitch);
}

void toggleMute()
{
    soundSettings.muted = !soundSettings.muted;
    applySoundSettings();
}
