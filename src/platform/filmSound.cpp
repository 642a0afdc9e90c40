// Takes the game's sound calls during a film; gives the mix of its voices and music, frame by frame,
// at the film's sound rate, with no sound card involved.
#include "platform/filmSound.h"

#include <sndfile.h>

#include <cmath>
#include <vector>

#include "platform/soundFile.h"

static const int MAX_VOICES = 32;       // as the game's own mixer
static const int MUSIC_CHANNEL = 1 << 20;  // the music's handle, apart from the voices'
static const int MUSIC_BLOCK = 4096;    // music frames decoded at a time

struct SndSample {
    std::vector<short> frames;  // mono, signed
    int rate;
};

struct SndStream {
    SNDFILE* file;
    SF_INFO info;
    int loop;
    std::vector<short> block;   // decoded, mono signed
    std::vector<unsigned short> raw;
    std::vector<short> scratch;
    size_t at = 0;              // in block
    double step = 1, part = 0;  // source frames a mixed frame, and the fraction past `at`
    int volume = 0;
    short ended = 0;
};

struct Voice {
    const SndSample* sample = nullptr;
    double at = 0, step = 1;
    int volume = 0, pan = SND_CENTRE_PAN, loop = 0;
    int generation = 1;
};

static Voice voices[MAX_VOICES];
static SndStream* music = nullptr;
static int lastError = SND_ERR_NONE;

static int devInit(int, int)
{
    silenceFilmSound();
    return lastError = SND_ERR_NONE;
}

static void devClose() { silenceFilmSound(); }
static int devGetError() { return lastError; }

static void toSigned(const std::vector<unsigned short>& raw, int count, std::vector<short>& out)
{
    out.resize((size_t)count);
    for (int i = 0; i < count; i++) out[i] = (short)(raw[i] ^ 0x8000);
}

static SndSample* devSampleLoad(const char* file)
{
    SF_INFO info;
    SNDFILE* f = openSoundFile(file, &info, true);
    if (!f) {
        lastError = SND_ERR_FILE_FORMAT;
        return nullptr;
    }
    std::vector<unsigned short> raw((size_t)info.frames);
    std::vector<short> scratch;
    int got = readMonoFrames(f, info, scratch, raw.data(), (int)info.frames);
    sf_close(f);
    SndSample* s = new SndSample();
    toSigned(raw, got, s->frames);
    s->rate = info.samplerate;
    return s;
}

static Voice* voiceOf(int channel)
{
    if (channel < 0) return nullptr;
    int slot = channel & 0xff;
    if (slot >= MAX_VOICES || (channel >> 8) != voices[slot].generation || !voices[slot].sample) return nullptr;
    return &voices[slot];
}

static void devSampleFree(SndSample* sample)
{
    for (Voice& v : voices)
        if (v.sample == sample) v.sample = nullptr;
    delete sample;
}

static int devPlay(SndSample* sample, int volume, int pan, int loop)
{
    if (!sample || sample->frames.empty()) return -1;
    for (int slot = 0; slot < MAX_VOICES; slot++) {
        Voice& v = voices[slot];
        if (v.sample) continue;
        v.sample = sample;
        v.at = 0;
        v.step = (double)sample->rate / filmSoundRate;
        v.volume = volume, v.pan = pan, v.loop = loop;
        v.generation++;
        return v.generation << 8 | slot;
    }
    lastError = SND_ERR_CHANNEL_ALLOC;
    return -1;
}

static void devSetVolume(int channel, int volume)
{
    if (channel == MUSIC_CHANNEL && music) music->volume = volume;
    if (Voice* v = voiceOf(channel)) v->volume = volume;
}

static void devSetPan(int channel, int pan)
{
    if (Voice* v = voiceOf(channel)) v->pan = pan;
}

static void devStop(int channel)
{
    if (Voice* v = voiceOf(channel)) v->sample = nullptr;
}

static SndStream* devStreamOpen(const char* file, int loop)
{
    SndStream* s = new SndStream();
    s->file = openSoundFile(file, &s->info, false);
    if (!s->file) {
        lastError = SND_ERR_FILE_FORMAT;
        delete s;
        return nullptr;
    }
    s->loop = loop;
    s->step = (double)s->info.samplerate / filmSoundRate;
    return s;
}

static int devStreamPlay(SndStream* s, int volume)
{
    if (!s || music) {
        lastError = SND_ERR_PLAY;
        return -1;
    }
    s->volume = volume;
    music = s;
    return MUSIC_CHANNEL;
}

static void devStreamClose(SndStream* s)
{
    if (!s) return;
    if (s == music) music = nullptr;
    sf_close(s->file);
    delete s;
}

static void devPauseAll(int) {}

static const SoundDevice filmDevice = {devInit,       devClose,       devGetError, devSampleLoad, devSampleFree,
                                       devPlay,       devSetVolume,   devSetPan,   devStop,       devStreamOpen,
                                       devStreamPlay, devStreamClose, devPauseAll};

const SoundDevice* filmSoundDevice() { return &filmDevice; }

void silenceFilmSound()
{
    for (Voice& v : voices) v.sample = nullptr;
    music = nullptr;  // the game closes its stream itself
}

int filmVoicesSounding()
{
    int n = music ? 1 : 0;
    for (const Voice& v : voices) n += v.sample ? 1 : 0;
    return n;
}

// The share of a voice each side gets: full in the middle, fading out toward the other side.
static void panGains(int volume, int pan, float* left, float* right)
{
    float v = volume / (float)SND_MAX_VALUE;
    float l = 2.0f * (SND_MAX_VALUE - pan) / SND_MAX_VALUE, r = 2.0f * pan / SND_MAX_VALUE;
    *left = v * (l > 1 ? 1 : l);
    *right = v * (r > 1 ? 1 : r);
}

static void mixVoice(Voice& v, float* mix, long frames)
{
    float gl, gr;
    panGains(v.volume, v.pan, &gl, &gr);
    const std::vector<short>& src = v.sample->frames;
    double length = (double)src.size();
    for (long i = 0; i < frames; i++) {
        if (v.at >= length) {
            if (!v.loop) {
                v.sample = nullptr;  // a one-shot that ended frees its voice
                return;
            }
            v.at = std::fmod(v.at, length);
        }
        float s = src[(size_t)v.at];
        mix[2 * i] += s * gl;
        mix[2 * i + 1] += s * gr;
        v.at += v.step;
    }
}

// The music's next source frame, decoding a block when the last one is used up; false at its end.
static bool nextMusicFrame(SndStream& s, short* out)
{
    while (s.at >= s.block.size()) {
        if (s.ended) return false;
        s.raw.resize(MUSIC_BLOCK);
        int got = readMonoFrames(s.file, s.info, s.scratch, s.raw.data(), MUSIC_BLOCK);
        if (got == 0 && s.loop && sf_seek(s.file, 0, SEEK_SET) >= 0)
            got = readMonoFrames(s.file, s.info, s.scratch, s.raw.data(), MUSIC_BLOCK);
        if (got == 0) {
            s.ended = 1;
            return false;
        }
        toSigned(s.raw, got, s.block);
        s.at = 0;
    }
    *out = s.block[s.at];
    return true;
}

static void mixMusic(SndStream& s, float* mix, long frames)
{
    float gl, gr;
    panGains(s.volume, SND_CENTRE_PAN, &gl, &gr);
    for (long i = 0; i < frames; i++) {
        short v;
        if (!nextMusicFrame(s, &v)) return;
        mix[2 * i] += v * gl;
        mix[2 * i + 1] += v * gr;
        s.part += s.step;
        s.at += (size_t)s.part;
        s.part -= (long)s.part;
    }
}

void mixFilmSound(short* out, long frames)
{
    std::vector<float> mix((size_t)frames * filmSoundChannels, 0.0f);
    for (Voice& v : voices)
        if (v.sample) mixVoice(v, mix.data(), frames);
    if (music) mixMusic(*music, mix.data(), frames);
    for (size_t i = 0; i < mix.size(); i++) {
        float s = mix[i];
        out[i] = (short)(s > 32767 ? 32767 : s < -32768 ? -32768 : s);
    }
}
