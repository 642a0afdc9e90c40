// Playing, adjusting and stopping one sample, volumes and pans given as fractions 0.0 to 1.0.
#pragma once

#include "platform/soundLayer.h"

// The player's sound settings: the music and the effects as percents of the volumes the game plays them
// at, and a mute over both. Every sound started or adjusted from here on follows them.
const int SOUND_PERCENT_MAX = 100;
struct SoundSettings {
    int musicPercent = SOUND_PERCENT_MAX;
    int effectsPercent = SOUND_PERCENT_MAX;
    short muted = 0;
};
extern SoundSettings soundSettings;
// The factor a music or an effect volume is multiplied by (0 while muted).
float musicGain();
float effectsGain();

// A fraction turned into the library's 0-255 range: floor(x * 255), clamped.
int toSndLevel(float fraction);

int initSndMusicLib();
int shutdownSndMusicLib();
int playTrack(const char* file, float volume);
void stopTrack();

// Music volume of the streamed track as asked for (before the settings); the stream follows a change at once.
void applyTrackVolume();

// Effects: sounds of the ride and the menus, scaled by effectsGain.
int wrpPlay(SndSample* sample, float volume, float pan, float pitch, short loop);
int wrpPlaySound(SndSample* sample, float volume, float pan, float pitch);
int wrpPlaySoundLoop(SndSample* sample, float volume, float pan, float pitch);
void applyEffects(int channel, float volume, float pan, float pitch);
// Music played from a sample (the menu and score themes), scaled by musicGain.
int wrpPlayMusicLoop(SndSample* sample, float volume, float pan);
void applyMusic(int channel, float volume, float pan);
void wrpStop(int channel);
// Every sound and the music hold (paused 1) or go on (0).
void wrpPauseAll(short paused);
