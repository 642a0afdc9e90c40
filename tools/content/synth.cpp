// Synthesizer primitives and the 16-bit writer.
#include "synth.h"
#include "content.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

static const int SINE_TABLE_SIZE = 4096;
static const float PI_F = 3.14159265358979f;
static const float FULL_SCALE = 32767.0f;

uint32_t Rng::next()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

float Rng::uniform() { return (next() >> 8) * (1.0f / 16777216.0f); }
float Rng::bipolar() { return uniform() * 2.0f - 1.0f; }

static const std::vector<float>& sineTable()
{
    static std::vector<float> table;
    if (table.empty()) {
        table.resize(SINE_TABLE_SIZE + 1);
        for (int i = 0; i <= SINE_TABLE_SIZE; i++) table[i] = (float)std::sin(2.0 * M_PI * i / SINE_TABLE_SIZE);
    }
    return table;
}

static double wrapCycles(double phase) { return phase - std::floor(phase); }

float sineCycles(double phase)
{
    const std::vector<float>& t = sineTable();
    double pos = wrapCycles(phase) * SINE_TABLE_SIZE;
    int i = (int)pos;
    float frac = (float)(pos - i);
    return t[i] + (t[i + 1] - t[i]) * frac;
}

float midiHz(float note) { return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f); }
int secondsToFrames(float seconds) { return (int)std::lround(seconds * SYNTH_RATE); }

float sawCycles(double phase) { return (float)(2.0 * wrapCycles(phase) - 1.0); }
float squareCycles(double phase, float width) { return wrapCycles(phase) < width ? 1.0f : -1.0f; }
float triangleCycles(double phase)
{
    float p = (float)wrapCycles(phase);
    return p < 0.5f ? 4.0f * p - 1.0f : 3.0f - 4.0f * p;
}

double Osc::step(float hz)
{
    double current = phase;
    phase = wrapCycles(phase + hz / (double)SYNTH_RATE);
    return current;
}

float adsr(float t, float attack, float decay, float sustain, float release, float held)
{
    if (t < 0.0f) return 0.0f;
    auto levelAt = [&](float u) {
        if (u < attack) return u / attack;
        if (u < attack + decay) return 1.0f - (1.0f - sustain) * (u - attack) / decay;
        return sustain;
    };
    if (t < held) return levelAt(t);
    float r = t - held;
    if (r >= release) return 0.0f;
    return levelAt(held) * (1.0f - r / release);
}

float percEnv(float t, float attack, float tau)
{
    if (t < 0.0f) return 0.0f;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / tau);
}

float OnePole::tick(float x, float cutoff)
{
    if (cutoff != hz) {
        hz = cutoff;
        a = 1.0f - std::exp(-2.0f * PI_F * hz / SYNTH_RATE);
    }
    y += a * (x - y);
    return y;
}

void Svf::tick(float x, float cutoff, float q)
{
    if (cutoff != hz) {
        hz = cutoff;
        g = std::tan(PI_F * std::fmin(hz, SYNTH_RATE * 0.45f) / SYNTH_RATE);
    }
    float k = 1.0f / q;
    float a1 = 1.0f / (1.0f + g * (g + k));
    float a2 = g * a1;
    float a3 = g * a2;
    float v3 = x - ic2;
    float v1 = a1 * ic1 + a2 * v3;
    float v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0f * v1 - ic1;
    ic2 = 2.0f * v2 - ic2;
    low = v2;
    band = v1;
    high = x - k * v1 - v2;
}

Wave whiteNoise(int frames, uint32_t seed)
{
    Rng rng(seed);
    Wave w(frames);
    for (float& s : w) s = rng.bipolar();
    return w;
}

void mixInto(Wave& dst, const Wave& src, int offset, float gain, bool wrap)
{
    int n = (int)dst.size();
    for (size_t i = 0; i < src.size(); i++) {
        long at = offset + (long)i;
        if (wrap) at %= n;
        else if (at >= n) break;
        if (at >= 0) dst[at] += src[i] * gain;
    }
}

float peakOf(const Wave& w)
{
    float p = 0.0f;
    for (float s : w) p = std::fmax(p, std::fabs(s));
    return p;
}

float rmsOf(const Wave& w)
{
    double sum = 0.0;
    for (float s : w) sum += (double)s * s;
    return w.empty() ? 0.0f : (float)std::sqrt(sum / w.size());
}

void normalizePeak(Wave& w, float peak)
{
    float p = peakOf(w);
    if (p <= 0.0f) return;
    for (float& s : w) s *= peak / p;
}

void fadeEnds(Wave& w, float inSeconds, float outSeconds)
{
    int n = (int)w.size();
    int in = std::min(n, secondsToFrames(inSeconds));
    int out = std::min(n, secondsToFrames(outSeconds));
    for (int i = 0; i < in; i++) w[i] *= (float)i / in;
    for (int i = 0; i < out; i++) w[n - 1 - i] *= (float)i / out;
}

int writeWave(const std::string& path, const Wave& w, int format)
{
    SF_INFO info = {};
    info.samplerate = SYNTH_RATE;
    info.channels = 1;
    info.format = format | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f) {
        contentError("Can't open %s (%s)", path.c_str(), sf_strerror(nullptr));
        return 1;
    }
    std::vector<short> pcm(w.size());
    for (size_t i = 0; i < w.size(); i++) {
        float s = std::fmax(-1.0f, std::fmin(1.0f, w[i]));
        pcm[i] = (short)std::lround(s * FULL_SCALE);
    }
    sf_count_t written = sf_write_short(f, pcm.data(), (sf_count_t)pcm.size());
    sf_close(f);
    return written == (sf_count_t)pcm.size() ? 0 : 1;
}
