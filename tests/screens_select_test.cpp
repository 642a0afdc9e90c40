// Rider and track selection driven by keys: clamping, the highlighted name and the sounds.
#include <allegro.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <string>

#include "platform/gameClock.h"
#include "fileio/gameFolders.h"
#include "screens/choixPiste.h"
#include "screens/menuScreens.h"
#include "shell/keys.h"
#include "screens/screens.h"
#include "shell/gameLoop.h"
#include "shell/systemPortUtils.h"
#include "sound/gameSounds.h"
#include "support/soundRecorder.h"
#include "support/testFiles.h"

namespace {

struct SelectScreens : ::testing::Test {
    SoundRecorder recorder;
    void SetUp() override
    {
        ensureAllegroForFiles(); // a shipped rider's skin picture may be read
        for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
        resetKeyDetectors();
        gameClockSetManual(1000);
        initAllSounds();
        strcpy(gameLists.listeSkiers[0], "tolvek");
        strcpy(gameLists.listeSkiers[1], "mara");
        gameLists.nbTotalSkiers = 2;
        strcpy(gameLists.listePistes[0], "alps");
        strcpy(gameLists.listePistes[1], "bowl");
        strcpy(gameLists.listePistes[2], "cliffs");
        gameLists.nbTotalPistes = 3;
    }
    void TearDown() override
    {
        quitAllSounds();
        for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
        gameClockSetReal();
    }
    void press(void (*frame)(), int k)
    {
        key[k] = 1;
        frame();
        key[k] = 0;
        frame();
    }
    static void trackFrame() { choixPiste(0); }
    static void riderFrame() { choixSkier(); }
    size_t plays() const { return recorder.named("play").size(); }
};

TEST_F(SelectScreens, RiderHighlightClampsAndEnterChooses)
{
    press(riderFrame, KEY_RIGHT);
    EXPECT_STREQ(nomFicSkier, "mara");
    press(riderFrame, KEY_RIGHT); // on the last rider: same rider, sound still plays
    EXPECT_STREQ(nomFicSkier, "mara");
    EXPECT_EQ(getSelectedSkier(), 1);
    EXPECT_EQ(plays(), 2u);
    press(riderFrame, KEY_LEFT);
    press(riderFrame, KEY_LEFT);
    EXPECT_STREQ(nomFicSkier, "tolvek");
    EXPECT_EQ(choixSkier(), ScreenEvent::none);
    key[KEY_ENTER] = 1;
    EXPECT_EQ(choixSkier(), ScreenEvent::riderChosen);
    key[KEY_ENTER] = 0;
    EXPECT_EQ(recorder.last("play")->name, "./data/sounds/gui/enter134.aif");
}

// The default rider is not first in the sorted list: the highlight starts on it, not on "alba".
TEST_F(SelectScreens, HighlightStartsOnTheLoadedRider)
{
    strcpy(gameLists.listeSkiers[0], "alba");
    strcpy(gameLists.listeSkiers[1], "mara");
    strcpy(gameLists.listeSkiers[2], "tolvek");
    gameLists.nbTotalSkiers = 3;
    highlightRider("nobody");
    highlightRider("tolvek");
    EXPECT_EQ(getSelectedSkier(), 2);
    EXPECT_STREQ(nomFicSkier, "tolvek");
    press(riderFrame, KEY_LEFT);
    EXPECT_STREQ(nomFicSkier, "mara");
    highlightRider("nobody");
    EXPECT_EQ(getSelectedSkier(), 1) << "an unlisted name leaves the highlight where it is";
}

TEST_F(SelectScreens, TrackHighlightClampsAndNamesTheTrack)
{
    trackFrame();
    EXPECT_STREQ(gameLists.nomFicPiste, gameLists.listePistes[getSelectedTrack()]);
    for (int i = 0; i < 4; i++) press(trackFrame, KEY_RIGHT);
    EXPECT_EQ(getSelectedTrack(), 2);
    EXPECT_STREQ(gameLists.nomFicPiste, "cliffs");
    EXPECT_EQ(plays(), 4u);
    EXPECT_NE(menuPictures.trackImg, nullptr);
    for (int i = 0; i < 4; i++) press(trackFrame, KEY_LEFT);
    EXPECT_STREQ(gameLists.nomFicPiste, "alps");
    // Leaving frames do not advance the frame counter.
    redrawAllMenu = 0;
    choixPiste(1);
    EXPECT_EQ(redrawAllMenu, 0);
    choixPiste(0);
    EXPECT_EQ(redrawAllMenu, 1);
}

// Past the list's 50 names the track screen still walks to the last one listed and says how many
// were left out; the folders left out stay as they were.
TEST_F(SelectScreens, AFullTrackListIsWalkedToItsEndAndSaysWhatItLeftOut)
{
    TempDir dir;
    mkdir(dir.file("tracks").c_str(), 0755);
    for (int i = 0; i < 62; i++) {
        std::string name = "t" + std::to_string(100 + i);
        mkdir(dir.file("tracks/" + name).c_str(), 0755);
        writeText(dir.file("tracks/" + name + "/" + name + ".btrk"), "");
    }
    writeText(dir.file("tracks/t161/top.sc"), "scores");
    useGameFolders({dir.path(), dir.path(), dir.file("shots"), false});
    testing::internal::CaptureStdout();
    chargeNomPistes();
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(gameLists.nbTotalPistes, MAX_LIST_NAMES);
    EXPECT_STREQ(trackListNote(), "12 tracks left out: the list holds 50");
    trackFrame();
    for (int i = 0; i < 70; i++) press(trackFrame, KEY_RIGHT);
    EXPECT_EQ(getSelectedTrack(), MAX_LIST_NAMES - 1);
    EXPECT_STREQ(gameLists.nomFicPiste, "t149");
    EXPECT_EQ(readBytes(dir.file("tracks/t161/top.sc")).size(), 6u);
    for (int i = 0; i < 70; i++) press(trackFrame, KEY_LEFT);

    for (int i = 150; i < 162; i++) remove(dir.file("tracks/t" + std::to_string(i) + "/t" + std::to_string(i) + ".btrk").c_str());
    chargeNomPistes();  // a folder without its track file is no track: all the rest fit
    EXPECT_EQ(gameLists.nbTotalPistes, MAX_LIST_NAMES);
    EXPECT_STREQ(trackListNote(), "");
    homeNote[0] = '\0';
    resetGameFolders();
}

} // namespace
