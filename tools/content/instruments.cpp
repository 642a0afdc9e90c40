// The instruments of the tunes: each renders one note with its decay into its own wave.
#include "music.h"

#include <cmath>

static const float TWO_PI = 6.2831853f;
static const float PAD_RELEASE = 0.9f;
static const float KEY_RELEASE = 0.25f;
static const float PLUCK_RELEASE = 0.12f;
static const float BASS_RELEASE = 0.07f;
static const float LEAD_RELEASE = 0.15f;
static const float NOTE_END_FADE = 0.01f; // whatever still rings when a note's wave ends fades out here

static float secondsAt(int i) { return (float)i / SYNTH_RATE; }

// Gain that falls linearly to nothing over `release` once the note is let go.
static float releaseGain(float t, float held, float release)
{
    if (t <= held) return 1.0f;
    return std::fmax(0.0f, 1.0f - (t - held) / release);
}

// Three detuned saws under a soft low-pass, slow to swell and slow to fade.
static Wave pad(float hz, float held, float vel)
{
    Wave w(secondsToFrames(held + PAD_RELEASE));
    Osc o[3];
    const float detune[3] = {0.994f, 1.0f, 1.006f};
    OnePole lp1, lp2;
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        float s = 0.0f;
        for (int k = 0; k < 3; k++) s += sawCycles(o[k].step(hz * detune[k]));
        float cutoff = std::fmin(hz * 4.0f, 1800.0f);
        w[i] = lp2.tick(lp1.tick(s, cutoff), cutoff) * 0.4f * vel * adsr(t, 0.35f, 0.4f, 0.75f, PAD_RELEASE, held);
    }
    return w;
}

// Electric piano: one-to-one frequency modulation fading, a short tine on top.
static Wave epiano(float hz, float held, float vel)
{
    Wave w(secondsToFrames(held + KEY_RELEASE));
    Osc car, mod, tine;
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        float index = (0.4f + 1.2f * vel) * std::exp(-t / 0.45f);
        float m = sineCycles(mod.step(hz)) * index;
        float body = sineCycles(car.step(hz) + m / TWO_PI);
        float ping = sineCycles(tine.step(hz * 14.0f)) * 0.12f * std::exp(-t / 0.03f);
        w[i] = (body + ping) * vel * percEnv(t, 0.003f, 1.4f) * releaseGain(t, held, KEY_RELEASE);
    }
    return w;
}

// Glassy bell: inharmonic modulation ratio, long ring.
static Wave bellNote(float hz, float held, float vel)
{
    Wave w(secondsToFrames(held + 1.6f));
    Osc car, mod;
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        float m = sineCycles(mod.step(hz * 3.5f)) * 1.8f * std::exp(-t / 0.35f);
        w[i] = sineCycles(car.step(hz) + m / TWO_PI) * vel * percEnv(t, 0.002f, 0.7f);
    }
    return w;
}

// Plucked string: harmonics that die faster the higher they are, and a breath of pick noise.
static Wave pluck(float hz, float held, float vel, uint32_t seed)
{
    Wave w(secondsToFrames(held + PLUCK_RELEASE));
    const int harmonics = 7;
    Osc o[harmonics];
    Rng rng(seed);
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        float s = 0.0f;
        for (int h = 0; h < harmonics; h++) {
            float n = h + 1.0f;
            if (hz * n > 9000.0f) break;
            s += sineCycles(o[h].step(hz * n)) / n * std::exp(-t * (2.0f + 3.0f * n));
        }
        float pick = t < 0.004f ? rng.bipolar() * 0.3f * (1.0f - t / 0.004f) : 0.0f;
        w[i] = (s + pick) * vel * std::fmin(1.0f, t / 0.001f) * releaseGain(t, held, PLUCK_RELEASE);
    }
    return w;
}

// Chip: a narrow pulse that blips and dies, for fast arpeggios.
static Wave chip(float hz, float held, float vel)
{
    Wave w(secondsToFrames(held + PLUCK_RELEASE));
    Osc o;
    OnePole soft;
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        float s = soft.tick(squareCycles(o.step(hz), 0.25f), 4000.0f);
        w[i] = s * 0.5f * vel * percEnv(t, 0.002f, 0.09f) * releaseGain(t, held, PLUCK_RELEASE);
    }
    return w;
}

// Bass: saw with a square an octave down, through a low-pass that snaps shut.
static Wave bass(float hz, float held, float vel)
{
    Wave w(secondsToFrames(held + BASS_RELEASE));
    Osc saw, sub;
    Svf lp;
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        float raw = 0.6f * sawCycles(saw.step(hz)) + 0.5f * squareCycles(sub.step(hz * 0.5f), 0.5f);
        lp.tick(raw, 180.0f + 1600.0f * vel * std::exp(-t / 0.12f), 1.3f);
        w[i] = lp.low * vel * adsr(t, 0.004f, 0.25f, 0.7f, BASS_RELEASE, held);
    }
    return w;
}

// Lead: a pulse and a saw with a delayed vibrato.
static Wave lead(float hz, float held, float vel)
{
    Wave w(secondsToFrames(held + LEAD_RELEASE));
    Osc a, b;
    Svf lp;
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        float depth = 0.006f * std::fmin(1.0f, std::fmax(0.0f, (t - 0.15f) / 0.3f));
        float f = hz * (1.0f + depth * sineCycles(5.5 * t));
        float raw = 0.5f * squareCycles(a.step(f), 0.3f) + 0.5f * sawCycles(b.step(f * 1.003f));
        lp.tick(raw, 900.0f + 2200.0f * vel, 0.9f);
        w[i] = lp.low * vel * 0.6f * adsr(t, 0.01f, 0.15f, 0.8f, LEAD_RELEASE, held);
    }
    return w;
}

// Brass: a stack of saws whose filter opens as the note swells.
static Wave brass(float hz, float held, float vel)
{
    Wave w(secondsToFrames(held + LEAD_RELEASE));
    Osc o[3];
    const float detune[3] = {0.997f, 1.0f, 1.004f};
    Svf lp;
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        float s = 0.0f;
        for (int k = 0; k < 3; k++) s += sawCycles(o[k].step(hz * detune[k]));
        float open = 1.0f - std::exp(-t / 0.08f);
        lp.tick(s, hz * (1.5f + 4.0f * open * vel), 0.8f);
        w[i] = lp.low * 0.3f * vel * adsr(t, 0.03f, 0.2f, 0.85f, LEAD_RELEASE, held);
    }
    return w;
}

// Flute: a sine with a little triangle and breath, vibrato once the note settles.
static Wave flute(float hz, float held, float vel, uint32_t seed)
{
    Wave w(secondsToFrames(held + LEAD_RELEASE));
    Osc o;
    Svf breath;
    Rng rng(seed);
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        float depth = 0.005f * std::fmin(1.0f, std::fmax(0.0f, (t - 0.2f) / 0.4f));
        double p = o.step(hz * (1.0f + depth * sineCycles(5.0 * t)));
        breath.tick(rng.bipolar(), hz * 2.0f, 2.0f);
        float s = 0.8f * sineCycles(p) + 0.2f * triangleCycles(p) + 0.25f * breath.band;
        w[i] = s * vel * adsr(t, 0.06f, 0.2f, 0.8f, LEAD_RELEASE, held);
    }
    return w;
}

static Wave kick(float vel)
{
    Wave w(secondsToFrames(0.45f));
    Osc o;
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        float hz = 48.0f + 110.0f * std::exp(-t / 0.035f);
        w[i] = sineCycles(o.step(hz)) * vel * percEnv(t, 0.001f, 0.16f) * 1.4f;
    }
    return w;
}

static Wave snare(float vel, uint32_t seed)
{
    Wave w(secondsToFrames(0.35f));
    Osc o;
    Svf band;
    Rng rng(seed);
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        band.tick(rng.bipolar(), 1900.0f, 0.7f);
        float tone = sineCycles(o.step(190.0f)) * percEnv(t, 0.001f, 0.05f);
        w[i] = (band.band * 1.3f * percEnv(t, 0.001f, 0.1f) + 0.6f * tone) * vel;
    }
    return w;
}

// Closed hat (short) or shaker (softer attack, duller).
static Wave noiseHit(float vel, uint32_t seed, bool shaker)
{
    Wave w(secondsToFrames(shaker ? 0.2f : 0.12f));
    Svf f;
    Rng rng(seed);
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        f.tick(rng.bipolar(), shaker ? 5000.0f : 7500.0f, shaker ? 1.2f : 0.7f);
        float s = shaker ? f.band * percEnv(t, 0.012f, 0.04f) : f.high * percEnv(t, 0.0005f, 0.025f);
        w[i] = s * vel * 0.5f;
    }
    return w;
}

static Wave noteOf(Instrument ins, float pitch, float held, float velocity, uint32_t seed)
{
    float hz = midiHz(pitch);
    switch (ins) {
    case INS_PAD: return pad(hz, held, velocity);
    case INS_EPIANO: return epiano(hz, held, velocity);
    case INS_BELL: return bellNote(hz, held, velocity);
    case INS_PLUCK: return pluck(hz, held, velocity, seed);
    case INS_CHIP: return chip(hz, held, velocity);
    case INS_BASS: return bass(hz, held, velocity);
    case INS_LEAD: return lead(hz, held, velocity);
    case INS_BRASS: return brass(hz, held, velocity);
    case INS_FLUTE: return flute(hz, held, velocity, seed);
    case INS_KICK: return kick(velocity);
    case INS_SNARE: return snare(velocity, seed);
    case INS_HAT: return noiseHit(velocity, seed, false);
    case INS_SHAKER: return noiseHit(velocity, seed, true);
    }
    return Wave();
}

Wave renderNote(Instrument ins, float pitch, float held, float velocity, uint32_t seed)
{
    Wave w = noteOf(ins, pitch, held, velocity, seed);
    fadeEnds(w, 0.0f, NOTE_END_FADE);
    return w;
}
