// Starting and stopping the sound library, and the streamed background music.
#pragma once

#include "platform/soundLayer.h"

extern int channel;          // the music channel, -1 when no music plays
extern SndStream* stream;    // the music stream
extern short soundLibReady;  // the library started; every sound call is silent otherwise

int initMusicAndSoundLibrary();           // 0 success, 1 failure (a message, then silence)
int openMusic(const char* file, int volume); // 0 playing, 1 the file cannot be opened
int closeMusic();
int shutdownMusicAndSoundLibrary();
// The message for a sound library error code.
const char* FMOD_ErrorString(int code);
