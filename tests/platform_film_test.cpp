// The film's encoder and its off-line sound: ffmpeg found along a search path or not, fed frames and
// making a film, its failures told apart (a disk full, an encoder that stops half way); and the sound
// device that mixes what the game plays, voices ending, looping, panned and resampled.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "sound/wavFile.h"
#include "platform/filmEncoder.h"
#include "platform/filmSound.h"
#include "support/testFiles.h"

namespace {

void writeScript(const std::string& path, const std::string& body)
{
    writeText(path, "#!/bin/sh\n" + body + "\n");
    chmod(path.c_str(), 0755);
}

FilmEncoderSetup smallFilm(const std::string& program, const std::string& output)
{
    FilmEncoderSetup s;
    s.program = program;
    s.width = 64, s.height = 36, s.fps = 30;
    s.output = output;
    return s;
}

std::vector<unsigned char> frameOf(int w, int h, unsigned char shade)
{
    return std::vector<unsigned char>((size_t)w * h * 3, shade);
}

std::string installedEncoder()
{
    std::string path = findProgram(FILM_ENCODER_PROGRAM, getenv("PATH"));
    EXPECT_FALSE(path.empty()) << "scripts/setup.sh installs ffmpeg";
    return path;
}

TEST(FilmEncoder, TheProgramIsFoundAlongTheSearchPathOnlyWhenItCanRun)
{
    TempDir a, b;
    writeText(a.file("ffmpeg"), "not a program");  // not executable
    writeScript(b.file("ffmpeg"), "exit 0");
    EXPECT_EQ("", findProgram("ffmpeg", a.path().c_str()));
    EXPECT_EQ(b.file("ffmpeg"), findProgram("ffmpeg", (a.path() + ":" + b.path()).c_str()));
    EXPECT_EQ("", findProgram("ffmpeg", "/nonexistent:"));
    EXPECT_EQ("", findProgram("ffmpeg", nullptr));
    EXPECT_EQ(b.file("ffmpeg"), findProgram(b.file("ffmpeg"), "")) << "a path is taken as it is";
    EXPECT_EQ("", findProgram(a.file("ffmpeg"), ""));
}

TEST(FilmEncoder, ItsArgumentsNameTheFramesTheSoundAndTheOutput)
{
    FilmEncoderSetup s = smallFilm("/usr/bin/ffmpeg", "/tmp/x.mp4");
    std::vector<std::string> a = filmEncoderArguments(s);
    auto after = [&](const std::string& word) {
        for (size_t i = 0; i + 1 < a.size(); i++)
            if (a[i] == word) return a[i + 1];
        return std::string();
    };
    EXPECT_EQ("/usr/bin/ffmpeg", a.front());
    EXPECT_EQ("/tmp/x.mp4", a.back());
    EXPECT_EQ("64x36", after("-s"));
    EXPECT_EQ("30", after("-r"));
    EXPECT_EQ("rgb24", after("-pix_fmt"));
    EXPECT_EQ("pipe:0", after("-i"));
    EXPECT_EQ("", after("-c:a")) << "no sound file, no sound";
    s.soundFile = "/tmp/s.wav";
    a = filmEncoderArguments(s);
    std::string all;
    for (const std::string& w : a) all += w + " ";
    EXPECT_NE(std::string::npos, all.find("-i /tmp/s.wav ")) << all;
    EXPECT_NE(std::string::npos, all.find("-map 1:a ")) << all;
    EXPECT_EQ("aac", after("-c:a"));
}

TEST(FilmEncoder, TheInstalledEncoderMakesAFilmOfTheFramesItIsFed)
{
    TempDir d;
    FilmEncoder e;
    std::string why;
    ASSERT_TRUE(startFilmEncoder(e, smallFilm(installedEncoder(), d.file("f.mp4")), why)) << why;
    for (int k = 0; k < 6; k++) ASSERT_TRUE(sendFilmFrame(e, frameOf(64, 36, (unsigned char)(40 * k)).data(), 64 * 36 * 3, why)) << why;
    EXPECT_EQ(encoderFine, finishFilmEncoder(e, why)) << why;
    struct stat st;
    ASSERT_EQ(0, stat(d.file("f.mp4").c_str(), &st));
    EXPECT_GT(st.st_size, 100);
}

// Real disks fill: the encoder writing to /dev/full is told apart as a full disk.
TEST(FilmEncoder, AFullDiskIsToldApart)
{
    FilmEncoder e;
    std::string why;
    ASSERT_TRUE(startFilmEncoder(e, smallFilm(installedEncoder(), "/dev/full"), why)) << why;
    bool fed = true;
    for (int k = 0; k < 30 && fed; k++) fed = sendFilmFrame(e, frameOf(64, 36, (unsigned char)k).data(), 64 * 36 * 3, why);
    FilmEncoderFailure f = fed ? finishFilmEncoder(e, why) : failureInLog(why, why);
    EXPECT_EQ(encoderDiskFull, f) << why;
    EXPECT_NE(std::string::npos, why.find("disk is full")) << why;
}

TEST(FilmEncoder, OneThatStopsHalfWayIsToldWithItsOwnWords)
{
    TempDir d;
    writeScript(d.file("dies"), "head -c 20000 >/dev/null; echo 'Conversion failed!' >&2; exit 1");
    FilmEncoder e;
    std::string why;
    ASSERT_TRUE(startFilmEncoder(e, smallFilm(d.file("dies"), d.file("f.mp4")), why)) << why;
    bool fed = true;
    for (int k = 0; k < 200 && fed; k++) fed = sendFilmFrame(e, frameOf(64, 36, 9).data(), 64 * 36 * 3, why);
    EXPECT_FALSE(fed) << "the frames stop being taken";
    EXPECT_NE(std::string::npos, why.find("ffmpeg stopped: Conversion failed!")) << why;
    EXPECT_EQ(-1, e.pid) << "it was waited for";

    writeScript(d.file("fails"), "cat >/dev/null; exit 3");
    ASSERT_TRUE(startFilmEncoder(e, smallFilm(d.file("fails"), d.file("f.mp4")), why)) << why;
    ASSERT_TRUE(sendFilmFrame(e, frameOf(64, 36, 9).data(), 64 * 36 * 3, why));
    EXPECT_EQ(encoderStopped, finishFilmEncoder(e, why));
    EXPECT_NE(std::string::npos, why.find("exit status 3")) << why;

    ASSERT_TRUE(startFilmEncoder(e, smallFilm(d.file("fails"), d.file("f.mp4")), why));
    stopFilmEncoder(e);
    EXPECT_EQ(-1, e.pid) << "a cancel ends it";
    EXPECT_FALSE(startFilmEncoder(e, smallFilm(d.file("none"), d.file("f.mp4")), why));
    EXPECT_NE(std::string::npos, why.find("can't start")) << why;
}

// A mono WAV sample of n frames at rate, every sample at level.
std::string sampleFile(const TempDir& d, const char* name, int rate, int n, short level)
{
    WavWriter w;
    std::string why, path = d.file(name);
    std::vector<short> s((size_t)n, level);
    EXPECT_TRUE(openWav(w, path, rate, 1, why) && appendWav(w, s.data(), n, why) && closeWav(w, why)) << why;
    return path;
}

std::vector<short> mix(long frames)
{
    std::vector<short> out((size_t)frames * filmSoundChannels);
    mixFilmSound(out.data(), frames);
    return out;
}

class FilmSound : public ::testing::Test {
protected:
    const SoundDevice* dev = filmSoundDevice();
    void SetUp() override { dev->init(filmSoundRate, 32); }
    void TearDown() override { dev->close(); }
};

TEST_F(FilmSound, AOneShotPlaysItsLengthAndEnds)
{
    TempDir d;
    SndSample* s = dev->sampleLoad(sampleFile(d, "a.wav", filmSoundRate, 1000, 10000).c_str());
    ASSERT_NE(nullptr, s);
    int ch = dev->play(s, 255, 127, 0);
    ASSERT_GE(ch, 0);
    std::vector<short> out = mix(1500);
    EXPECT_NEAR(10000, out[2 * 999], 100) << "sounding to its end";
    EXPECT_EQ(0, out[2 * 1000]) << "and silent after it";
    EXPECT_EQ(0, filmVoicesSounding()) << "its voice is free again";
    dev->setVolume(ch, 100);  // a stale channel is ignored
    dev->sampleFree(s);
}

TEST_F(FilmSound, ALoopGoesOnUntilStoppedAtItsVolumeAndPan)
{
    TempDir d;
    SndSample* s = dev->sampleLoad(sampleFile(d, "l.wav", filmSoundRate, 100, 8000).c_str());
    int ch = dev->play(s, 255, 0, 1);  // full left
    std::vector<short> out = mix(1000);
    EXPECT_NEAR(8000, out[2 * 950], 80) << "still sounding after ten rounds";
    EXPECT_EQ(0, out[2 * 950 + 1]) << "nothing on the right";
    dev->setVolume(ch, 0);
    EXPECT_EQ(0, mix(10)[0]) << "volume 0 is silence";
    dev->setVolume(ch, 255);
    dev->setPan(ch, 255);
    out = mix(10);
    EXPECT_EQ(0, out[0]);
    EXPECT_NEAR(8000, out[1], 80) << "panned right";
    dev->stop(ch);
    EXPECT_EQ(0, filmVoicesSounding());
    EXPECT_EQ(0, mix(10)[1]);
    dev->sampleFree(s);
}

TEST_F(FilmSound, ASampleAtAnotherRatePlaysAsLongAsItLasts)
{
    TempDir d;
    SndSample* s = dev->sampleLoad(sampleFile(d, "h.wav", filmSoundRate / 2, 500, 5000).c_str());
    dev->play(s, 255, 127, 0);
    std::vector<short> out = mix(1200);
    EXPECT_NE(0, out[2 * 990]) << "half the rate: twice the frames";
    EXPECT_EQ(0, out[2 * 1010]);
    int a = dev->play(s, 255, 127, 0), b = dev->play(s, 255, 127, 0);
    EXPECT_NE(a, b);
    EXPECT_EQ(2, filmVoicesSounding());
    silenceFilmSound();
    EXPECT_EQ(0, filmVoicesSounding());
    dev->sampleFree(s);
    EXPECT_EQ(nullptr, dev->sampleLoad(d.file("missing.wav").c_str()));
}

}  // namespace
