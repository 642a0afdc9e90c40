#include "sound/SndWrapper.h"

#include <cmath>

#include "sound/fmodmusic.h"

SoundSettings soundSettings;
static float trackVolume = 0.0f; // the streamed music's volume before the settings

static float percentGain(int percent)
{
    if (soundSettings.muted || percent <= 0) return 0.0f;
    return percent >= SOUND_PERCENT_MAX ? 1.0f : percent / (float)SOUND_PERCENT_MAX;
}

float musicGain() { return percentGain(soundSettings.musicPercent); }
float effectsGain() { return percentGain(soundSettings.effectsPercent); }

int toSndLevel(float fraction)
{
    int level = (int)std::floor(fraction * SND_MAX_VALUE);
    if (level < 0) return 0;
    return level > SND_MAX_VALUE ? SND_MAX_VALUE : level;
}

int initSndMusicLib() { return initMusicAndSoundLibrary(); }
int shutdownSndMusicLib() { return shutdownMusicAndSoundLibrary(); }
int playTrack(const char* file, float volume)
{
    trackVolume = volume;
    return openMusic(file, toSndLevel(volume * musicGain()));
}

void applyTrackVolume()
{
    if (soundLibReady && channel >= 0) soundDevice->setVolume(channel, toSndLevel(trackVolume * musicGain()));
}
void stopTrack() { closeMusic(); }

// The pitch is accepted for every sound but not applied.
int wrpPlay(SndSample* sample, float volume, float pan, float pitch, short loop)
{
    if (!soundLibReady || !sample) return -1;
    return soundDevice->play(sample, toSndLevel(volume * effectsGain()), toSndLevel(pan), loop);
}

int wrpPlayMusicLoop(SndSample* sample, float volume, float pan)
{
    if (!soundLibReady || !sample) return -1;
    return soundDevice->play(sample, toSndLevel(volume * musicGain()), toSndLevel(pan), 1);
}

static void setLevels(int channel, float volume, float pan)
{
    if (!soundLibReady || channel < 0) return;
    soundDevice->setVolume(channel, toSndLevel(volume));
    soundDevice->setPan(channel, toSndLevel(pan));
}

void applyMusic(int channel, float volume, float pan) { setLevels(channel, volume * musicGain(), pan); }

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
    setLevels(channel, volume * effectsGain(), pan);
}

void wrpStop(int channel)
{
    if (soundLibReady && channel >= 0) soundDevice->stop(channel);
}

void wrpPauseAll(short paused)
{
    if (soundLibReady && soundDevice->pauseAll) soundDevice->pauseAll(paused ? 1 : 0);
}
