#include "sound/SndWrapper.h"

#include <cmath>

#include "sound/fmodmusic.h"

int toSndLevel(float fraction)
{
    int level = (int)std::floor(fraction * SND_MAX_VALUE);
    if (level < 0) return 0;
    return level > SND_MAX_VALUE ? SND_MAX_VALUE : level;
}

int initSndMusicLib() { return initMusicAndSoundLibrary(); }
int shutdownSndMusicLib() { return shutdownMusicAndSoundLibrary(); }
int playTrack(const char* file, float volume) { return openMusic(file, toSndLevel(volume)); }
void stopTrack() { closeMusic(); }

// The pitch is accepted for every sound but not applied.
int wrpPlay(SndSample* sample, float volume, float pan, float pitch, short loop)
{
    if (!soundLibReady || !sample) return -1;
    return soundDevice->play(sample, toSndLevel(volume), toSndLevel(pan), loop);
}

int wrpPlaySound(SndSample* sample, float volume, float pan, float pitch)
{
    return wrpPlay(sample, volume, pan, pitch, 0);
}

int wrpPlaySoundLoop(SndSample* sample, float volume, float pan, float pitch)
{
    return wrpPlay(sample, volume, pan, pitch, 1);
}

void applyEffects(int channel, float volume, float pan, float pitch)
{
    if (!soundLibReady || channel < 0) return;
    soundDevice->setVolume(channel, toSndLevel(volume));
    soundDevice->setPan(channel, toSndLevel(pan));
}

void wrpStop(int channel)
{
    if (soundLibReady && channel >= 0) soundDevice->stop(channel);
}

void wrpPauseAll(short paused)
{
    if (soundLibReady && soundDevice->pauseAll) soundDevice->pauseAll(paused ? 1 : 0);
}
