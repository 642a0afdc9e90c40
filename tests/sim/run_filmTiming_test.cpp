// A film's frames and the run they show: as many frames as the run's time at the film's rate, each
// at its own moment of the run (the run's clock reads the frame's time), whatever the rate; and the
// sound's share of each frame adds up to the film's length.
#include <gtest/gtest.h>

#include <cmath>

#include "recordedRun.h"
#include "run/filmTiming.h"
#include "run/replayRide.h"
#include "run/runTick.h"

namespace {

using namespace recorded_run;

TEST(FilmTiming, FramesFollowTheFilmsClockNotTheTicks)
{
    for (int fps : {24, 25, 30, 60, 120}) {
        FilmTiming t = filmTimingFor(100, 12.34, fps);
        EXPECT_EQ(t.frames, (long)std::floor(12.34 * fps) + 1) << fps;
        EXPECT_GT(t.frames, 12.34 * fps);
        EXPECT_LE(t.frames, 12.34 * fps + 1) << "the run's time, and a frame at most more";
        long lastTick = 0;
        for (long f = 0; f < t.frames; f++) {
            long tick;
            float fraction;
            filmFrameMoment(t, f, &tick, &fraction);
            ASSERT_GE(fraction, 0.0f);
            ASSERT_LT(fraction, 1.0f);
            ASSERT_GE(tick, lastTick) << "never back";
            double shown = (tick - 100 + fraction) * runTickSeconds;
            ASSERT_NEAR(shown, (double)f / fps, 1e-6) << "frame " << f << " at " << fps;
            lastTick = tick;
        }
        EXPECT_NEAR((lastTick - 100) * runTickSeconds, 12.34, 1.0 / fps + runTickSeconds) << "the last shows the end";
        EXPECT_EQ(filmFrameMs(t, fps), 1000) << "a second of film is a second of its clock";
        EXPECT_EQ(filmSoundFramesBefore(t, t.frames, 44100), (long)((long long)t.frames * 44100 / fps))
            << "the sound lasts as long as the pictures";
    }
    long tick;
    float fraction;
    filmFrameMoment(filmTimingFor(0, 1, 60), 7, &tick, &fraction);
    EXPECT_EQ(7, tick) << "at the tick rate every frame is a whole tick";
    EXPECT_EQ(0.0f, fraction);
    filmFrameMoment(filmTimingFor(0, 1, 24), 1, &tick, &fraction);
    EXPECT_EQ(2, tick);
    EXPECT_NEAR(0.5f, fraction, 1e-6);
    EXPECT_EQ(1, filmTimingFor(0, 0, 30).frames) << "a run of no time is one frame";
}

// Iron Park's recorded run filmed at 30 frames a second: the first frame is where its time starts,
// each frame's run time is the frame's, and the last shows the run's own time.
TEST(FilmTiming, ARecordedRunFilmedFrameByFrameShowsItsOwnTimes)
{
    KeptConditions kept;
    BestRun run = recordRun();
    loadTrack();
    ReplayRide ride;
    ASSERT_TRUE(beginReplayRide(simRun, loadedTrack, &ride, run.rec.input));
    long start = rideToRunStart(simRun, loadedTrack, &ride);
    EXPECT_TRUE(simRun.timing.DEPART == 1) << "the countdown is over";
    EXPECT_GT(start, 0) << "it took some ticks";
    EXPECT_EQ(0.0f, simRun.timing.totalTime);
    FilmTiming t = filmTimingFor(start, run.finalTime, 30);
    EXPECT_NEAR(t.frames, run.finalTime * 30, 1.0) << "the film lasts the run's time";
    for (long f = 1; f < t.frames; f += 97) {
        long tick;
        float fraction;
        filmFrameMoment(t, f, &tick, &fraction);
        rideReplayTo(simRun, loadedTrack, &ride, tick, 0);
        ASSERT_NEAR(simRun.timing.totalTime + fraction * runTickSeconds, (double)f / 30, 1e-4) << "frame " << f;
    }
    long tick;
    float fraction;
    filmFrameMoment(t, t.frames - 1, &tick, &fraction);
    rideReplayTo(simRun, loadedTrack, &ride, tick, 0);
    EXPECT_NEAR(simRun.timing.totalTime, run.finalTime, 1.0 / 30) << "the last frame shows the finish time";
    rideReplayTo(simRun, loadedTrack, &ride, tick + ticksIn(1.0 / 30) + 1, 0);
    EXPECT_TRUE(simRun.motion.skieurArrive == 1) << "the line is crossed within a frame after it";
    endReplayRide(&ride);
    kept.giveBack();
}

}  // namespace
