// HUD band widths, trick-key lists, firework and collectable steps, trace choice.
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>

#include <string>
#include <vector>

#include "render/ghostDraw.h"
#include "render/graphImage.h"
#include "render/guistuff.h"
#include "render/helpanim.h"
#include "render/hudHints.h"
#include "render/lessonDraw.h"
#include "run/lesson.h"
#include "shell/keymap.h"
#include "render/skiTraces.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "support/planeTrack.h"
#include "track/planLib.h"

TEST(RenderHud, BandWidthsAndTrickKeyLists)
{
    EXPECT_FLOAT_EQ(301.0f, bandWidthFor("12345678901234567890"));
    EXPECT_FLOAT_EQ(339.0f, 640.0f - bandWidthFor("12345678901234567890"));
    EXPECT_FLOAT_EQ(21.0f, bandWidthFor(""));
    int none[6] = {-1, 3, 3, 3, 3, 3};
    int two[6] = {4, 0, -1, -1, -1, -1};
    int full[6] = {0, 1, 2, 3, 4, 5};  // no terminator: stop after six
    EXPECT_EQ(0, combiLength(none));
    EXPECT_EQ(2, combiLength(two));
    EXPECT_EQ(6, combiLength(full));
}

TEST(RenderEffects, FireworkAt20And40FramesASecond)
{
    FireworkState f = {};
    f.sizeStar = 1.0f;
    std::vector<float> scales;
    float s;
    int frames = 0;
    short done = 0;
    float star = 1;
    while (!done && frames < 50) {
        done = stepFirework(&f, 1.0f, &s);
        scales.push_back(s);
        frames++;
        if (!done) {
            EXPECT_FLOAT_EQ(star * 2, f.sizeStar);
            star = f.sizeStar;
        }
    }
    EXPECT_EQ(11, frames);
    ASSERT_EQ(11u, scales.size());
    for (int i = 0; i < 10; i++) EXPECT_NEAR(0.5f * (i + 1), scales[i], 1e-5);
    EXPECT_EQ(0.0f, scales[10]);
    EXPECT_EQ(0, f.deb);
    // at 40 frames a second (k = 0.5) the stars keep their size
    FireworkState g = {};
    g.sizeStar = 1.0f;
    stepFirework(&g, 0.5f, &s);
    stepFirework(&g, 0.5f, &s);
    EXPECT_FLOAT_EQ(1.0f, g.sizeStar);
    EXPECT_FLOAT_EQ(0.5f, s);
}

TEST(RenderEffects, CollectableSpinWrapsAt360)
{
    // 75 degrees a second: 3.75 a frame at 20 frames a second
    EXPECT_FLOAT_EQ(3.75f, nextCollectableAngle(0, 1.0f));
    EXPECT_FLOAT_EQ(0.0f, nextCollectableAngle(356.25f, 1.0f));
    EXPECT_FLOAT_EQ(359.75f, nextCollectableAngle(356.0f, 1.0f));
}

TEST(RenderTraces, PairChoiceAndWhenTheListResets)
{
    int l, r, slot;
    chooseTracePair(1, 200, 10, &l, &r, &slot);
    EXPECT_EQ((std::vector<int>{1, 0, texStuffTraceRun}), (std::vector<int>{l, r, slot}));
    chooseTracePair(0, 0, 10, &l, &r, &slot);
    EXPECT_EQ((std::vector<int>{2, 3, texStuffTraceRun}), (std::vector<int>{l, r, slot}));
    chooseTracePair(0, 200, 0, &l, &r, &slot);
    EXPECT_EQ((std::vector<int>{1, 3, texStuffTraceBreak}), (std::vector<int>{l, r, slot}));
    chooseTracePair(0, 200, 5, &l, &r, &slot);
    EXPECT_EQ((std::vector<int>{0, 2, texStuffTraceBreak}), (std::vector<int>{l, r, slot}));

    buildPlaneTrack(false);
    reinitGameVar(playerRun, loadedTrack);
    skiTraces.reset();
    playerRun.motion.Xobjet = 30000, playerRun.motion.Zobjet = 100;
    const float here[3] = {playerRun.motion.Xobjet, playerRun.motion.Yobjet, playerRun.motion.Zobjet};
    setContact(playerRun, 1);
    playerRun.motion.skieurStop = 0;
    for (int i = 0; i < 3; i++) updateTraces(loadedTrack, playerRun.pose, here, -1);
    ASSERT_EQ(3, skiTraces.count);
    // laid 5 above the terrain at the ski's place
    const ThreeDPoint* p = skiTraces.left[0];
    EXPECT_NEAR(planeTrackHeight(p->x, p->z) + 5.0f, p->y, 0.5f);
    playerRun.motion.skieurStop = 1;
    setContact(playerRun, 0);
    updateTraces(loadedTrack, playerRun.pose, here, -1);
    EXPECT_EQ(3, skiTraces.count);  // stopped: the marks stay
    playerRun.motion.skieurStop = 0;
    updateTraces(loadedTrack, playerRun.pose, here, -1);
    EXPECT_EQ(0, skiTraces.count);  // in the air: gone
    setContact(playerRun, 1);
    playerRun.phases.chute = 1;
    updateTraces(loadedTrack, playerRun.pose, here, -1);
    EXPECT_EQ(0, skiTraces.count);
    playerRun.phases.chute = 0;
    setContact(playerRun, 1);
}

// At any frame rate the marks hold one pair a tick: frames within a tick move its pair with the skis.
TEST(RenderTraces, OnePairATickFollowingTheSkis)
{
    buildPlaneTrack(false);
    reinitGameVar(playerRun, loadedTrack);
    skiTraces.reset();
    setContact(playerRun, 1);
    playerRun.motion.skieurStop = 0, playerRun.phases.chute = 0;
    float at[3] = {30000, 0, 100};
    updateTraces(loadedTrack, playerRun.pose, at, 7);
    for (int frame = 0; frame < 3; frame++) {
        at[0] += 20;
        updateTraces(loadedTrack, playerRun.pose, at, 8);  // three frames drawn within tick 8
    }
    ASSERT_EQ(2, skiTraces.count);
    EXPECT_NEAR(60.0f, skiTraces.left[1]->x - skiTraces.left[0]->x, 0.01f) << "the newest pair is where the skis are";
    updateTraces(loadedTrack, playerRun.pose, at, 9);
    EXPECT_EQ(3, skiTraces.count);
    // without a tick (a replay, the viewer) every call lays a pair
    updateTraces(loadedTrack, playerRun.pose, at, -1);
    updateTraces(loadedTrack, playerRun.pose, at, -1);
    EXPECT_EQ(5, skiTraces.count);
    skiTraces.reset();
}

TEST(RenderGhostGap, LabelledSignedTenthsAndLevelReadsPlus)
{
    char text[16];
    formatGhostGap(text, 1.44f);
    EXPECT_STREQ(text, "Ghost +1.4");
    formatGhostGap(text, -0.8f);
    EXPECT_STREQ(text, "Ghost -0.8");
    formatGhostGap(text, -0.03f);
    EXPECT_STREQ(text, "Ghost +0.0");
    formatGhostGap(text, 1.0e12f);
    EXPECT_EQ(std::string(text).substr(0, 7), "Ghost +");
    EXPECT_EQ(strlen(text), 15u) << "a huge gap is cut, never written past the text";
}

// The start line until SPACE, the jump disc explained, and the main keys of the map in force fading
// after six seconds of riding; the band can be switched off, the start line cannot.
TEST(RenderHints, StartLineUntilSpaceKeysOfTheMapAndTheirFade)
{
    initKeymap("/nonexistent/keys.map");
    currentKeymap[KM_UP] = 20; // T pushes for this player
    reinitGameVar(playerRun, loadedTrack);
    RunHints h;
    runHints(h, 1);
    EXPECT_STREQ(h.start, "Press SPACE to start");
    EXPECT_STREQ(h.keys[0], "S F or arrows: steer  T: push  D: brake");
    EXPECT_FLOAT_EQ(h.keysAlpha, 1.0f);
    EXPECT_FLOAT_EQ(h.jumpDiscAlpha, 1.0f);
    EXPECT_NE(std::string(h.jumpDisc).find("SPACE"), std::string::npos);
    runHints(h, 0);
    EXPECT_STREQ(h.start, "Press SPACE to start");
    EXPECT_FLOAT_EQ(h.keysAlpha, 0.0f);
    EXPECT_FLOAT_EQ(h.jumpDiscAlpha, 1.0f); // the disc is explained before the start anyway

    playerRun.timing.LETSGO = 1; // the countdown: SPACE was pressed
    runHints(h, 1);
    EXPECT_STREQ(h.start, "");
    playerRun.timing.LETSGO = 0;
    playerRun.timing.DEPART = 1;
    playerRun.timing.totalTime = 6.0f;
    runHints(h, 1);
    EXPECT_FLOAT_EQ(h.keysAlpha, 1.0f);
    playerRun.timing.totalTime = 7.0f;
    runHints(h, 1);
    EXPECT_NEAR(h.keysAlpha, 0.5f, 1e-5);
    EXPECT_NEAR(h.jumpDiscAlpha, 0.5f, 1e-5);
    playerRun.timing.totalTime = 9.0f;
    runHints(h, 1);
    EXPECT_FLOAT_EQ(h.keysAlpha, 0.0f);
    runHints(h, 0);
    EXPECT_FLOAT_EQ(h.jumpDiscAlpha, 0.0f);
    reinitGameVar(playerRun, loadedTrack);
    initKeymap("/nonexistent/keys.map");
}

// The lesson's band words each step in the keys of the map in force, and says nothing outside a lesson.
TEST(RenderLesson, InstructionsNameTheKeysInForce)
{
    initKeymap("/nonexistent/keys.map");
    LessonLines l;
    stopLesson();
    EXPECT_EQ(lessonLines(l), 0);
    startLesson();
    ASSERT_EQ(lessonLines(l), 1);
    EXPECT_STREQ(l.instruction, "Hold E to push");
    EXPECT_STREQ(l.count, "Lesson 1/5   ESC: skip the lesson");
    currentKeymap[KM_UP] = 20;     // T
    currentKeymap[KM_TRICK1] = 17; // Q
    lessonLines(l);
    EXPECT_STREQ(l.instruction, "Hold T to push");
    const char* expected[] = {"S and F steer", "Jump with SPACE at the lip", "Hold Q in the air, let go before you land",
                              "Press ENTER after a fall to be put back", "Well done: you can ride!"};
    for (int step = LESSON_STEER; step <= LESSON_STEPS; step++) {
        lesson.step = step;
        lessonLines(l);
        EXPECT_STREQ(l.instruction, expected[step - 1]) << step;
    }
    EXPECT_STREQ(l.count, "Lesson done");
    stopLesson();
    initKeymap("/nonexistent/keys.map");
}
