// Sound files the mixer cannot play are refused when opened, whatever their container says.
#include <gtest/gtest.h>

#include <sndfile.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/soundFile.h"
#include "support/testFiles.h"

namespace {

// A second of a mono tone at `rate` in the given container, written by libsndfile itself.
std::string writeTone(const TempDir& dir, const char* name, int format, int rate, int frames = 4000)
{
    std::string path = dir.file(name);
    SF_INFO info;
    memset(&info, 0, sizeof info);
    info.samplerate = rate;
    info.channels = 1;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f) return path + " (not written: " + sf_strerror(nullptr) + ")";
    std::vector<short> tone(frames);
    for (int i = 0; i < frames; i++) tone[i] = (short)((i % 40) * 800 - 16000);
    sf_writef_short(f, tone.data(), frames);
    sf_close(f);
    return path;
}

bool opens(const std::string& path, bool wholeInMemory)
{
    SF_INFO info;
    SNDFILE* f = openSoundFile(path.c_str(), &info, wholeInMemory);
    if (f) sf_close(f);
    return f != nullptr;
}

TEST(SoundFileChecks, RatesTheMixerCannotStepAreRefusedInEveryContainer)
{
    TempDir dir;
    const int aiff = SF_FORMAT_AIFF | SF_FORMAT_PCM_16, wav = SF_FORMAT_WAV | SF_FORMAT_PCM_16,
              flac = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    EXPECT_TRUE(opens(writeTone(dir, "ok.aif", aiff, 44100), true));
    EXPECT_TRUE(opens(writeTone(dir, "low.wav", wav, SOUND_MIN_RATE), true));
    EXPECT_TRUE(opens(writeTone(dir, "high.flac", flac, SOUND_MAX_RATE), false));
    EXPECT_FALSE(opens(writeTone(dir, "mega.wav", wav, 1000000), true));
    EXPECT_FALSE(opens(writeTone(dir, "mega.aif", aiff, 1000000), false));
    EXPECT_FALSE(opens(writeTone(dir, "fast.flac", flac, 655350), false));
    EXPECT_FALSE(opens(writeTone(dir, "slow.wav", wav, SOUND_MIN_RATE - 1), true));
    EXPECT_FALSE(opens(writeTone(dir, "empty.aif", aiff, 44100, 0), true));
    writeBytes(dir.file("zeros.aif"), std::vector<unsigned char>(4096, 0));
    EXPECT_FALSE(opens(dir.file("zeros.aif"), true));
    EXPECT_FALSE(opens(dir.file("missing.aif"), true));
}

// A FLAC whose header does not give its length (the total is 0 in its first block).
TEST(SoundFileChecks, AFlacOfUnknownLengthStreamsButIsNeverHeldWhole)
{
    TempDir dir;
    std::string path = writeTone(dir, "endless.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100);
    std::vector<unsigned char> bytes = readBytes(path);
    ASSERT_GT(bytes.size(), 42u);
    ASSERT_EQ(memcmp(bytes.data(), "fLaC", 4), 0);
    bytes[21] &= 0xf0; // the 36-bit total of samples starts in the low half of this byte
    memset(&bytes[22], 0, 4);
    writeBytes(path, bytes);
    SF_INFO info;
    memset(&info, 0, sizeof info);
    SNDFILE* raw = sf_open(path.c_str(), SFM_READ, &info);
    ASSERT_NE(raw, nullptr);
    sf_close(raw);
    EXPECT_GT(info.frames, SOUND_MAX_SAMPLE_FRAMES) << "libsndfile no longer gives an endless length";
    EXPECT_FALSE(opens(path, true));
    EXPECT_TRUE(opens(path, false));
}

TEST(SoundFileChecks, StereoIsMixedDownToUnsignedMono)
{
    TempDir dir;
    std::string path = dir.file("two.wav");
    SF_INFO info;
    memset(&info, 0, sizeof info);
    info.samplerate = 22050;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr);
    short frames[6] = {1000, 3000, -2000, -4000, 0, 0};
    sf_writef_short(f, frames, 3);
    sf_close(f);
    f = openSoundFile(path.c_str(), &info, true);
    ASSERT_NE(f, nullptr);
    std::vector<short> scratch;
    unsigned short out[8];
    ASSERT_EQ(readMonoFrames(f, info, scratch, out, 8), 3);
    EXPECT_EQ(out[0], 2000 ^ 0x8000);
    EXPECT_EQ(out[1], (unsigned short)(-3000) ^ 0x8000);
    EXPECT_EQ(out[2], 0x8000);
    EXPECT_EQ(readMonoFrames(f, info, scratch, out, 8), 0);
    sf_close(f);
}

} // namespace
