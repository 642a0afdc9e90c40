// The synthesizer's building blocks, and the sounds and tunes it writes as the game will play them.
#include "audio.h"
#include "music.h"
#include "support/testFiles.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

const float SEAM_STEPS = 4.0f;     // a loop's wrap may jump this many times the RMS of its steps
const float FULL_SCALE_PEAK = 0.99f;
const float SILENT_RMS = 0.003f;   // below this a one-second window counts as silence
const float CLICK_LEVEL = 0.01f;   // a one-shot must start and end below this

float stepRms(const Wave& w)
{
    double sum = 0.0;
    for (size_t i = 1; i < w.size(); i++) sum += (double)(w[i] - w[i - 1]) * (w[i] - w[i - 1]);
    return (float)std::sqrt(sum / (w.size() - 1));
}

float seamJump(const Wave& w) { return std::fabs(w.front() - w.back()); }

Wave tone(float hz, float seconds)
{
    Wave w(secondsToFrames(seconds));
    Osc osc;
    for (float& s : w) s = sineCycles(osc.step(hz));
    return w;
}

int zeroCrossings(const Wave& w)
{
    int n = 0;
    for (size_t i = 1; i < w.size(); i++)
        if ((w[i - 1] < 0.0f) != (w[i] < 0.0f)) n++;
    return n;
}

float lowPassedRms(const Wave& in, float cutoff)
{
    Svf f;
    Wave out(in.size());
    for (size_t i = 0; i < in.size(); i++) {
        f.tick(in[i], cutoff, 0.707f);
        out[i] = f.low;
    }
    return rmsOf(Wave(out.begin() + out.size() / 2, out.end()));
}

// A decoded file: samples as floats, plus what libsndfile reports.
struct Decoded {
    SF_INFO info = {};
    Wave samples;
    bool ok = false;
};

Decoded decode(const std::string& path)
{
    Decoded d;
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &d.info);
    if (!f) return d;
    std::vector<short> pcm((size_t)d.info.frames * d.info.channels);
    d.ok = sf_readf_short(f, pcm.data(), d.info.frames) == d.info.frames && d.info.channels == 1;
    sf_close(f);
    for (short s : pcm) d.samples.push_back(s / 32768.0f);
    return d;
}

unsigned be32(const std::vector<unsigned char>& b, size_t at)
{
    return (unsigned)b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

// The COMM chunk of an AIFF file: channels, frames, bits and the rate from its 80-bit float.
struct AiffHeader {
    int channels = 0, bits = 0;
    unsigned frames = 0;
    double rate = 0.0;
};

bool readAiffHeader(const std::string& path, AiffHeader& h)
{
    std::vector<unsigned char> b = readBytes(path);
    if (b.size() < 12 || be32(b, 0) != 0x464f524d || be32(b, 8) != 0x41494646) return false; // FORM, AIFF
    for (size_t at = 12; at + 8 <= b.size();) {
        unsigned size = be32(b, at + 4);
        if (be32(b, at) == 0x434f4d4d && size >= 18 && at + 26 <= b.size()) { // COMM
            const unsigned char* c = &b[at + 8];
            h.channels = c[0] << 8 | c[1];
            h.frames = be32(b, at + 10);
            h.bits = c[6] << 8 | c[7];
            int exponent = ((c[8] & 0x7f) << 8 | c[9]) - 16383;
            h.rate = std::ldexp((double)be32(b, at + 18), exponent - 31);
            return true;
        }
        at += 8 + size + (size & 1);
    }
    return false;
}

bool exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string dataPath(const AudioPiece& p) { return std::string("./data/") + p.file; }

std::vector<const AudioPiece*> allPieces()
{
    std::vector<const AudioPiece*> all;
    for (int k = 0; k < NB_SOUND_EFFECTS; k++) all.push_back(&soundEffects[k]);
    for (int k = 0; k < NB_MUSIC_THEMES; k++) all.push_back(&musicThemes[k]);
    for (int k = 0; k < NB_MUSIC_TUNES; k++) all.push_back(&musicTunes[k]);
    return all;
}

} // namespace

TEST(Synth, NoiseAndOscillatorsAreRepeatableAndInTune)
{
    EXPECT_EQ(whiteNoise(1000, 7), whiteNoise(1000, 7));
    EXPECT_NE(whiteNoise(1000, 7), whiteNoise(1000, 8));
    Wave n = whiteNoise(SYNTH_RATE, 3);
    EXPECT_LE(peakOf(n), 1.0f);
    EXPECT_NEAR(rmsOf(n), 1.0f / std::sqrt(3.0f), 0.01f); // uniform on [-1, 1)
    // Two zero crossings a period: 441 Hz over one second.
    EXPECT_NEAR(zeroCrossings(tone(441.0f, 1.0f)), 882, 2);
    EXPECT_NEAR(midiHz(69.0f), 440.0f, 0.01f);
    EXPECT_NEAR(midiHz(81.0f), 880.0f, 0.01f);
}

TEST(Synth, EnvelopesRiseHoldAndFallToNothing)
{
    EXPECT_FLOAT_EQ(adsr(0.0f, 0.1f, 0.2f, 0.5f, 0.3f, 1.0f), 0.0f);
    EXPECT_NEAR(adsr(0.1f, 0.1f, 0.2f, 0.5f, 0.3f, 1.0f), 1.0f, 1e-5f);
    EXPECT_NEAR(adsr(0.8f, 0.1f, 0.2f, 0.5f, 0.3f, 1.0f), 0.5f, 1e-5f);
    EXPECT_NEAR(adsr(1.15f, 0.1f, 0.2f, 0.5f, 0.3f, 1.0f), 0.25f, 1e-5f);
    EXPECT_FLOAT_EQ(adsr(1.4f, 0.1f, 0.2f, 0.5f, 0.3f, 1.0f), 0.0f);
    // Let go during the attack: the release starts from where the level was.
    EXPECT_NEAR(adsr(0.05f, 0.1f, 0.2f, 0.5f, 0.3f, 0.05f), 0.5f, 1e-5f);
    EXPECT_LT(percEnv(0.5f, 0.01f, 0.1f), 0.01f);
    EXPECT_GT(percEnv(0.005f, 0.01f, 0.1f), 0.0f);
}

TEST(Synth, LowPassKeepsTheLowsAndCutsTheHighs)
{
    float lows = lowPassedRms(tone(100.0f, 0.5f), 500.0f);
    float highs = lowPassedRms(tone(5000.0f, 0.5f), 500.0f);
    EXPECT_NEAR(lows, 0.707f, 0.05f);
    EXPECT_LT(highs, lows / 50.0f);
    OnePole dull;
    float last = 0.0f;
    for (int i = 0; i < 1000; i++) last = dull.tick(1.0f, 200.0f);
    EXPECT_NEAR(last, 1.0f, 1e-3f); // passes a constant
}

TEST(Synth, LoopProcessingLeavesNoSeamWhereAOnePassFilterDoes)
{
    Wave once = whiteNoise(SYNTH_RATE / 2, 11), looped = once;
    OnePole a, b;
    for (float& s : once) s = a.tick(s, 80.0f);
    processLoop(looped, [&](float x, int) { return b.tick(x, 80.0f); });
    EXPECT_GT(seamJump(once), SEAM_STEPS * stepRms(once));
    EXPECT_LE(seamJump(looped), SEAM_STEPS * stepRms(looped));
    // A tail mixed past the end of a loop comes round to its start.
    Wave loop(10, 0.0f);
    mixInto(loop, Wave(4, 1.0f), 8, 0.5f, true);
    EXPECT_EQ(loop, (Wave{0.5f, 0.5f, 0, 0, 0, 0, 0, 0, 0.5f, 0.5f}));
    Wave oneShot(10, 0.0f);
    mixInto(oneShot, Wave(4, 1.0f), 8, 0.5f, false);
    EXPECT_EQ(oneShot[0], 0.0f);
}

TEST(Synth, EveryInstrumentNoteStartsAndEndsWithoutAClick)
{
    for (int ins = INS_PAD; ins <= INS_SHAKER; ins++) {
        Wave w = renderNote((Instrument)ins, 69.0f, 0.5f, 0.8f, 1);
        ASSERT_GT(w.size(), 1000u) << ins;
        float peak = peakOf(w);
        EXPECT_GT(peak, 0.05f) << ins;
        EXPECT_LT(std::fabs(w.front()), CLICK_LEVEL * peak) << ins;
        Wave end(w.end() - secondsToFrames(0.002f), w.end());
        EXPECT_LT(peakOf(end), CLICK_LEVEL * peak) << ins;
    }
}

TEST(Synth, ANoteRingingPastTheLoopEndComesBackAtTheStart)
{
    const float bpm = 120.0f; // half a second a beat
    Part bells = {INS_BELL, 1.0f, 0.0f, {{3.75f, 0.25f, 69.0f, 1.0f}}};
    Wave loop = renderLoop({bells}, bpm, 4);
    ASSERT_EQ(loop.size(), (size_t)secondsToFrames(2.0f));
    EXPECT_NEAR(peakOf(loop), 0.89f, 1e-3f);
    auto rmsBetween = [&](float from, float to) {
        return rmsOf(Wave(loop.begin() + secondsToFrames(from), loop.begin() + secondsToFrames(to)));
    };
    EXPECT_GT(rmsBetween(0.0f, 0.2f), 0.05f);     // the tail, wrapped round
    EXPECT_LT(rmsBetween(1.75f, 1.87f), 1e-6f);   // just before the note: nothing
    EXPECT_LE(seamJump(loop), SEAM_STEPS * stepRms(loop));
}

TEST(Synth, EverySoundAndThemeIsTheSameOnEveryCall)
{
    for (int k = 0; k < NB_SOUND_EFFECTS; k++) EXPECT_EQ(soundEffects[k].make(), soundEffects[k].make()) << soundEffects[k].file;
    for (int k = 0; k < NB_MUSIC_THEMES; k++) EXPECT_EQ(musicThemes[k].make(), musicThemes[k].make()) << musicThemes[k].file;
}

TEST(Synth, FlacFilesAreByteForByteRepeatable)
{
    char pattern[] = "/tmp/kessoundXXXXXX";
    std::string dir = mkdtemp(pattern);
    Wave w = musicThemes[1].make();
    ASSERT_EQ(writeWave(dir + "/a.flac", w, SF_FORMAT_FLAC), 0);
    ASSERT_EQ(writeWave(dir + "/b.flac", w, SF_FORMAT_FLAC), 0);
    std::vector<unsigned char> a = readBytes(dir + "/a.flac");
    EXPECT_GT(a.size(), 1000u);
    EXPECT_EQ(a, readBytes(dir + "/b.flac"));
    Decoded back = decode(dir + "/a.flac");
    ASSERT_TRUE(back.ok);
    ASSERT_EQ(back.samples.size(), w.size());
    for (size_t i = 0; i < w.size(); i += 997) EXPECT_NEAR(back.samples[i], w[i], 2.0f / 32768.0f); // 16-bit rounding
    EXPECT_EQ(writeWave(dir + "/missing/c.flac", w, SF_FORMAT_FLAC), 1);
}

TEST(SoundFiles, SamplesAreSixteenBitAiffAtAStandardRate)
{
    if (!exists("./data/sounds")) GTEST_SKIP() << "no ./data/sounds: build the data target first";
    for (int k = 0; k < NB_SOUND_EFFECTS + NB_MUSIC_THEMES; k++) {
        const AudioPiece& p = k < NB_SOUND_EFFECTS ? soundEffects[k] : musicThemes[k - NB_SOUND_EFFECTS];
        AiffHeader h;
        ASSERT_TRUE(readAiffHeader(dataPath(p), h)) << p.file;
        EXPECT_EQ(h.bits, 16) << p.file;
        EXPECT_EQ(h.channels, 1) << p.file;
        EXPECT_TRUE(h.rate == 44100.0 || h.rate == 22050.0) << p.file << " " << h.rate;
        EXPECT_GT(h.frames, 0u) << p.file;
    }
    for (int k = 0; k < NB_MUSIC_TUNES; k++) {
        Decoded d = decode(dataPath(musicTunes[k]));
        ASSERT_TRUE(d.ok) << musicTunes[k].file;
        EXPECT_EQ(d.info.format, SF_FORMAT_FLAC | SF_FORMAT_PCM_16) << musicTunes[k].file;
    }
}

TEST(SoundFiles, LevelsStayBelowFullScaleAndNothingFallsSilent)
{
    if (!exists("./data/sounds")) GTEST_SKIP() << "no ./data/sounds: build the data target first";
    for (const AudioPiece* p : allPieces()) {
        Decoded d = decode(dataPath(*p));
        ASSERT_TRUE(d.ok) << p->file;
        float seconds = (float)d.info.frames / d.info.samplerate;
        EXPECT_LT(peakOf(d.samples), FULL_SCALE_PEAK) << p->file;
        EXPECT_GT(rmsOf(d.samples), 10.0f * SILENT_RMS) << p->file;
        if (std::string(p->file).find("themes/") != std::string::npos) EXPECT_GE(seconds, 20.0f) << p->file;
        if (std::string(p->file).find("bgmusics/") != std::string::npos) EXPECT_GE(seconds, 60.0f) << p->file;
        if (!p->loops) {
            EXPECT_LT(std::fabs(d.samples.front()), CLICK_LEVEL) << p->file;
            EXPECT_LT(std::fabs(d.samples.back()), CLICK_LEVEL) << p->file;
            EXPECT_LT(seconds, 3.0f) << p->file;
            continue;
        }
        // A loop plays on and on: no second of it may drop out.
        size_t window = (size_t)d.info.samplerate;
        for (size_t at = 0; at + window <= d.samples.size(); at += window)
            EXPECT_GT(rmsOf(Wave(d.samples.begin() + at, d.samples.begin() + at + window)), SILENT_RMS)
                << p->file << " at " << at / window << " s";
    }
}

TEST(SoundFiles, LoopsWrapWithoutAClick)
{
    if (!exists("./data/sounds")) GTEST_SKIP() << "no ./data/sounds: build the data target first";
    int loops = 0;
    for (const AudioPiece* p : allPieces()) {
        if (!p->loops) continue;
        Decoded d = decode(dataPath(*p));
        ASSERT_TRUE(d.ok) << p->file;
        EXPECT_LE(seamJump(d.samples), SEAM_STEPS * stepRms(d.samples)) << p->file;
        loops++;
    }
    EXPECT_EQ(loops, 3 + NB_MUSIC_THEMES + NB_MUSIC_TUNES); // ski hiss, grind and wind, themes, tunes
}
