// Sound bank rules checked against a recording device: levels, loops, hiss and wind, failures.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "sound/SndWrapper.h"
#include "sound/fmodmusic.h"
#include "sound/gameSounds.h"
#include "sound/runEventSounds.h"
#include "run/runInput.h"
#include "track/planLib.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "support/soundRecorder.h"

namespace {

struct SoundBank : ::testing::Test {
    SoundRecorder recorder;
    void SetUp() override
    {
        initAllSounds();
        reinitSoundsParam();
        skiHiss.volume = 0.0f;
        skiHiss.panoramic = 0.5f;
        skiHiss.lastSide = 0;
        initSkiSndLoop();
        initWindLoopSnd();
    }
    void TearDown() override
    {
        soundSettings = SoundSettings();
        stopTheme();
        gameSounds.themeLoopChan = -1;
        closeMusic();
        quitAllSounds();
    }
    int lastVolume() const { return recorder.last("volume")->value; }
};

TEST(SoundLevels, FractionsBecomeFlooredLevels)
{
    EXPECT_EQ(toSndLevel(0.4f), 102);
    EXPECT_EQ(toSndLevel(0.5f), 127);
    EXPECT_EQ(toSndLevel(0.8f), 204);
    EXPECT_EQ(toSndLevel(1.0f), 255);
    EXPECT_EQ(toSndLevel(0.0f), 0);
    EXPECT_EQ(toSndLevel(1.7f), 255);
    EXPECT_EQ(toSndLevel(-0.2f), 0);
}

TEST_F(SoundBank, LoadsTheSixteenSamplesInOrderAndLoopsTheThemes)
{
    auto loads = recorder.named("sampleLoad");
    ASSERT_EQ(loads.size(), 16u);
    EXPECT_EQ(loads[0].name, "./data/sounds/gui/select135.aif");
    EXPECT_EQ(loads[8].name, "./data/sounds/themes/kestruneintro128.aif");
    EXPECT_EQ(loads[15].name, "./data/sounds/game/boost.aif");

    startTheme();
    const SoundCall* play = recorder.last("play");
    EXPECT_EQ(play->name, "./data/sounds/themes/kestruneintro128.aif");
    EXPECT_EQ(play->value, 255);
    EXPECT_EQ(play->value2, 127);
    EXPECT_EQ(recorder.last("loop")->value, 1);
    EXPECT_EQ(gameSounds.themeLoopChan, play->channel);
    stopTheme();
    EXPECT_EQ(recorder.last("stop")->channel, play->channel);

    playGuiSound(GUI_BACK);
    EXPECT_EQ(recorder.last("play")->name, "./data/sounds/gui/back136.aif");
    EXPECT_EQ(recorder.last("play")->value, 204);
    EXPECT_EQ(recorder.last("loop")->value, 0);
}

TEST_F(SoundBank, MusicPlaysAtVolume102AndOnlyOneAtATime)
{
    EXPECT_EQ(playTrack("./data/bgmusics/a.wav", 0.4f), 0);
    EXPECT_EQ(recorder.last("streamPlay")->value, 102);
    EXPECT_EQ(recorder.last("streamOpen")->value, 1); // looping
    EXPECT_EQ(playTrack("./data/bgmusics/b.wav", 0.4f), 0);
    EXPECT_EQ(recorder.named("streamPlay").size(), 1u);
    stopTrack();
    EXPECT_EQ(channel, -1);
    EXPECT_EQ(playTrack("./data/bgmusics/b.wav", 0.4f), 0);
    EXPECT_EQ(recorder.named("streamPlay").size(), 2u);
}

// The player's music and effects volumes scale what the game asks for; mute silences both; the
// loops and the music already playing take a change at once.
TEST_F(SoundBank, MusicAndEffectsVolumesAndMuteScaleEverySoundAndApplyAtOnce)
{
    soundSettings.musicPercent = 50;
    soundSettings.effectsPercent = 20;
    playGuiSound(GUI_CHOOSE);
    EXPECT_EQ(recorder.last("play")->value, toSndLevel(0.8f * 0.2f));
    startTheme();
    EXPECT_EQ(recorder.last("play")->value, 127); // the theme is music: 1.0 x 50 %
    int theme = gameSounds.themeLoopChan;
    ASSERT_EQ(playTrack("./data/bgmusics/a.wav", 0.4f), 0);
    EXPECT_EQ(recorder.last("streamPlay")->value, 51);
    stepWindLoopSnd(1, 0.0f, 0.0f); // wind at 0.2 on the snow
    EXPECT_EQ(lastVolume(), toSndLevel(0.2f * 0.2f));

    toggleMute();
    auto volumes = recorder.named("volume");
    bool themeSilenced = false, musicSilenced = false, windSilenced = false;
    for (const SoundCall& c : volumes) {
        themeSilenced |= c.channel == theme && c.value == 0;
        musicSilenced |= c.channel == channel && c.value == 0;
        windSilenced |= c.channel == gameSounds.windLoopChan && c.value == 0;
    }
    EXPECT_TRUE(themeSilenced);
    EXPECT_TRUE(musicSilenced);
    EXPECT_TRUE(windSilenced);
    playGuiSound(GUI_BACK);
    EXPECT_EQ(recorder.last("play")->value, 0);
    toggleMute();
    EXPECT_EQ(recorder.last("volume")->value, 0); // the hiss was at 0 before the mute too
    int musicBack = -1;
    for (const SoundCall& c : recorder.named("volume"))
        if (c.channel == channel) musicBack = c.value;
    EXPECT_EQ(musicBack, 51);
}

TEST_F(SoundBank, ABadMusicFileLeavesTheOtherSoundsWorking)
{
    recorder.failStreams = true;
    testing::internal::CaptureStdout();
    EXPECT_EQ(playTrack("./data/bgmusics/missing.wav", 0.4f), 1);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Music ./data/bgmusics/missing.wav not played: File not found\n"), std::string::npos) << out;
    EXPECT_EQ(channel, -1);
    EXPECT_TRUE(recorder.named("close").empty());
    size_t before = recorder.named("play").size();
    playGuiSound(GUI_CHOOSE);
    EXPECT_EQ(recorder.named("play").size(), before + 1);
}

TEST(SoundNoDevice, FailedStartMeansSilenceAndAMessage)
{
    SoundRecorder recorder;
    recorder.failInit = true;
    testing::internal::CaptureStdout();
    initAllSounds();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "No sound: Error initializing output device.\n");
    EXPECT_EQ(soundLibReady, 0);
    startTheme();
    playGuiSound(GUI_BACK);
    EXPECT_EQ(playTrack("x.wav", 0.4f), 1);
    stepSkiSndLoop(0.5f, 1, 0, 0);
    stopTheme();
    EXPECT_TRUE(recorder.named("sampleLoad").empty());
    EXPECT_TRUE(recorder.named("play").empty());
    EXPECT_TRUE(recorder.named("volume").empty());
    EXPECT_TRUE(recorder.named("stop").empty());
    quitAllSounds();
}

TEST_F(SoundBank, HissStraightAtHalfSpeedIsBaseLevel)
{
    stepSkiSndLoop(0.5f, 1, 0, 0);
    EXPECT_FLOAT_EQ(skiHiss.volume, 0.075f);
    EXPECT_EQ(lastVolume(), 19); // floor(0.075 x 255)
    EXPECT_EQ(recorder.last("volume")->channel, gameSounds.skiLoopChan);
    EXPECT_EQ(recorder.last("pan")->value, 127);
    // Above 0.9 the speed counts as full.
    stepSkiSndLoop(0.95f, 1, 0, 0);
    EXPECT_FLOAT_EQ(skiHiss.volume, 0.15f);
    // In the air the hiss is silent.
    stepSkiSndLoop(0.95f, 0, 1, 0);
    EXPECT_FLOAT_EQ(skiHiss.volume, 0.0f);
}

TEST_F(SoundBank, HissSwellsInATurnAndRestartsOnAChangeOfSide)
{
    for (int i = 0; i < 10; i++) stepSkiSndLoop(0.6f, 1, 1, 0);
    EXPECT_NEAR(skiHiss.volume, 0.2f, 1e-5f); // 10 x 0.6 / 30 from 0
    EXPECT_NEAR(skiHiss.panoramic, 0.6f, 1e-5f);
    EXPECT_EQ(skiHiss.sensVol, 1);
    stepSkiSndLoop(0.6f, 1, 0, 1);
    EXPECT_NEAR(skiHiss.volume, 0.6f * 0.15f + 0.02f, 1e-5f); // reset to base, then one swell step
    EXPECT_EQ(skiHiss.lastSide, 1);
    EXPECT_EQ(skiHiss.sensVol, -1);
    EXPECT_NEAR(skiHiss.panoramic, 0.59f, 1e-5f);
    // Riding straight again: the loud hiss falls by 1/6 a frame down to the base level, pan to centre.
    skiHiss.volume = 0.5f;
    stepSkiSndLoop(0.6f, 1, 0, 0);
    EXPECT_NEAR(skiHiss.volume, 0.5f - 1.0f / 6.0f, 1e-5f);
    for (int i = 0; i < 20; i++) stepSkiSndLoop(0.6f, 1, 0, 0);
    EXPECT_NEAR(skiHiss.volume, 0.09f, 1e-5f);
    EXPECT_FLOAT_EQ(skiHiss.panoramic, 0.5f);
}

TEST_F(SoundBank, WindStaysBetweenItsBounds)
{
    float height = 0.0f;
    for (int i = 0; i < 30; i++) {
        stepWindLoopSnd(0, height + 1.0f, height);
        height += 1.0f;
        EXPECT_LT(gameSounds.volWind, 1.0f);
    }
    EXPECT_NEAR(gameSounds.volWind, 0.9f, 1e-5f);
    stepWindLoopSnd(0, height - 1.0f, height); // falling: unchanged
    EXPECT_NEAR(gameSounds.volWind, 0.9f, 1e-5f);
    for (int i = 0; i < 30; i++) {
        stepWindLoopSnd(1, 0.0f, 0.0f);
        EXPECT_GE(gameSounds.volWind, 0.2f - 1e-6f);
    }
    EXPECT_LT(gameSounds.volWind, 0.3f + 1e-5f); // the last step stops at or just above 0.2
    EXPECT_EQ(recorder.last("volume")->channel, gameSounds.windLoopChan);
    EXPECT_EQ(recorder.last("volume")->value, toSndLevel(gameSounds.volWind));
}

// The per-frame handlers read the run: speed, stop, contact, the turn keys of its record and the height.
TEST_F(SoundBank, HandlersFollowTheRunState)
{
    reinitGameVar(playerRun, loadedTrack);
    setContact(playerRun, 1);
    playerRun.motion.vitesseMax = 1000.0f;
    playerRun.motion.vitessePrecedente = -500.0f; // riding backwards counts by its size
    playerRun.motion.skieurStop = 0;
    handleSkiSndLoop();
    EXPECT_FLOAT_EQ(skiHiss.volume, 0.075f);
    RunInput turning;
    turning.held[RB_LEFT] = 1;
    setRunInput(playerRun, turning);
    handleSkiSndLoop();
    EXPECT_EQ(skiHiss.lastSide, 0);
    EXPECT_GT(skiHiss.panoramic, 0.5f);
    setRunInput(playerRun, RunInput());
    playerRun.motion.skieurStop = 1; // a stopped rider makes no hiss, whatever the last speed
    skiHiss.volume = 0.0f;
    handleSkiSndLoop();
    EXPECT_FLOAT_EQ(skiHiss.volume, 0.0f);

    setContact(playerRun, 0);
    playerRun.tricks.Ytemp = 100.0f;
    playerRun.motion.Yobjet = 120.0f;
    handleWindLoopSnd();
    EXPECT_NEAR(gameSounds.volWind, 0.3f, 1e-5f);
    EXPECT_FLOAT_EQ(playerRun.tricks.Ytemp, 120.0f); // the next frame compares with this one
    handleWindLoopSnd();
    EXPECT_NEAR(gameSounds.volWind, 0.3f, 1e-5f); // level flight: unchanged
    setContact(playerRun, 1);
    reinitGameVar(playerRun, loadedTrack);
}

static RunEventList listOf(std::initializer_list<RunEventKind> kinds)
{
    RunEventList l = {};
    for (RunEventKind k : kinds) l.items[l.count++] = RunEvent{k, 0, 0, 0};
    return l;
}

TEST_F(SoundBank, EachRunEventPlaysItsSampleAndTheGrindLoops)
{
    struct Case {
        RunEventKind kind;
        SndSample* sample;
    } cases[] = {{RUN_EV_FALL, gameSounds.fallSnd},           {RUN_EV_LANDING, gameSounds.landingSnd},
                 {RUN_EV_LANDING_FALL, gameSounds.landingSnd}, {RUN_EV_BOMB_FIRED, gameSounds.rocketExplodeSnd},
                 {RUN_EV_BOOST, gameSounds.boostSnd},          {RUN_EV_RAIL_CLING, gameSounds.clingRailSnd},
                 {RUN_EV_RESCUE_LAUNCH, gameSounds.rocketLaunchSnd}, {RUN_EV_RESCUE_FIREWORK, gameSounds.rocketExplodeSnd},
                 {RUN_EV_REPLACED, gameSounds.replaceSnd},     {RUN_EV_COLLECTABLE, gameSounds.bonusSnd},
                 {RUN_EV_BOMB_PICKED, gameSounds.bonusSnd}};
    for (const Case& c : cases) {
        size_t before = recorder.named("play").size();
        playRunEventSounds(listOf({c.kind}));
        ASSERT_EQ(recorder.named("play").size(), before + 1) << c.kind;
        EXPECT_EQ(recorder.last("play")->name, recordedSampleName(c.sample)) << c.kind;
        EXPECT_EQ(runEventSample(c.kind), c.sample);
    }
    size_t before = recorder.named("play").size();
    playRunEventSounds(listOf({RUN_EV_SPRAY_BURST, RUN_EV_SPRAY_STOP, RUN_EV_PUT_BACK}));
    EXPECT_EQ(recorder.named("play").size(), before);  // snow only

    playRunEventSounds(listOf({RUN_EV_GRIND_START}));
    ASSERT_EQ(recorder.named("play").size(), before + 1);
    EXPECT_EQ(recorder.last("play")->name, recordedSampleName(gameSounds.grindRailSnd));
    EXPECT_EQ(recorder.last("loop")->value, 1);
    size_t stops = recorder.named("stop").size();
    playRunEventSounds(listOf({RUN_EV_GRIND_STOP}));
    EXPECT_EQ(recorder.named("stop").size(), stops + 1);
}

} // namespace
