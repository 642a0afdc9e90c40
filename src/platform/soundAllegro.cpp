// Sound device on Allegro 4's digital mixer, files decoded with libsndfile.
// The music is decoded in small blocks into an Allegro audio stream refilled by an Allegro timer.
#include "platform/soundLayer.h"
#include "platform/soundFile.h"

#include <allegro.h>
#include <sndfile.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

static const int MAX_VOICES = 32;
static const int STREAM_FRAMES = 4096;     // frames per audio-stream buffer
static const int STREAM_REFILL_MS = 20;

struct SndSample {
    SAMPLE* sample;
};

struct SndStream {
    SNDFILE* file;
    SF_INFO info;
    int loop;
    AUDIOSTREAM* audio;
    std::vector<short> block;
};

static int lastError = SND_ERR_UNINITIALIZED;
static bool ready = false;
static int generation[MAX_VOICES]; // channel handle = generation << 8 | voice
static int voiceOf[MAX_VOICES];    // Allegro voice held, -1 when free
static std::mutex streamLock;
static SndStream* playing = nullptr;

static int decodeHandle(int channel)
{
    if (channel < 0) return -1;
    int slot = channel & 0xff;
    if (slot >= MAX_VOICES || (channel >> 8) != generation[slot] || voiceOf[slot] < 0) return -1;
    // A one-shot voice that finished was released by Allegro.
    if (voice_check(voiceOf[slot]) == nullptr) {
        voiceOf[slot] = -1;
        return -1;
    }
    return slot;
}

static int newHandle(int voice)
{
    for (int slot = 0; slot < MAX_VOICES; slot++) {
        if (voiceOf[slot] >= 0 && voice_check(voiceOf[slot]) == nullptr) voiceOf[slot] = -1;
        if (voiceOf[slot] < 0) {
            voiceOf[slot] = voice;
            generation[slot]++;
            return generation[slot] << 8 | slot;
        }
    }
    return -1;
}

static int devInit(int mixRate, int maxChannels)
{
    if (ready) return SND_ERR_NONE;
    if (!system_driver && allegro_init() != 0) return lastError = SND_ERR_INIT;
    reserve_voices(maxChannels, -1);
    set_volume_per_voice(0); // full volume per voice: the game mixes few sounds at once
    if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0) {
        printf("No sound device (%s)\n", allegro_error);
        return lastError = SND_ERR_INIT;
    }
    if (install_timer() != 0) {
        remove_sound();
        return lastError = SND_ERR_INIT;
    }
    for (int i = 0; i < MAX_VOICES; i++) { voiceOf[i] = -1; generation[i] = 1; }
    ready = true;
    return lastError = SND_ERR_NONE;
}

static void devStreamClose(SndStream* s);

static void devClose()
{
    if (!ready) return;
    devStreamClose(playing);
    for (int i = 0; i < MAX_VOICES; i++)
        if (voiceOf[i] >= 0 && voice_check(voiceOf[i])) deallocate_voice(voiceOf[i]);
    remove_sound();
    ready = false;
    lastError = SND_ERR_UNINITIALIZED;
}

static int devGetError() { return lastError; }

static SndSample* devSampleLoad(const char* file)
{
    if (!ready) { lastError = SND_ERR_UNINITIALIZED; return nullptr; }
    SF_INFO info;
    SNDFILE* f = openSoundFile(file, &info, true);
    if (!f) { lastError = SND_ERR_FILE_FORMAT; return nullptr; }
    SAMPLE* s = create_sample(16, 0, info.samplerate, (int)info.frames);
    if (!s) {
        sf_close(f);
        lastError = SND_ERR_MEMORY;
        return nullptr;
    }
    std::vector<short> frames;
    int got = readMonoFrames(f, info, frames, (unsigned short*)s->data, (int)info.frames);
    sf_close(f);
    s->len = got > 0 ? got : 1;
    s->loop_end = s->len;
    return new SndSample{s};
}

static void devSampleFree(SndSample* sample)
{
    if (!sample) return;
    for (int i = 0; i < MAX_VOICES; i++)
        if (voiceOf[i] >= 0 && voice_check(voiceOf[i]) == sample->sample) {
            deallocate_voice(voiceOf[i]);
            voiceOf[i] = -1;
        }
    destroy_sample(sample->sample);
    delete sample;
}

static int devPlay(SndSample* sample, int vol, int pan, int loop)
{
    if (!ready || !sample) return -1;
    int voice = allocate_voice(sample->sample);
    if (voice < 0) { lastError = SND_ERR_CHANNEL_ALLOC; return -1; }
    voice_set_volume(voice, vol);
    voice_set_pan(voice, pan);
    voice_set_playmode(voice, loop ? PLAYMODE_LOOP : PLAYMODE_PLAY);
    int handle = newHandle(voice);
    if (handle < 0) {
        deallocate_voice(voice);
        lastError = SND_ERR_CHANNEL_ALLOC;
        return -1;
    }
    voice_start(voice);
    // Allegro frees a released voice when it ends: one-shots need no stop.
    if (!loop) release_voice(voice);
    return handle;
}

static void setStreamVolume(int vol);

static void devSetVolume(int channel, int vol)
{
    if (channel == MAX_VOICES) {
        setStreamVolume(vol); // the music's own channel
        return;
    }
    int slot = decodeHandle(channel);
    if (slot >= 0) voice_set_volume(voiceOf[slot], vol);
}

static void devSetPan(int channel, int pan)
{
    int slot = decodeHandle(channel);
    if (slot >= 0) voice_set_pan(voiceOf[slot], pan);
}

static void devStop(int channel)
{
    int slot = decodeHandle(channel);
    if (slot < 0) return;
    deallocate_voice(voiceOf[slot]);
    voiceOf[slot] = -1;
}

// Timer callback: fills the stream's free buffer, rewinding at the end when looping.
static void refillStream()
{
    std::lock_guard<std::mutex> hold(streamLock);
    SndStream* s = playing;
    if (!s || !s->audio) return;
    unsigned short* buffer = (unsigned short*)get_audio_stream_buffer(s->audio);
    if (!buffer) return;
    int filled = 0;
    while (filled < STREAM_FRAMES) {
        int got = readMonoFrames(s->file, s->info, s->block, buffer + filled, STREAM_FRAMES - filled);
        if (got == 0) {
            if (!s->loop) break;
            if (sf_seek(s->file, 0, SEEK_SET) < 0) break;
            got = readMonoFrames(s->file, s->info, s->block, buffer + filled, STREAM_FRAMES - filled);
            if (got == 0) break;
        }
        filled += got;
    }
    for (; filled < STREAM_FRAMES; filled++) buffer[filled] = 0x8000;
    free_audio_stream_buffer(s->audio);
}
END_OF_STATIC_FUNCTION(refillStream)

static void setStreamVolume(int vol)
{
    std::lock_guard<std::mutex> hold(streamLock);
    if (playing && playing->audio) voice_set_volume(playing->audio->voice, vol);
}

static SndStream* devStreamOpen(const char* file, int loop)
{
    if (!ready) { lastError = SND_ERR_UNINITIALIZED; return nullptr; }
    SndStream* s = new SndStream();
    s->file = openSoundFile(file, &s->info, false);
    if (!s->file) {
        lastError = SND_ERR_FILE_FORMAT;
        delete s;
        return nullptr;
    }
    s->loop = loop;
    s->audio = nullptr;
    return s;
}

static int devStreamPlay(SndStream* s, int vol)
{
    if (!ready || !s) return -1;
    std::lock_guard<std::mutex> hold(streamLock);
    if (playing) { lastError = SND_ERR_PLAY; return -1; }
    s->audio = play_audio_stream(STREAM_FRAMES, 16, FALSE, s->info.samplerate, vol, SND_CENTRE_PAN);
    if (!s->audio) { lastError = SND_ERR_PLAY; return -1; }
    playing = s;
    install_int(refillStream, STREAM_REFILL_MS);
    return MAX_VOICES; // the music is not on a sample voice
}

static void devStreamClose(SndStream* s)
{
    if (!s) return;
    if (s == playing) {
        remove_int(refillStream);
        std::lock_guard<std::mutex> hold(streamLock);
        stop_audio_stream(s->audio);
        playing = nullptr;
    }
    sf_close(s->file);
    delete s;
}

// A stopped voice keeps its place and a paused stream takes no new blocks, so both go on where they were.
// A stopped one-shot looks finished to voice_check, so the voices held are remembered for the restart.
static int heldVoices[MAX_VOICES];
static int heldCount = 0;

static void devPauseAll(int paused)
{
    if (!ready) return;
    if (paused && heldCount == 0) {
        for (int i = 0; i < MAX_VOICES; i++)
            if (voiceOf[i] >= 0 && voice_check(voiceOf[i]) != nullptr) {
                voice_stop(voiceOf[i]);
                heldVoices[heldCount++] = voiceOf[i];
            }
    } else if (!paused) {
        for (int i = 0; i < heldCount; i++) voice_start(heldVoices[i]);
        heldCount = 0;
    }
    std::lock_guard<std::mutex> hold(streamLock);
    if (playing && playing->audio) {
        if (paused) voice_stop(playing->audio->voice);
        else voice_start(playing->audio->voice);
    }
}

static const SoundDevice allegroDevice = {devInit,     devClose,  devGetError,  devSampleLoad,  devSampleFree,
                                          devPlay,     devSetVolume, devSetPan, devStop,        devStreamOpen,
                                          devStreamPlay, devStreamClose, devPauseAll};

const SoundDevice* allegroSoundDevice() { return &allegroDevice; }
