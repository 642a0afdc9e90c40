// The game's sample recipes: menu clicks, ride loops, impacts, chimes and the rescue rocket.
#include "audio.h"
#include "content.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

static const float PEAK_CLICK = 0.6f;
static const float PEAK_EFFECT = 0.85f;
static const float PEAK_LOOP = 0.8f;
static const float TWO_PI = 6.2831853f;

static const float SKI_LOOP_SECONDS = 2.4f;
static const float WIND_LOOP_SECONDS = 6.0f;
static const float GRIND_LOOP_SECONDS = 1.2f;

static float secondsAt(int i) { return (float)i / SYNTH_RATE; }

// Fraction of the way round a loop of n frames, for modulations that must repeat exactly.
static float loopTurn(int i, int n) { return (float)i / n; }

// A short tone whose pitch glides from f0 to f1, triangle and sine mixed for a soft click.
static void blip(Wave& w, float start, float f0, float f1, float tau, float gain)
{
    Osc osc;
    int from = secondsToFrames(start);
    for (int i = from; i < (int)w.size(); i++) {
        float t = secondsAt(i - from);
        float hz = f1 + (f0 - f1) * std::exp(-t / 0.02f);
        double p = osc.step(hz);
        w[i] += gain * percEnv(t, 0.002f, tau) * (0.6f * sineCycles(p) + 0.4f * triangleCycles(p));
    }
}

// Low body hitting snow: a falling sine and a dull burst of filtered noise.
static void thud(Wave& w, float start, float gain, uint32_t seed)
{
    Osc osc;
    OnePole dull;
    Svf crunch;
    Rng rng(seed);
    int from = secondsToFrames(start);
    for (int i = from; i < (int)w.size(); i++) {
        float t = secondsAt(i - from);
        float n = rng.bipolar();
        float body = sineCycles(osc.step(45.0f + 80.0f * std::exp(-t / 0.07f))) * percEnv(t, 0.003f, 0.09f);
        float thump = dull.tick(n, 700.0f) * percEnv(t, 0.001f, 0.06f) * 2.0f;
        crunch.tick(n, 2400.0f, 0.9f);
        float snow = crunch.band * percEnv(t, 0.002f, 0.04f) * 0.5f;
        w[i] += gain * (body + thump + snow);
    }
}

static Wave makeSelect()
{
    Wave w(secondsToFrames(0.09f));
    blip(w, 0.0f, 1700.0f, 1250.0f, 0.018f, 1.0f);
    normalizePeak(w, PEAK_CLICK);
    fadeEnds(w, 0.0f, 0.01f);
    return w;
}

static Wave makeEnter()
{
    Wave w(secondsToFrames(0.3f));
    blip(w, 0.0f, 820.0f, 784.0f, 0.04f, 0.8f);
    blip(w, 0.07f, 1220.0f, 1175.0f, 0.07f, 1.0f);
    normalizePeak(w, PEAK_CLICK);
    fadeEnds(w, 0.0f, 0.02f);
    return w;
}

static Wave makeBack()
{
    Wave w(secondsToFrames(0.26f));
    blip(w, 0.0f, 700.0f, 659.0f, 0.04f, 1.0f);
    blip(w, 0.065f, 460.0f, 440.0f, 0.06f, 0.9f);
    normalizePeak(w, PEAK_CLICK);
    fadeEnds(w, 0.0f, 0.02f);
    return w;
}

// Skis on snow: a band of noise whose brightness and level breathe three times a loop, like carving,
// grained by a slow random flutter so it crunches rather than hisses.
static Wave makeSkiLoop()
{
    int n = secondsToFrames(SKI_LOOP_SECONDS);
    Wave grain = whiteNoise(n, 229);
    OnePole flutter;
    processLoop(grain, [&](float x, int) { return flutter.tick(x, 40.0f); });
    normalizePeak(grain, 1.0f);
    Wave w = whiteNoise(n, 129);
    Svf hiss;
    OnePole rumble, tame;
    processLoop(w, [&](float x, int i) {
        float carve = 0.5f + 0.5f * sineCycles(3.0 * loopTurn(i, n));
        hiss.tick(x, 2200.0f + 1600.0f * carve, 0.9f);
        float air = tame.tick(hiss.high, 7000.0f);
        float low = rumble.tick(x, 350.0f);
        float crunch = 0.7f + 0.3f * grain[i];
        return (hiss.band + 0.2f * air) * (0.6f + 0.4f * carve) * crunch + 1.2f * low;
    });
    normalizePeak(w, PEAK_LOOP);
    return w;
}

static Wave makeLanding()
{
    Wave w(secondsToFrames(0.6f));
    thud(w, 0.0f, 1.0f, 130);
    normalizePeak(w, PEAK_EFFECT);
    fadeEnds(w, 0.0f, 0.05f);
    return w;
}

// A tumble: three impacts, skis clattering, then a slide through the snow.
static Wave makeCrash()
{
    Wave w(secondsToFrames(1.5f));
    thud(w, 0.0f, 1.0f, 131);
    thud(w, 0.3f, 0.7f, 231);
    thud(w, 0.62f, 0.45f, 331);
    Rng rng(431);
    Svf slide, clack;
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        float x = rng.bipolar();
        slide.tick(x, 1500.0f - 600.0f * t / 1.5f, 0.7f);
        w[i] += slide.band * 0.35f * percEnv(t, 0.05f, 0.45f);
    }
    for (int k = 0; k < 7; k++) {
        float at = 0.05f + 0.8f * rng.uniform();
        int from = secondsToFrames(at);
        for (int i = from; i < std::min((int)w.size(), from + secondsToFrames(0.05f)); i++) {
            clack.tick(rng.bipolar(), 3800.0f, 6.0f);
            w[i] += clack.band * 0.5f * percEnv(secondsAt(i - from), 0.0005f, 0.008f);
        }
    }
    normalizePeak(w, PEAK_EFFECT);
    fadeEnds(w, 0.0f, 0.1f);
    return w;
}

// A bell: frequency modulation whose brightness fades faster than its body.
static void bell(Wave& w, float start, float hz, float tau, float gain)
{
    Osc carrier, modulator;
    int from = secondsToFrames(start);
    for (int i = from; i < (int)w.size(); i++) {
        float t = secondsAt(i - from);
        float mod = sineCycles(modulator.step(hz * 2.0f)) * 1.6f * std::exp(-t / (tau * 0.4f));
        float c = sineCycles(carrier.step(hz) + mod / TWO_PI);
        w[i] += gain * percEnv(t, 0.002f, tau) * c;
    }
}

static Wave makeBonus()
{
    Wave w(secondsToFrames(1.1f));
    const float notes[] = {84, 88, 91, 96};
    for (int k = 0; k < 4; k++) bell(w, 0.07f * k, midiHz(notes[k]), 0.3f, k == 3 ? 1.0f : 0.7f);
    normalizePeak(w, PEAK_EFFECT);
    fadeEnds(w, 0.0f, 0.1f);
    return w;
}

// Rescue whoosh: a band of noise sweeping up then down, with a rising shimmer.
static Wave makeReplace()
{
    const float seconds = 1.0f;
    Wave w(secondsToFrames(seconds));
    Rng rng(133);
    Svf band;
    Osc shimmer;
    for (int i = 0; i < (int)w.size(); i++) {
        float u = secondsAt(i) / seconds;
        float arc = std::sin(3.14159f * u);
        band.tick(rng.bipolar(), 400.0f + 2800.0f * arc * arc, 1.6f);
        float tone = sineCycles(shimmer.step(600.0f + 700.0f * u)) * 0.15f * (0.6f + 0.4f * sineCycles(7.0 * u));
        w[i] = (band.band + tone) * arc * arc;
    }
    normalizePeak(w, PEAK_EFFECT);
    return w;
}

static Wave makeRocketLaunch()
{
    const float seconds = 1.6f;
    Wave w(secondsToFrames(seconds));
    Rng rng(140);
    Svf hiss;
    Osc whistle;
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        float u = t / seconds;
        float x = rng.bipolar();
        hiss.tick(x, 700.0f + 3500.0f * u, 1.2f);
        float level = std::fmin(1.0f, t / 0.08f) * (u < 0.6f ? 1.0f : (1.0f - u) / 0.4f);
        float vibrato = 1.0f + 0.01f * sineCycles(9.0 * t);
        float tone = sineCycles(whistle.step((900.0f + 1700.0f * u) * vibrato)) * 0.3f;
        float pop = x * percEnv(t, 0.0005f, 0.015f);
        w[i] = (hiss.band + tone) * level + pop;
    }
    normalizePeak(w, PEAK_EFFECT);
    fadeEnds(w, 0.0f, 0.02f);
    return w;
}

// Firework: a low boom, a sharp crack, then crackles thinning out.
static Wave makeRocketExplode()
{
    Wave w(secondsToFrames(2.0f));
    Rng rng(141);
    OnePole boomLow;
    Svf crack, sparkle;
    Osc drop;
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        float x = rng.bipolar();
        float boom = boomLow.tick(x, 90.0f + 300.0f * std::exp(-t / 0.1f)) * 4.0f * percEnv(t, 0.002f, 0.35f);
        float body = sineCycles(drop.step(35.0f + 50.0f * std::exp(-t / 0.15f))) * percEnv(t, 0.003f, 0.25f);
        crack.tick(x, 5000.0f, 0.7f);
        w[i] = boom + body + crack.high * 0.6f * percEnv(t, 0.0005f, 0.02f);
    }
    for (int k = 0; k < 70; k++) {
        float at = 0.2f + 1.4f * rng.uniform() * rng.uniform();
        float gain = 0.35f * (1.0f - (at - 0.2f) / 1.5f);
        float hz = 2500.0f + 3500.0f * rng.uniform();
        int from = secondsToFrames(at);
        for (int i = from; i < std::min((int)w.size(), from + secondsToFrames(0.03f)); i++) {
            sparkle.tick(rng.bipolar(), hz, 3.0f);
            w[i] += sparkle.band * gain * percEnv(secondsAt(i - from), 0.0003f, 0.006f);
        }
    }
    normalizePeak(w, PEAK_EFFECT);
    fadeEnds(w, 0.0f, 0.15f);
    return w;
}

// Steel under the skis: noise ringing a few inharmonic resonances, with a buzz that repeats exactly per loop.
static Wave makeGrindRail()
{
    Wave w = whiteNoise(secondsToFrames(GRIND_LOOP_SECONDS), 150);
    int n = (int)w.size();
    const float modes[] = {1130.0f, 1870.0f, 2960.0f, 4320.0f};
    Svf ring[4], scrape;
    const double buzzCycles = 132.0; // 110 Hz, a whole number of periods a loop
    processLoop(w, [&](float x, int i) {
        float u = loopTurn(i, n);
        float sum = 0.0f;
        for (int m = 0; m < 4; m++) {
            ring[m].tick(x, modes[m], 30.0f);
            sum += ring[m].band / (1.0f + m * 0.5f);
        }
        scrape.tick(x, 2500.0f, 0.8f);
        float wobble = 0.85f + 0.15f * sineCycles(8.0 * u);
        float buzz = sawCycles(buzzCycles * u) * 0.08f;
        return (sum * 0.5f + scrape.band * 0.4f + buzz) * wobble;
    });
    normalizePeak(w, PEAK_LOOP);
    return w;
}

// A rail struck: modes of a steel bar, highest dying first.
static Wave makeClingRail()
{
    Wave w(secondsToFrames(0.9f));
    const float ratio[] = {1.0f, 2.76f, 5.40f, 8.93f};
    const float amp[] = {1.0f, 0.6f, 0.35f, 0.2f};
    const float tau[] = {0.3f, 0.18f, 0.1f, 0.06f};
    const float base = 1400.0f;
    for (int m = 0; m < 4; m++) {
        Osc osc;
        for (int i = 0; i < (int)w.size(); i++)
            w[i] += amp[m] * percEnv(secondsAt(i), 0.0008f, tau[m]) * sineCycles(osc.step(base * ratio[m]));
    }
    Rng rng(151);
    int strike = secondsToFrames(0.004f);
    for (int i = 0; i < strike; i++) w[i] += rng.bipolar() * 0.5f * percEnv(secondsAt(i), 0.0005f, 0.0015f);
    normalizePeak(w, PEAK_EFFECT);
    fadeEnds(w, 0.0f, 0.05f);
    return w;
}

// Mountain wind: a low howl whose pitch and strength gust once and three times a loop.
static Wave makeWind()
{
    Wave w = whiteNoise(secondsToFrames(WIND_LOOP_SECONDS), 160);
    int n = (int)w.size();
    Svf howl, whistle;
    OnePole body;
    processLoop(w, [&](float x, int i) {
        float u = loopTurn(i, n);
        float gust = 0.5f + 0.35f * sineCycles(u) + 0.15f * sineCycles(3.0 * u + 0.2);
        howl.tick(x, 300.0f + 400.0f * gust, 2.5f);
        whistle.tick(x, 850.0f + 350.0f * sineCycles(2.0 * u + 0.6), 14.0f);
        float base = body.tick(x, 500.0f);
        return (howl.band * 1.2f + whistle.band * 0.5f + base * 1.5f) * (0.45f + 0.55f * gust);
    });
    normalizePeak(w, PEAK_LOOP);
    return w;
}

// Booster: two detuned saws rising under an opening filter, and a rush of air.
static Wave makeBoost()
{
    const float seconds = 0.8f;
    Wave w(secondsToFrames(seconds));
    Osc a, b;
    Svf tone, air;
    Rng rng(170);
    for (int i = 0; i < (int)w.size(); i++) {
        float t = secondsAt(i);
        float u = t / seconds;
        float hz = 150.0f * std::pow(4.0f, u);
        float raw = sawCycles(a.step(hz)) + sawCycles(b.step(hz * 1.012f));
        tone.tick(raw, 600.0f + 4400.0f * u, 2.0f);
        air.tick(rng.bipolar(), 1000.0f + 3000.0f * u, 1.0f);
        float level = std::fmin(1.0f, t / 0.02f) * (u < 0.7f ? 1.0f : (1.0f - u) / 0.3f);
        w[i] = (tone.low * 0.6f + air.band * 0.5f) * level;
    }
    normalizePeak(w, PEAK_EFFECT);
    return w;
}

const AudioPiece soundEffects[] = {
    {"sounds/gui/select135.aif", false, makeSelect},
    {"sounds/gui/enter134.aif", false, makeEnter},
    {"sounds/gui/back136.aif", false, makeBack},
    {"sounds/game/skiloop129.aif", true, makeSkiLoop},
    {"sounds/game/landing130.aif", false, makeLanding},
    {"sounds/game/crash131.aif", false, makeCrash},
    {"sounds/game/bonus132.aif", false, makeBonus},
    {"sounds/game/replace133.aif", false, makeReplace},
    {"sounds/game/rocketLaunch.aif", false, makeRocketLaunch},
    {"sounds/game/rocketExplode.aif", false, makeRocketExplode},
    {"sounds/game/grindRail.aif", true, makeGrindRail},
    {"sounds/game/clingRail.aif", false, makeClingRail},
    {"sounds/game/wind.aif", true, makeWind},
    {"sounds/game/boost.aif", false, makeBoost},
};
const int NB_SOUND_EFFECTS = sizeof soundEffects / sizeof soundEffects[0];

int writePieces(const std::string& data, const AudioPiece* pieces, int count, int format)
{
    int failed = 0;
    for (int k = 0; k < count; k++) failed |= writeWave(data + "/" + pieces[k].file, pieces[k].make(), format);
    return failed;
}

void genSounds(const std::string&, const std::string& data)
{
    writePieces(data, soundEffects, NB_SOUND_EFFECTS, SF_FORMAT_AIFF);
}
