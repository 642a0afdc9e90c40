// A sound device that plays nothing aloud: it mixes what the game asks for (samples on voices with
// their volume and pan, looped or once, and the streamed music) into stereo 16-bit frames on demand,
// so that a film's sound is made off-line, as fast as its pictures and in step with them.
#pragma once

#include "platform/soundLayer.h"

const int filmSoundRate = 44100;
const int filmSoundChannels = 2;

const SoundDevice* filmSoundDevice();
// The next `frames` frames of the mix (left, right interleaved), the voices moved on by as much.
void mixFilmSound(short* out, long frames);
// Every voice and the music stopped (the device itself stays).
void silenceFilmSound();
// Voices sounding now, the music counted (tests).
int filmVoicesSounding();
