// Particles, ski traces, frame counter, rocket climb, glyph cells and the shadow matrix.
#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>

#include "platform/frameCounter.h"
#include "platform/gameClock.h"
#include "render/SnowParticleEngine.h"
#include "render/font.h"
#include "render/guistuff.h"
#include "render/helpanim.h"
#include "render/scene.h"
#include "render/skiTraces.h"

TEST(RenderParticles, BirthAndRandomScale)
{
    srand(7);
    for (int i = 0; i < 2000; i++) {
        float r = SnowParticleEngine::randomSpeedScaleGenerator();
        ASSERT_LE(fabsf(r), 0.9f + 1e-6f);
        ASSERT_NEAR(r * 10, roundf(r * 10), 1e-4);
    }
    SnowParticleEngine e(20, 0, 1, 2, 3, 0, 200, -600, 55, 0.08f, 400, 200);
    for (int i = 0; i < e.count; i++) {
        const SnowParticle& p = e.particles[i];
        EXPECT_EQ(1.0f, p.x);
        EXPECT_EQ(3.0f, p.bz);
        EXPECT_GE(p.alpha, 0.55f - 1e-6f);
        EXPECT_LE(p.alpha, 1.0f);
        EXPECT_LE(fabsf(p.vy - 200), 180.0f + 1e-3f);
        EXPECT_EQ(55.0f, p.gy);
        EXPECT_EQ(0.0f, p.size);
    }
    EXPECT_EQ(1, e.restartClock);
}

TEST(RenderParticles, SortIsDecreasingZAndTiesMoveByOne)
{
    SnowParticleEngine e(4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    float zs[4] = {1, 5, 3, 5};
    for (int i = 0; i < 4; i++) e.particles[i].z = zs[i];
    e.sortParticlesToDraw();
    for (int i = 1; i < 4; i++) EXPECT_GE(e.particles[i - 1].z, e.particles[i].z);
    EXPECT_EQ(6.0f, e.particles[0].z) << "one of the tied pair moved 1.0 further";
    EXPECT_EQ(5.0f, e.particles[1].z);

    SnowParticle a, b;
    a.z = b.z = 2;
    EXPECT_EQ(-1, particleComp(&a, &b));
    EXPECT_EQ(3.0f, a.z);
}

TEST(RenderParticles, MoveUsesClockAndBurst)
{
    gameClockSetManual(1000);
    SnowParticleEngine e(2, 0, 0, 0, 0, 0, 100, 0, 10, 0, 1, 0);
    e.setContinuousEmission(0);
    e.moveParticlesToNextFrameState(1.0f);  // restarts the clock: dt 0
    EXPECT_EQ(0.0, e.dt);
    EXPECT_EQ(0.0f, e.particles[0].y);
    EXPECT_EQ(90.0f, e.particles[0].vy);
    gameClockAdvance(500);
    e.moveParticlesToNextFrameState(2.0f);
    EXPECT_NEAR(0.5, e.dt, 1e-9);
    EXPECT_NEAR(90.0f, e.particles[0].y, 1e-3);  // 2 x 90 x 0.5
    e.setBurst(1);
    e.moveParticlesToNextFrameState(1.0f);
    EXPECT_EQ(0, e.burst);
    EXPECT_EQ(800.0f, e.particles[0].vy) << "burst rebirth: speed x 8";
    // dead particles without continuous emission stay dead
    e.particles[1].alpha = -0.5f;
    e.moveParticlesToNextFrameState(1.0f);
    EXPECT_LT(e.particles[1].alpha, 0.0f);
    gameClockSetReal();
}

// A burst near the camera stays a puff: each sprite's side is bounded by its distance from the eye.
TEST(RenderParticles, SpriteSizeIsBoundedByItsDistanceFromTheEye)
{
    EXPECT_FLOAT_EQ(300.0f, boundedSpriteSize(300, 10000, SPRAY_SCREEN_SHARE));
    EXPECT_FLOAT_EQ(SPRAY_SCREEN_SHARE * 500, boundedSpriteSize(400, 500, SPRAY_SCREEN_SHARE));
    EXPECT_LT(boundedSpriteSize(4000, 3000, SPRAY_SCREEN_SHARE), boundedSpriteSize(4000, 3000, BOMB_SCREEN_SHARE));
    EXPECT_EQ(0.0f, boundedSpriteSize(400, 0, SPRAY_SCREEN_SHARE)) << "at the eye";
    EXPECT_EQ(0.0f, boundedSpriteSize(400, -200, BOMB_SCREEN_SHARE)) << "behind the eye";
    SnowParticleEngine e(4, 0, 0, 0, 0, 0, 200, -600, 55, 0.08f, 400, 200);
    EXPECT_FLOAT_EQ(SPRAY_SCREEN_SHARE, e.screenShare);
    e.setScreenShare(BOMB_SCREEN_SHARE);
    EXPECT_FLOAT_EQ(BOMB_SCREEN_SHARE, e.screenShare);
}

TEST(RenderTraces, KeepsTheLatest49Pairs)
{
    SkiTraces t;
    for (int i = 0; i < 49; i++) t.add(new ThreeDPoint(i, 0, 0), new ThreeDPoint(i, 1, 0), 7);
    EXPECT_EQ(49, t.count);
    EXPECT_EQ(0, t.full);
    t.add(new ThreeDPoint(49, 0, 0), new ThreeDPoint(49, 1, 0), 8);
    EXPECT_EQ(49, t.count);
    EXPECT_EQ(1, t.full);
    EXPECT_EQ(1.0f, t.left[0]->x) << "oldest pair dropped";
    EXPECT_EQ(49.0f, t.right[48]->x);
    EXPECT_EQ(8u, t.texture[48]);
    t.reset();
    EXPECT_EQ(0, t.count);
    EXPECT_EQ(1, t.first);
}

TEST(RenderFrameCounter, OneCallEvery20ms)
{
    gameClockSetManual(5000);
    resetFramesPerSecond();
    double r = -1;
    int calls = 0;
    for (; calls < 51; calls++) {
        r = framesPerSecond();
        ASSERT_EQ(0.0, r) << "call " << calls;
        gameClockAdvance(20);
    }
    r = framesPerSecond();  // 52nd call, 1020 ms after arming
    EXPECT_EQ(52.0, r);
    gameClockAdvance(20);
    EXPECT_EQ(52.0, framesPerSecond()) << "keeps the last rate while the next window runs";
    gameClockSetReal();
}

TEST(RenderRocket, ClimbAt20FramesASecond)
{
    RocketState s = {0, 5.0f, 0, 0, 0, 0};
    float lift = 0;
    int frame = 0;
    short done = 0;
    float lifts[30];
    while (!done && frame < 30) {
        done = stepRocket(&s, 100.0f, 1.0f, &lift);
        lifts[frame++] = lift;
    }
    EXPECT_EQ(27, frame);
    EXPECT_FLOAT_EQ(200.0f, lifts[0]);
    EXPECT_FLOAT_EQ(410.0f, lifts[1]);
    EXPECT_FLOAT_EQ(630.5f, lifts[2]);
    EXPECT_LT(lifts[24], 10000.0f);
    EXPECT_GE(lifts[25], 10000.0f) << "passes 10000 after 26 frames";
    EXPECT_EQ(0, s.deb) << "resets itself for the next rescue";
}

TEST(RenderFont, GlyphCells)
{
    float s, t;
    glyphCellCoords(0, &s, &t);
    EXPECT_FLOAT_EQ(0.0f, s);
    EXPECT_FLOAT_EQ(15.0f / 16, t) << "cell 0 is the top-left cell";
    glyphCellCoords(33, &s, &t);
    EXPECT_FLOAT_EQ(1.0f / 16, s);
    EXPECT_FLOAT_EQ(13.0f / 16, t);
    EXPECT_EQ('A' - 32, glyphCellFor(0, 'A'));
    EXPECT_EQ('A' - 32 + 128, glyphCellFor(1, 'A'));
    EXPECT_EQ(glyphCellFor(1, 'A'), glyphCellFor(5, 'A')) << "set 5 prints with set 1";
    // bytes with no glyph fall outside the 256 cells, so that a line skips them rather than call
    // whatever list lies beside the font's
    EXPECT_LT(glyphCellFor(0, '\n'), 0);
    EXPECT_LT(glyphCellFor(0, (signed char)0xC5), 0) << "a high byte read as signed, as the lists were called";
    EXPECT_EQ(0xC5 - 256 + 96, glyphCellFor(1, (signed char)0xC5));
    EXPECT_EQ(223, glyphCellFor(1, 127)) << "the highest cell a line reaches";
}

TEST(RenderShadow, MatrixFlattensOntoThePlane)
{
    float pts[3][3] = {{0, -50, 0}, {100, -50, 0}, {0, -50, 100}};
    float light[4] = {2000, 10000, 0, 1};
    float m[4][4];
    MakeShadowMatrix(pts, light, m);
    float n[3];
    calcNormal(pts, n);
    EXPECT_NEAR(1.0f, fabsf(n[1]), 1e-6);
    // project a few points: all land on y = -50, on the line from the light
    float probes[3][3] = {{10, 0, 5}, {-30, 80, 40}, {0, -10, 0}};
    // both windings of the ground triangle: the flattened points keep a positive w (not clipped)
    float reversed[3][3] = {{0, -50, 0}, {0, -50, 100}, {100, -50, 0}};
    for (auto* plane : {pts, reversed}) {
        MakeShadowMatrix(plane, light, m);
        for (auto& p : probes) {
            float v[4] = {p[0], p[1], p[2], 1}, o[4];
            for (int r = 0; r < 4; r++) o[r] = m[0][r] * v[0] + m[1][r] * v[1] + m[2][r] * v[2] + m[3][r] * v[3];
            EXPECT_GT(o[3], 0.0f);
            EXPECT_NEAR(-50.0f, o[1] / o[3], 1e-3);
            float t = (10000 - (-50)) / (10000 - p[1]);
            EXPECT_NEAR(2000 + (p[0] - 2000) * t, o[0] / o[3], 1e-2);
        }
    }
    float zero[3] = {0, 0, 0};
    ReduceToUnit(zero);
    EXPECT_EQ(0.0f, zero[0]);
}
