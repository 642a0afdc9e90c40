#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "fileio/bestRun.h"
#include "support/testFiles.h"

static RunSample sampleNumbered(int k)
{
    RunSample s;
    memset(&s, 0, sizeof s);
    s.runTime = k * 0.05f;
    s.pos[0] = 1000.0f + 100.0f * k, s.pos[1] = 5.0f - 20.0f * k, s.pos[2] = 3.0f * k;
    s.yaw = 10.0f * k, s.pitch = -5.0f, s.roll = 2.5f, s.tumble = 0, s.lean = 12.0f;
    for (int i = 0; i < poseAngles; i++) s.pose[i] = (float)(i - k);
    s.flags = sampleContact | (k % 2 ? sampleFakie : 0);
    return s;
}

static BestRun knownRun(int samples)
{
    BestRun r;
    strcpy(r.track, "ironpark");
    strcpy(r.rider, "tolvek");
    r.finalScore = 123456;
    r.finalTime = 61.5f;
    clearRecording(&r.rec);
    for (int k = 0; k < samples; k++) r.rec.samples.push_back(sampleNumbered(k));
    r.rec.samples.back().flags |= sampleFinished;
    r.rec.finished = 1;
    return r;
}

static const char* decode(const std::vector<unsigned char>& b, BestRun* out, const char* track = "ironpark")
{
    return decodeBestRun(b.data(), b.size(), track, out);
}

TEST(BestRunFile, BytesOfASmallKnownRun)
{
    std::vector<unsigned char> b;
    encodeBestRun(knownRun(1), &b);
    const unsigned char header[] = {'K', 'R', 'U', 'N', 0, 1,                       // magic, version 1
                                    8, 'i', 'r', 'o', 'n', 'p', 'a', 'r', 'k',       // track
                                    6, 't', 'o', 'l', 'v', 'e', 'k',                 // rider
                                    0, 0, 0, 1,                                      // one sample
                                    0, 1, 0xe2, 0x40,                                // score 123456
                                    0x42, 0x76, 0, 0};                               // 61.5 s
    ASSERT_EQ(b.size(), sizeof header + bestRunSampleBytes);
    EXPECT_EQ(0, memcmp(b.data(), header, sizeof header));
    const unsigned char* s = b.data() + sizeof header;
    const unsigned char firstFloats[] = {0, 0, 0, 0,            // run time 0
                                         0x44, 0x7a, 0, 0,      // x 1000
                                         0x40, 0xa0, 0, 0,      // y 5
                                         0, 0, 0, 0,            // z 0
                                         0, 0, 0, 0,            // yaw 0
                                         0xc0, 0xa0, 0, 0};     // pitch -5
    EXPECT_EQ(0, memcmp(s, firstFloats, sizeof firstFloats));
    const unsigned char* pose = s + 4 * 9;
    const unsigned char poseOne[] = {0x3f, 0x80, 0, 0};         // pose angle 1 is 1 degree
    EXPECT_EQ(0, memcmp(pose + 4, poseOne, 4));
    EXPECT_EQ(b.back(), sampleContact | sampleFinished);
}

TEST(BestRunFile, SavedAndLoadedRunGivesBackTheSameSamples)
{
    TempDir dir;
    BestRun saved = knownRun(50), loaded;
    ASSERT_EQ(saveBestRun(dir.file("best.run").c_str(), saved), 0);
    ASSERT_EQ(loadBestRun(dir.file("best.run").c_str(), "ironpark", &loaded), 0);
    EXPECT_STREQ(loaded.rider, "tolvek");
    EXPECT_EQ(loaded.finalScore, 123456);
    EXPECT_EQ(loaded.finalTime, 61.5f);
    EXPECT_EQ(loaded.rec.finished, 1);
    ASSERT_EQ(loaded.rec.samples.size(), 50u);
    for (int k = 0; k < 50; k++)
        EXPECT_EQ(0, memcmp(&loaded.rec.samples[k], &saved.rec.samples[k], sizeof(RunSample))) << "sample " << k;
    // No temporary file is left beside it.
    EXPECT_TRUE(readBytes(dir.file("best.run.tmp")).empty());
}

TEST(BestRunFile, SaveIntoAMissingFolderFailsAndKeepsNothing)
{
    TempDir dir;
    EXPECT_EQ(saveBestRun(dir.file("gone/best.run").c_str(), knownRun(3)), 1);
}

static void putU32At(std::vector<unsigned char>* b, size_t at, unsigned v)
{
    for (int i = 0; i < 4; i++) (*b)[at + i] = (unsigned char)(v >> (24 - 8 * i));
}

TEST(BestRunFile, BadFilesAreRefusedWithTheReason)
{
    std::vector<unsigned char> good;
    encodeBestRun(knownRun(4), &good);
    BestRun r;
    ASSERT_EQ(decode(good, &r), nullptr);
    const size_t countAt = 4 + 2 + 9 + 7, samplesAt = countAt + 12;

    std::vector<unsigned char> b = good;
    b.resize(b.size() - 1);
    EXPECT_STREQ(decode(b, &r), "a size that does not match its samples") << "truncated";
    EXPECT_STREQ(decode(std::vector<unsigned char>(good.begin(), good.begin() + 10), &r), "bad names");
    EXPECT_STREQ(decode({}, &r), "not a best run");
    b = good;
    b[5] = 2;
    EXPECT_STREQ(decode(b, &r), "another version");
    EXPECT_STREQ(decode(good, &r, "frostbowl"), "another track's run");
    b = good;
    putU32At(&b, countAt, 1000000000u);
    EXPECT_STREQ(decode(b, &r), "an absurd sample count") << "a billion frames";
    b = good;
    putU32At(&b, countAt, 0);
    EXPECT_STREQ(decode(b, &r), "an absurd sample count");
    b = good;
    putU32At(&b, samplesAt + bestRunSampleBytes + 4, 0x7fc00000u);  // x of sample 1 is NaN
    EXPECT_STREQ(decode(b, &r), "a sample out of range");
    b = good;
    putU32At(&b, samplesAt + 2 * bestRunSampleBytes, 0);  // sample 2 at time 0, after 0.05
    EXPECT_STREQ(decode(b, &r), "time going backwards");
    b = good;
    b[4 + 2 + 9 + 1] = '.';  // rider "..lvek" would leave the models folder
    b[4 + 2 + 9 + 2] = '/';
    EXPECT_STREQ(decode(b, &r), "bad names");
}

TEST(BestRunFile, MissingOrRefusedFileLoadsNoSamples)
{
    TempDir dir;
    BestRun r = knownRun(5);
    EXPECT_EQ(loadBestRun(dir.file("none.run").c_str(), "ironpark", &r), 1);
    EXPECT_TRUE(r.rec.samples.empty());
    writeBytes(dir.file("junk.run"), {'K', 'R', 'U', 'N', 0, 1, 3});
    r = knownRun(5);
    EXPECT_EQ(loadBestRun(dir.file("junk.run").c_str(), "ironpark", &r), 1);
    EXPECT_TRUE(r.rec.samples.empty());
}
