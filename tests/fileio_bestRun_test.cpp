#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "run/bestRun.h"
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
    b[5] = 3;
    EXPECT_STREQ(decode(b, &r), "another version");
    b[5] = 2;
    EXPECT_STREQ(decode(b, &r), "a size that does not match its samples") << "version 2 without its input";
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

// ---- version 2: the run's input after the samples

static RideConditions ridden()
{
    RideConditions c;
    c.ticksPerSecond = 60;
    c.weight = 72.5f;
    c.tolerances[0] = 30, c.tolerances[1] = 45, c.tolerances[2] = 89;
    return c;
}

static void recordTicks(InputRecording* in, const std::vector<unsigned short>& heldPerTick)
{
    for (unsigned short h : heldPerTick) recordTickInput(in, h, ridden());
    in->closed = 1;
}

static std::vector<unsigned short> ticksOf(const InputRecording& in)
{
    std::vector<unsigned short> out;
    InputCursor c;
    startInputCursor(&c, in);
    unsigned short h;
    while (nextTickInput(&c, &h)) out.push_back(h);
    return out;
}

static BestRun roundTrip(const BestRun& run, size_t* bytes = nullptr)
{
    std::vector<unsigned char> b;
    encodeBestRun(run, &b);
    if (bytes) *bytes = b.size();
    BestRun back;
    EXPECT_EQ(decode(b, &back), nullptr);
    return back;
}

TEST(BestRunInput, EveryTicksButtonsComeBackInOrder)
{
    // Every tick changing, a long hold, a return to nothing, every button at once.
    std::vector<unsigned short> ticks;
    for (int k = 0; k < 40; k++) ticks.push_back((unsigned short)(1u << (k % RB_COUNT)));
    ticks.insert(ticks.end(), 500, (unsigned short)(1u << RB_UP | 1u << RB_JUMP));
    ticks.insert(ticks.end(), 3, (unsigned short)0);
    ticks.push_back(allHeldBits);
    BestRun run = knownRun(4);
    recordTicks(&run.rec.input, ticks);
    ASSERT_EQ(run.rec.input.spans.size(), 43u);
    size_t size = 0;
    BestRun back = roundTrip(run, &size);
    EXPECT_EQ(size, 4 + 2 + 9 + 7 + 12 + 4 * bestRunSampleBytes + 17 + 43 * 4u) << "one 4-byte span a change";
    EXPECT_EQ(ticksOf(back.rec.input), ticks);
    EXPECT_TRUE(wholeInput(back.rec.input));
    EXPECT_EQ(back.rec.input.ridden.ticksPerSecond, 60);
    EXPECT_EQ(back.rec.input.ridden.weight, 72.5f);
    EXPECT_EQ(back.rec.input.ridden.tolerances[0], 30);
    EXPECT_EQ(back.rec.input.ridden.tolerances[2], 89);
    // The samples are read as a version 1 reader reads them: the ghost is the same.
    ASSERT_EQ(back.rec.samples.size(), 4u);
    for (int k = 0; k < 4; k++)
        EXPECT_EQ(0, memcmp(&back.rec.samples[k], &run.rec.samples[k], sizeof(RunSample))) << "sample " << k;
}

TEST(BestRunInput, AHoldLongerThanASpanIsSplitAndJoinedAgain)
{
    BestRun run = knownRun(2);
    const unsigned long ticks = 3 * bestRunSpanTicksMax + 7;
    appendHeldSpan(&run.rec.input, 1u << RB_UP, ticks);
    run.rec.input.ridden = ridden();
    run.rec.input.closed = 1;
    size_t size = 0;
    BestRun back = roundTrip(run, &size);
    EXPECT_EQ(size, 4 + 2 + 9 + 7 + 12 + 2 * bestRunSampleBytes + 17 + 4 * 4u) << "four spans in the file";
    ASSERT_EQ(back.rec.input.spans.size(), 1u);
    EXPECT_EQ(back.rec.input.spans[0].ticks, ticks);
    EXPECT_EQ(back.rec.input.ticks, ticks);
}

TEST(BestRunInput, ARunWithoutItsWholeInputIsWrittenAsAGhostOnly)
{
    BestRun run = knownRun(3);
    std::vector<unsigned char> plain, b;
    encodeBestRun(run, &plain);
    EXPECT_EQ(plain[5], 1) << "no input: version 1";
    recordTicks(&run.rec.input, {});  // an empty run
    encodeBestRun(run, &b);
    EXPECT_EQ(b, plain);
    recordTicks(&run.rec.input, {4, 4, 5});
    run.rec.input.closed = 0;  // still riding past the line in the air
    encodeBestRun(run, &b);
    EXPECT_EQ(b, plain);
    run.rec.input.closed = 1;
    run.rec.input.full = 1;  // an hour went by: the input stopped
    encodeBestRun(run, &b);
    EXPECT_EQ(b, plain);
    // A version 1 file still loads, as the ghost it always was, with no input to ride.
    BestRun back;
    ASSERT_EQ(decode(plain, &back), nullptr);
    EXPECT_EQ(back.rec.samples.size(), 3u);
    EXPECT_FALSE(wholeInput(back.rec.input));
    EXPECT_EQ(back.rec.input.ticks, 0u);
}

TEST(BestRunInput, RecordingStopsAtItsBoundAndOnceClosed)
{
    InputRecording in;
    appendHeldSpan(&in, 0, maxRecordedTicks - 1);
    recordTickInput(&in, 2, ridden());
    EXPECT_EQ(in.ticks, maxRecordedTicks);
    EXPECT_EQ(in.full, 0);
    recordTickInput(&in, 2, ridden());
    EXPECT_EQ(in.full, 1);
    EXPECT_EQ(in.ticks, maxRecordedTicks);
    InputRecording closed;
    recordTickInput(&closed, 1, ridden());
    closed.closed = 1;
    recordTickInput(&closed, 1, ridden());
    EXPECT_EQ(closed.ticks, 1u);
    EXPECT_EQ(closed.ridden.weight, 72.5f) << "the first tick notes the conditions";
}

TEST(BestRunInput, DamagedInputIsRefusedWithTheReason)
{
    BestRun run = knownRun(2);
    recordTicks(&run.rec.input, {1, 1, 2, 0, 0, 0, 8});
    std::vector<unsigned char> good, b;
    encodeBestRun(run, &good);
    BestRun r;
    ASSERT_EQ(decode(good, &r), nullptr);
    const size_t inputAt = 4 + 2 + 9 + 7 + 12 + 2 * bestRunSampleBytes;
    const size_t ticksAt = inputAt + 9, countAt = ticksAt + 4, spansAt = countAt + 4;
    ASSERT_EQ(good.size(), spansAt + 4 * 4);

    b = good;
    b.resize(b.size() - 1);
    EXPECT_STREQ(decode(b, &r), "a size that does not match its input") << "truncated in a span";
    b.resize(inputAt + 5);
    EXPECT_STREQ(decode(b, &r), "a size that does not match its samples") << "truncated in the conditions";
    b = good;
    b[inputAt] = 0, b[inputAt + 1] = 0;
    EXPECT_STREQ(decode(b, &r), "an absurd tick rate");
    b = good;
    b[inputAt + 2] = 200;
    EXPECT_STREQ(decode(b, &r), "an absurd landing tolerance");
    b = good;
    putU32At(&b, inputAt + 5, 0x7f800000u);  // an infinite weight
    EXPECT_STREQ(decode(b, &r), "an absurd rider weight");
    b = good;
    putU32At(&b, countAt, 0xffffffffu);
    EXPECT_STREQ(decode(b, &r), "an absurd span count") << "huge";
    b = good;
    putU32At(&b, countAt, 5);
    EXPECT_STREQ(decode(b, &r), "a size that does not match its input") << "one span more than there are";
    b = good;
    putU32At(&b, ticksAt, 0xfffffff0u);
    EXPECT_STREQ(decode(b, &r), "an absurd tick count");
    b = good;
    putU32At(&b, ticksAt, 8);
    EXPECT_STREQ(decode(b, &r), "spans that do not add up to the ticks") << "a tick short";
    b = good;
    b[spansAt + 2] = 0xff, b[spansAt + 3] = 0xff;  // the first span as long as a span can be
    EXPECT_STREQ(decode(b, &r), "spans that do not add up to the ticks");
    b = good;
    b[spansAt + 2] = 0, b[spansAt + 3] = 0;
    EXPECT_STREQ(decode(b, &r), "spans that do not add up to the ticks") << "an empty span";
    b = good;
    b[spansAt] = 0x80;  // bit 15: no such button
    EXPECT_STREQ(decode(b, &r), "an unknown button held");
    EXPECT_FALSE(wholeInput(r.rec.input));
    // A changed button is no damage the file can see: the re-ride tells (the simulation's tests).
    b = good;
    b[spansAt + 1] = 3;
    ASSERT_EQ(decode(b, &r), nullptr);
    EXPECT_EQ(ticksOf(r.rec.input)[0], 3);
}
