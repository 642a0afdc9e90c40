// Playing, adjusting and stopping one sample, volumes and pans given as fractions 0.0 to 1.0.
#pragma once

#include "platform/soundLayer.h"

// A fraction turned into the library's 0-255 range: floor(x * 255), clamped.
int toSndLevel(float fraction);

int initSndMusicLib();
int shutdownSndMusicLib();
int playTrack(const char* file, float volume);
void stopTrack();

int wrpPlay(SndSample* sample, float volume, float pan, float pitch, short loop);
int wrpPlaySound(SndSample* sample, float volume, float pan, float pitch);
int wrpPlaySoundLoop(SndSample* sample, float volume, float pan, float pitch);
void applyEffects(int channel, float volume, float pan, float pitch);
void wrpStop(int channel);
// Every sound and the music hold (paused 1) or go on (0).
void wrpPauseAll(short paused);
