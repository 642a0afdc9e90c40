// The real Allegro device: every sound file decodes, and no sound card means silence, not a crash.
#include <gtest/gtest.h>

#include <sndfile.h>
#include <dirent.h>

#include <cstdio>
#include <string>
#include <vector>

#include "audio.h"
#include "sound/SndWrapper.h"
#include "sound/fmodmusic.h"
#include "sound/gameSounds.h"

namespace {

const char* const soundFiles[] = {
    "./data/sounds/gui/select135.aif",       "./data/sounds/gui/enter134.aif",
    "./data/sounds/gui/back136.aif",         "./data/sounds/game/skiloop129.aif",
    "./data/sounds/game/landing130.aif",     "./data/sounds/game/crash131.aif",
    "./data/sounds/game/bonus132.aif",       "./data/sounds/game/replace133.aif",
    "./data/sounds/themes/kestruneintro128.aif", "./data/sounds/themes/ostyle137.aif",
    "./data/sounds/game/rocketLaunch.aif",   "./data/sounds/game/rocketExplode.aif",
    "./data/sounds/game/grindRail.aif",      "./data/sounds/game/clingRail.aif",
    "./data/sounds/game/wind.aif",           "./data/sounds/game/boost.aif",
};

bool isDir(const char* path)
{
    DIR* d = opendir(path);
    if (d) closedir(d);
    return d != nullptr;
}

TEST(SoundFiles, TheContentToolWritesEverySampleTheGameLoads)
{
    for (const char* file : soundFiles) {
        int writers = 0;
        for (int k = 0; k < NB_SOUND_EFFECTS; k++) writers += std::string("./data/") + soundEffects[k].file == file;
        for (int k = 0; k < NB_MUSIC_THEMES; k++) writers += std::string("./data/") + musicThemes[k].file == file;
        EXPECT_EQ(writers, 1) << file;
    }
    EXPECT_EQ(NB_SOUND_EFFECTS + NB_MUSIC_THEMES, (int)(sizeof soundFiles / sizeof soundFiles[0]));
    EXPECT_GE(NB_MUSIC_TUNES, 3);
}

TEST(SoundFiles, EverySampleDecodes)
{
    // The content tool writes every sample; once it has run, a missing one is a fault.
    if (!isDir("./data/sounds")) GTEST_SKIP() << "no ./data/sounds: build the data target first";
    for (const char* file : soundFiles) {
        SF_INFO info = {};
        SNDFILE* f = sf_open(file, SFM_READ, &info);
        ASSERT_NE(f, nullptr) << file << ": " << sf_strerror(nullptr);
        EXPECT_EQ(info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_AIFF) << file;
        EXPECT_GT(info.frames, 0) << file;
        short frames[256];
        EXPECT_GT(sf_readf_short(f, frames, 256 / info.channels), 0) << file;
        sf_close(f);
    }
}

TEST(SoundFiles, EveryMusicDecodes)
{
    if (!isDir("./data/bgmusics")) GTEST_SKIP() << "no ./data/bgmusics: build the data target first";
    // The game streams whatever the directory holds; each must be readable in full.
    FILE* list = popen("ls ./data/bgmusics", "r");
    ASSERT_NE(list, nullptr);
    char name[256];
    int count = 0;
    while (fscanf(list, "%255s", name) == 1) {
        std::string path = std::string("./data/bgmusics/") + name;
        SF_INFO info = {};
        SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
        ASSERT_NE(f, nullptr) << path;
        std::vector<short> all((size_t)info.frames * info.channels);
        EXPECT_EQ(sf_readf_short(f, all.data(), info.frames), info.frames) << path;
        sf_close(f);
        count++;
    }
    pclose(list);
    EXPECT_GE(count, 3);
}

TEST(SoundAllegroDevice, RunsSilentlyWithoutSoundCard)
{
    // Whatever the machine has, start-up, playing and shutting down must return.
    initAllSounds();
    startTheme();
    playGuiSound(GUI_CHOOSE);
    playTrack("./data/bgmusics/does-not-exist.ogg", 0.4f);
    applyEffects(gameSounds.themeLoopChan, 0.3f, 0.2f, 1.0f);
    stopTheme();
    stopTheme(); // a stale channel is ignored
    stopTrack();
    quitAllSounds();
    EXPECT_EQ(soundLibReady, 0);
    EXPECT_EQ(gameSounds.selectItemSnd, nullptr);
}

} // namespace
