#include "sound/fmodmusic.h"

#include <cstdio>

static const int MIX_RATE = 44100;
static const int MAX_CHANNELS = 32;

int channel = -1;
SndStream* stream = nullptr;
short soundLibReady = 0;

static const char* const errorStrings[] = {
    "No errors",
    "Cannot call this command after FSOUND_Init.  Call FSOUND_Close first.",
    "This command failed because FSOUND_Init was not called",
    "Error initializing output device.",
    "The output device is already in use and cannot be reused.",
    "Playing the sound failed.",
    "Soundcard does not support the features needed for this soundsystem (16bit stereo output)",
    "Error setting cooperative level for hardware.",
    "Error creating hardware sound buffer.",
    "File not found",
    "Unknown file format",
    "Error loading file",
    "Not enough memory",
    "The version number of this file format is not supported",
    "An invalid parameter was passed to this function",
    "Tried to use an EAX command on a non EAX enabled channel or output.",
    "Failed to allocate a new channel",
    "Recording not supported on this device",
    "Required Mediaplayer codec is not installed",
};

const char* FMOD_ErrorString(int code)
{
    if (code < 0 || code >= (int)(sizeof errorStrings / sizeof errorStrings[0])) return "Unknown error";
    return errorStrings[code];
}

static void printError(const char* what)
{
    printf("%s: %s\n", what, FMOD_ErrorString(soundDevice->getError()));
}

int initMusicAndSoundLibrary()
{
    if (soundDevice->init(MIX_RATE, MAX_CHANNELS) != SND_ERR_NONE) {
        // No device: the game goes on silently, every later call does nothing.
        printError("No sound");
        soundDevice->close();
        soundLibReady = 0;
        return 1;
    }
    soundLibReady = 1;
    return 0;
}

int openMusic(const char* file, int volume)
{
    if (!soundLibReady) return 1;
    SndStream* opened = soundDevice->streamOpen(file, 1);
    if (!opened) {
        // Only the music is lost: the samples keep playing.
        char what[300];
        snprintf(what, sizeof what, "Music %.256s not played", file);
        printError(what);
        return 1;
    }
    if (channel >= 0) {
        // A music is already playing: it stays (stopTrack comes before the next one).
        soundDevice->streamClose(opened);
        return 0;
    }
    stream = opened;
    printf("Playing stream...\n\n");
    printf("Name      : %s\n", file);
    channel = soundDevice->streamPlay(stream, volume);
    return 0;
}

int closeMusic()
{
    channel = -1;
    if (stream) soundDevice->streamClose(stream);
    stream = nullptr;
    return 0;
}

int shutdownMusicAndSoundLibrary()
{
    closeMusic();
    soundDevice->close();
    soundLibReady = 0;
    return 0;
}
