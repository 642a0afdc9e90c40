// The gamepad: "pad.map" read with good, missing and bad lines, and pad states (synthetic joy[]) turned
// into the game's actions.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "shell/padInput.h"
#include "shell/padMap.h"
#include "support/testFiles.h"

namespace {

PadMap readText(const std::string& text, std::string& complaints, int* bad = nullptr)
{
    PadMap m;
    int n = readPadMapText(text.data(), text.size(), m, complaints);
    if (bad) *bad = n;
    return m;
}

bool sameBinding(const PadBinding& a, const PadBinding& b)
{
    return a.kind == b.kind && (a.kind == PB_NONE || (a.index == b.index && (a.kind != PB_AXIS || a.sign == b.sign)));
}

// A two-stick pad as Allegro's Linux driver gives it: sticks of 2, 1, 2, 1 and 2 axes (left stick,
// left trigger, right stick, right trigger, cross), eleven buttons, everything centred and up.
JOYSTICK_INFO restingPad()
{
    JOYSTICK_INFO pad;
    memset(&pad, 0, sizeof pad);
    const int axes[] = {2, 1, 2, 1, 2};
    pad.num_sticks = 5;
    for (int s = 0; s < 5; s++) pad.stick[s].num_axis = axes[s];
    pad.stick[1].axis[0].pos = -128; // triggers rest at one end
    pad.stick[3].axis[0].pos = -128;
    pad.num_buttons = 11;
    return pad;
}

struct PadMapping : ::testing::Test {
    PadMap map;
    JOYSTICK_INFO pad = restingPad();
    short held[PA_COUNT];
    void SetUp() override { defaultPadMap(map); }
    void actions() { padActionsFrom(pad, map, held); }
    int heldCount()
    {
        int n = 0;
        for (short h : held) n += h;
        return n;
    }
};

} // namespace

TEST(PadMapFile, TheDefaultTextReadsBackAsTheDefaultsWithoutAComplaint)
{
    PadMap defaults;
    defaultPadMap(defaults);
    std::string complaints;
    int bad = -1;
    PadMap m = readText(padMapText(defaults), complaints, &bad);
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(complaints, "");
    for (int a = 0; a < PA_COUNT; a++)
        for (int i = 0; i < PAD_BINDINGS_PER_ACTION; i++)
            EXPECT_TRUE(sameBinding(m.bind[a][i], defaults.bind[a][i])) << padActionNames[a] << " " << i;
}

TEST(PadMapFile, GoodLinesSetTheirActionAndMissingOnesKeepTheDefault)
{
    PadMap defaults;
    defaultPadMap(defaults);
    std::string complaints;
    PadMap m = readText("# mine\n\njump button 9   # big thumb\n  left axis 3 - axis 6 -\nbomb none\n", complaints);
    EXPECT_EQ(complaints, "");
    EXPECT_TRUE(sameBinding(m.bind[PA_JUMP][0], PadBinding{PB_BUTTON, 9, 0}));
    EXPECT_TRUE(sameBinding(m.bind[PA_JUMP][1], PadBinding{PB_NONE, 0, 0}));
    EXPECT_TRUE(sameBinding(m.bind[PA_LEFT][0], PadBinding{PB_AXIS, 3, -1}));
    EXPECT_TRUE(sameBinding(m.bind[PA_LEFT][1], PadBinding{PB_AXIS, 6, -1}));
    EXPECT_EQ(m.bind[PA_BOMB][0].kind, PB_NONE);
    EXPECT_TRUE(sameBinding(m.bind[PA_TRICK2][0], defaults.bind[PA_TRICK2][0]));
    EXPECT_TRUE(sameBinding(m.bind[PA_RIGHT][1], defaults.bind[PA_RIGHT][1]));
}

TEST(PadMapFile, ABadLineKeepsThatActionsDefaultAndIsNamed)
{
    PadMap defaults;
    defaultPadMap(defaults);
    std::string complaints;
    int bad = 0;
    PadMap m = readText("jump button 9\n"
                        "trick1 button 32\n"     // 2: no such button
                        "up axis 1\n"            // 3: no direction
                        "down axis 99 +\n"       // 4: no such axis
                        "fly button 1\n"         // 5: no such action
                        "bomb button 1 button 2 button 3\n" // 6: three bindings
                        "pause\n"                // 7: nothing bound
                        "right button -1\n"      // 8
                        "shift button 0004\n",   // 9: more digits than any button has
                        complaints, &bad);
    EXPECT_EQ(bad, 8);
    EXPECT_TRUE(sameBinding(m.bind[PA_JUMP][0], PadBinding{PB_BUTTON, 9, 0}));
    for (int a : {PA_TRICK1, PA_UP, PA_DOWN, PA_BOMB, PA_PAUSE, PA_RIGHT, PA_SHIFT})
        EXPECT_TRUE(sameBinding(m.bind[a][0], defaults.bind[a][0])) << padActionNames[a];
    for (int line = 2; line <= 9; line++)
        EXPECT_NE(complaints.find("pad.map line " + std::to_string(line) + ":"), std::string::npos) << complaints;
    EXPECT_EQ(complaints.find("line 1:"), std::string::npos);
    EXPECT_NE(complaints.find("'fly'"), std::string::npos);
}

TEST(PadMapFile, AMissingFileGivesTheDefaults)
{
    TempDir dir;
    PadMap m, defaults;
    defaultPadMap(defaults);
    memset(&m, 0, sizeof m);
    EXPECT_EQ(loadPadMap(dir.file("pad.map").c_str(), m), 1);
    EXPECT_TRUE(sameBinding(m.bind[PA_JUMP][0], defaults.bind[PA_JUMP][0]));
    writeText(dir.file("pad.map"), "jump button 3\n");
    EXPECT_EQ(loadPadMap(dir.file("pad.map").c_str(), m), 0);
    EXPECT_TRUE(sameBinding(m.bind[PA_JUMP][0], PadBinding{PB_BUTTON, 3, 0}));
}

TEST_F(PadMapping, ARestingPadHoldsNothingAndTheDeadZoneSwallowsSmallPushes)
{
    actions();
    EXPECT_EQ(heldCount(), 0);
    pad.stick[0].axis[0].pos = PAD_DEAD_ZONE; // right at the edge: still centred
    pad.stick[0].axis[1].pos = -PAD_DEAD_ZONE;
    actions();
    EXPECT_EQ(heldCount(), 0);
    pad.stick[0].axis[0].pos = PAD_DEAD_ZONE + 1;
    actions();
    EXPECT_TRUE(held[PA_RIGHT]);
    EXPECT_EQ(heldCount(), 1);
}

TEST_F(PadMapping, BothAxesOfTheStickAndTheCrossSteerPushAndBrake)
{
    pad.stick[0].axis[0].pos = -128; // left stick up-left
    pad.stick[0].axis[1].pos = -100;
    actions();
    EXPECT_TRUE(held[PA_LEFT]);
    EXPECT_TRUE(held[PA_UP]);
    EXPECT_FALSE(held[PA_RIGHT] || held[PA_DOWN]);
    pad = restingPad();
    pad.stick[4].axis[0].pos = 128; // cross right and down (axes 6 and 7)
    pad.stick[4].axis[1].pos = 128;
    actions();
    EXPECT_TRUE(held[PA_RIGHT]);
    EXPECT_TRUE(held[PA_DOWN]);
    EXPECT_EQ(heldCount(), 2);
    pad = restingPad();
    pad.stick[1].axis[0].pos = 128; // left trigger pulled: left side flip
    pad.stick[2].axis[0].pos = 128; // the right stick is not bound
    actions();
    EXPECT_TRUE(held[PA_LEFT_SIDE]);
    EXPECT_EQ(heldCount(), 1);
}

TEST_F(PadMapping, ButtonsGiveTheirActionsAndTheShoulderTurnsTricksOneToThreeIntoFourToSix)
{
    pad.button[0].b = 1; // A: jump, and Return
    pad.button[2].b = 1; // X: trick 1
    pad.button[3].b = 1; // Y: trick 2
    actions();
    EXPECT_TRUE(held[PA_JUMP] && held[PA_ENTER] && held[PA_TRICK1] && held[PA_TRICK2]);
    EXPECT_FALSE(held[PA_TRICK4] || held[PA_TRICK5]);
    pad.button[4].b = 1; // LB held: the same buttons are tricks 4 and 5
    actions();
    EXPECT_TRUE(held[PA_TRICK4] && held[PA_TRICK5] && held[PA_SHIFT]);
    EXPECT_FALSE(held[PA_TRICK1] || held[PA_TRICK2] || held[PA_TRICK3] || held[PA_TRICK6]);
    // Without a shift bound, every trick button counts on its own.
    map.bind[PA_SHIFT][0] = PadBinding{PB_NONE, 0, 0};
    map.bind[PA_TRICK4][0] = PadBinding{PB_BUTTON, 9, 0};
    pad.button[9].b = 1;
    actions();
    EXPECT_TRUE(held[PA_TRICK1] && held[PA_TRICK4]);
}

TEST_F(PadMapping, BindingsBeyondWhatThePadHasAreNeverHeldAndUnsignedSticksAreCentred)
{
    map.bind[PA_JUMP][0] = PadBinding{PB_BUTTON, 20, 0}; // an 11-button pad
    map.bind[PA_BOMB][0] = PadBinding{PB_AXIS, 12, +1};  // an 8-axis pad
    pad.button[20].b = 1;
    actions();
    EXPECT_FALSE(held[PA_JUMP]);
    EXPECT_FALSE(held[PA_BOMB]);
    pad.stick[1].flags = JOYFLAG_UNSIGNED; // a 0..255 trigger at rest in the middle
    pad.stick[1].axis[0].pos = 128;
    actions();
    EXPECT_FALSE(held[PA_LEFT_SIDE]);
    pad.stick[1].axis[0].pos = 255;
    actions();
    EXPECT_TRUE(held[PA_LEFT_SIDE]);
}
