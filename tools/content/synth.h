// The content tool's small synthesizer: oscillators, noise, envelopes, filters and loop-safe processing.
// Everything is deterministic: the same calls give the same samples on every run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

const int SYNTH_RATE = 44100;

// Mono samples in [-1, 1] at SYNTH_RATE.
typedef std::vector<float> Wave;

// xorshift32: the only randomness of the synthesizer, always seeded explicitly.
struct Rng {
    uint32_t state;
    explicit Rng(uint32_t seed) : state(seed ? seed : 0x9e3779b9u) {}
    uint32_t next();
    float uniform(); // [0, 1)
    float bipolar(); // [-1, 1)
};

// Sine of a phase counted in cycles, from a table.
float sineCycles(double phase);
float midiHz(float note);
int secondsToFrames(float seconds);

// Band-limited enough for the low notes these sounds use: naive shapes with a phase in cycles.
float sawCycles(double phase);
float squareCycles(double phase, float width);
float triangleCycles(double phase);

// Phase accumulator for a frequency that may change every sample.
struct Osc {
    double phase = 0.0;
    double step(float hz);
};

// Attack-decay-sustain-release gain at time t (s) for a note held for `held` seconds.
float adsr(float t, float attack, float decay, float sustain, float release, float held);
// exp(-t / tau) with a short linear attack so no note starts with a click.
float percEnv(float t, float attack, float tau);

// One-pole low-pass.
struct OnePole {
    float y = 0.0f;
    float hz = -1.0f, a = 0.0f; // coefficient kept while the cutoff stays put
    float tick(float x, float cutoff);
};

// State-variable filter (trapezoidal), stable when its cutoff moves every sample.
struct Svf {
    float ic1 = 0.0f, ic2 = 0.0f;
    float low = 0.0f, band = 0.0f, high = 0.0f;
    float hz = -1.0f, g = 0.0f;
    void tick(float x, float hz, float q);
};

// White noise of n frames.
Wave whiteNoise(int frames, uint32_t seed);

// Runs tick(x, i) over a looping wave twice round and keeps the second lap, so the filter state
// at the loop point is the state the first sample sees: the loop has no seam.
template <class F> void processLoop(Wave& w, F tick)
{
    Wave in = w;
    for (int lap = 0; lap < 2; lap++)
        for (size_t i = 0; i < in.size(); i++) {
            float y = tick(in[i], (int)i);
            if (lap == 1) w[i] = y;
        }
}

// Adds src into dst at frame offset; with wrap, what passes the end lands at the start.
void mixInto(Wave& dst, const Wave& src, int offset, float gain, bool wrap);
float peakOf(const Wave& w);
float rmsOf(const Wave& w);
// Scales the wave so its peak is `peak` (below full scale).
void normalizePeak(Wave& w, float peak);
// Short fades at both ends of a one-shot so it neither starts nor stops on a step.
void fadeEnds(Wave& w, float inSeconds, float outSeconds);

// Mono 16-bit file through libsndfile; format is SF_FORMAT_AIFF or SF_FORMAT_FLAC. 1 on failure.
int writeWave(const std::string& path, const Wave& w, int format);
