// Home menu and options driven by keys and the manual clock, sounds recorded; the credits page's layout.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/gameClock.h"
#include "screens/creditsText.h"
#include "shell/keys.h"
#include "screens/screens.h"
#include "shell/gameLoop.h"
#include "shell/prefs.h"
#include "sound/gameSounds.h"
#include "support/soundRecorder.h"

namespace {

struct MenuScreens : ::testing::Test {
    SoundRecorder recorder;
    void SetUp() override
    {
        for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
        resetKeyDetectors();
        gameClockSetManual(50000);
        initAllSounds();
    }
    void TearDown() override
    {
        quitAllSounds();
        for (int i = 0; i < KEY_MAX; i++) key[i] = 0;
        gameClockSetReal();
    }
    // One frame with k held, then one with nothing held (so the next press is new); what the first told.
    ScreenEvent press(ScreenEvent (*frame)(), int k)
    {
        key[k] = 1;
        ScreenEvent told = frame();
        key[k] = 0;
        frame();
        return told;
    }
    size_t sounds(const std::string& file) const
    {
        size_t n = 0;
        for (const SoundCall& c : recorder.named("play")) n += c.name == file;
        return n;
    }
};

const char* const SELECT = "./data/sounds/gui/select135.aif";
const char* const CHOOSE = "./data/sounds/gui/enter134.aif";

TEST_F(MenuScreens, HomeHighlightIsClampedAndEnterLeaves)
{
    for (int i = 0; i < 5; i++) EXPECT_EQ(press(choixHome, KEY_UP), ScreenEvent::none); // to Play, then against the top
    EXPECT_EQ(homeHighlight(), 0);
    EXPECT_EQ(sounds(SELECT), 5u); // the sound plays even at the end
    EXPECT_EQ(press(choixHome, KEY_ENTER), ScreenEvent::enterPlay);
    press(choixHome, KEY_DOWN);
    EXPECT_EQ(press(choixHome, KEY_ENTER), ScreenEvent::enterHelp);
    press(choixHome, KEY_RIGHT);
    EXPECT_EQ(homeHighlight(), 2);
    EXPECT_EQ(press(choixHome, KEY_ENTER), ScreenEvent::enterCredits);
    for (int i = 0; i < 3; i++) press(choixHome, KEY_DOWN);
    EXPECT_EQ(homeHighlight(), 3);
    redrawAllMenu = 0;
    EXPECT_EQ(press(choixHome, KEY_ENTER), ScreenEvent::enterOptions);
    EXPECT_EQ(sounds(CHOOSE), 4u);
    choixHome();
    choixHome();
    EXPECT_EQ(redrawAllMenu, 2); // counted up to 2 and held
}

TEST_F(MenuScreens, OptionsChangeLevelAndTolerances)
{
    userPrefs.level = 0;
    press(ecranOptions, KEY_LEFT);
    EXPECT_EQ(userPrefs.level, 0);
    EXPECT_EQ(sounds(CHOOSE), 1u);
    for (int i = 0; i < 5; i++) press(ecranOptions, KEY_RIGHT);
    EXPECT_EQ(userPrefs.level, 3);
    EXPECT_EQ(toleranceAngleRightAndLeft, 20);
    EXPECT_EQ(toleranceAngleFrontAndBack, 20);
    for (int i = 0; i < 3; i++) press(ecranOptions, KEY_LEFT);
    EXPECT_EQ(userPrefs.level, 0);
    EXPECT_EQ(toleranceAngleRightAndLeft, 45);
    EXPECT_EQ(toleranceAngleFrontAndBack, 89);
    EXPECT_EQ(toleranceAngleLeftSideAndRightSide, 89);
    press(ecranOptions, KEY_DOWN);
    EXPECT_EQ(sounds(SELECT), 1u);
    EXPECT_EQ(userPrefs.level, 0);
}

TEST(CreditsPage, EveryLineFitsItsColumnAboveTheLogoWithoutOverlap)
{
    CreditPlace places[CREDIT_PLACES_MAX];
    int n = layoutCredits(places, CREDIT_PLACES_MAX);
    int expected = 0;
    for (const CreditColumn& col : creditColumns) {
        expected += 1 + col.count;
        for (int s = 0; s < col.count; s++)
            for (int i = 0; i < CREDIT_LINES_PER_SECTION && col.sections[s].lines[i]; i++) expected++;
    }
    ASSERT_EQ(n, expected) << "a text was left out";
    ASSERT_LT(n, CREDIT_PLACES_MAX);
    float lastY[CREDIT_COLUMNS] = {1e9f, 1e9f};
    for (int i = 0; i < n; i++) {
        const CreditPlace& p = places[i];
        int c = p.x < CREDIT_COLUMN_X[1] ? 0 : 1;
        float right = p.x + 10.0f * p.scale * (float)strlen(p.text);
        EXPECT_GE(p.x, CREDIT_COLUMN_X[c]) << p.text;
        EXPECT_LE(right, CREDIT_COLUMN_X[c] + CREDIT_COLUMN_WIDTH + 0.01f) << p.text;
        EXPECT_GE(p.scale, 0.55f) << p.text << " shrunk past reading";
        EXPECT_GE(p.y, CREDIT_PAGE_BOTTOM) << p.text << " runs into the logo";
        EXPECT_LE(p.y, CREDIT_PAGE_TOP) << p.text;
        // a glyph is 16 units tall at scale 1: the next line starts below this one's glyphs
        EXPECT_LE(p.y + 16.0f * p.scale * 0.8f, lastY[c]) << p.text << " overlaps the line above";
        lastY[c] = p.y;
    }
    EXPECT_LT(CREDIT_COLUMN_X[0] + CREDIT_COLUMN_WIDTH, CREDIT_COLUMN_X[1]) << "columns overlap";
    EXPECT_LE(CREDIT_COLUMN_X[1] + CREDIT_COLUMN_WIDTH, 640.0f);
}

TEST(CreditsPage, NamesTheLibrariesAndToolsTheGameIsMadeWith)
{
    std::string all;
    CreditPlace places[CREDIT_PLACES_MAX];
    int n = layoutCredits(places, CREDIT_PLACES_MAX);
    for (int i = 0; i < n; i++) all += std::string(places[i].text) + "\n";
    for (const char* name : {"Allegro", "AllegroGL", "OpenGL", "libsndfile", "zlib", "FreeType", "CMake", "GoogleTest"})
        EXPECT_NE(all.find(name), std::string::npos) << name;
    EXPECT_NE(all.find("Made with"), std::string::npos);
}

} // namespace
