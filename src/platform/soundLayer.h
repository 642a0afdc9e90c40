// The game's own small sound library: samples on voices with a 0-255 volume and pan, looped or once,
// and one streamed music. The backend is swappable so tests can record what the game asks for.
#pragma once

struct SndSample;
struct SndStream;

// Error codes, numbered as the error strings of the sound bank (soundErrorString).
enum SndError {
    SND_ERR_NONE = 0,
    SND_ERR_UNINITIALIZED = 2,
    SND_ERR_INIT = 3,
    SND_ERR_PLAY = 5,
    SND_ERR_FILE_NOTFOUND = 9,
    SND_ERR_FILE_FORMAT = 10,
    SND_ERR_FILE_BAD = 11,
    SND_ERR_MEMORY = 12,
    SND_ERR_INVALID_PARAM = 14,
    SND_ERR_CHANNEL_ALLOC = 16
};

const int SND_MAX_VALUE = 255;   // full volume, rightmost pan
const int SND_CENTRE_PAN = 127;

// What a backend provides. Channel handles are >= 0 and go stale once their voice is stopped or
// has finished; calls on a stale or negative handle do nothing. A null sample or stream plays nothing.
struct SoundDevice {
    int (*init)(int mixRate, int maxChannels);          // 0 on success, else an SndError
    void (*close)();
    int (*getError)();                                  // the last error
    SndSample* (*sampleLoad)(const char* file);         // null when it cannot be loaded
    void (*sampleFree)(SndSample* sample);
    int (*play)(SndSample* sample, int volume, int pan, int loop); // channel, or -1
    void (*setVolume)(int channel, int volume);
    void (*setPan)(int channel, int pan);
    void (*stop)(int channel);
    SndStream* (*streamOpen)(const char* file, int loop); // null when it cannot be opened
    int (*streamPlay)(SndStream* stream, int volume);   // channel, or -1
    void (*streamClose)(SndStream* stream);
    void (*pauseAll)(int paused); // 1: every voice and the music hold where they are; 0: they go on
};

// The device every sound call goes to (the Allegro one unless a test swapped it).
extern const SoundDevice* soundDevice;
const SoundDevice* allegroSoundDevice();
// Installs another device (tests); null puts the Allegro one back.
void setSoundDevice(const SoundDevice* device);
