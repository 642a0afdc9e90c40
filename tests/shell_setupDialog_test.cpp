// The set-up dialog's look and keys: its palette, Return as "Ok", and its objects drawn on a bitmap.
#include <allegro.h>
#include <gtest/gtest.h>

#include "shell/setupDialogLook.h"

namespace {

TEST(SetupDialog, PaletteHoldsTheGameColoursAndKeepsTheRest)
{
    PALETTE pal;
    dialogPalette(pal);
    // night-blue panel, ice edge and orange focus, in the palette's 0-63 components
    EXPECT_EQ(pal[DLG_COLOUR_PANEL].r, 22 / 4);
    EXPECT_EQ(pal[DLG_COLOUR_PANEL].b, 84 / 4);
    EXPECT_EQ(pal[DLG_COLOUR_EDGE].g, 170 / 4);
    EXPECT_EQ(pal[DLG_COLOUR_FOCUS].r, 242 / 4);
    EXPECT_EQ(pal[DLG_COLOUR_FOCUS].b, 28 / 4);
    EXPECT_GT(pal[DLG_COLOUR_TEXT].r, 55);
    for (int i = 0; i < DLG_COLOUR_PANEL; i++) {
        EXPECT_EQ(pal[i].r, default_palette[i].r) << i;
        EXPECT_EQ(pal[i].b, default_palette[i].b) << i;
    }
    // the focus and the text differ enough from the panel to be seen on it
    auto gap = [&](int a, int b) {
        return abs(pal[a].r - pal[b].r) + abs(pal[a].g - pal[b].g) + abs(pal[a].b - pal[b].b);
    };
    EXPECT_GT(gap(DLG_COLOUR_FOCUS, DLG_COLOUR_PANEL), 40);
    EXPECT_GT(gap(DLG_COLOUR_FOCUS, DLG_COLOUR_BAR), 40);
    EXPECT_GT(gap(DLG_COLOUR_TEXT, DLG_COLOUR_BAR), 60);
}

TEST(SetupDialog, ReturnAcceptsUnlessTheKeyboardIsOnExit)
{
    EXPECT_TRUE(returnAccepts(KEY_ENTER, false));
    EXPECT_TRUE(returnAccepts(KEY_ENTER_PAD, false));
    EXPECT_FALSE(returnAccepts(KEY_ENTER, true));
    EXPECT_FALSE(returnAccepts(KEY_SPACE, false));
    EXPECT_FALSE(returnAccepts(KEY_TAB, false));
}

// The Return object closes the dialog on the broadcast Return whatever object has the focus (a list or a
// check box under the pointer), and leaves other keys and a focused "Exit" alone.
TEST(SetupDialog, ReturnObjectClosesFromAnyFocusButExit)
{
    DIALOG d[4] = {};
    d[0].proc = gameListProc;
    d[1].proc = gameButtonProc;  // "Exit"
    d[2].proc = returnKeyProc;
    d[2].d1 = 1;
    d[2].dp = d;
    d[0].flags = D_GOTFOCUS;
    EXPECT_EQ(returnKeyProc(MSG_XCHAR, &d[2], KEY_ENTER << 8 | '\r'), D_CLOSE | D_USED_CHAR);
    EXPECT_EQ(returnKeyProc(MSG_XCHAR, &d[2], KEY_SPACE << 8 | ' '), D_O_K);
    EXPECT_EQ(returnKeyProc(MSG_CHAR, &d[2], KEY_ENTER << 8 | '\r'), D_O_K);
    EXPECT_EQ(returnKeyProc(MSG_WANTFOCUS, &d[2], 0), D_O_K) << "never takes the focus";
    d[0].flags = 0;
    d[1].flags = D_GOTFOCUS;
    EXPECT_EQ(returnKeyProc(MSG_XCHAR, &d[2], KEY_ENTER << 8 | '\r'), D_O_K);
}

TEST(SetupDialog, EveryObjectTakesTheGameColours)
{
    DIALOG d[3] = {};
    d[0].proc = gameBoxProc;
    d[1].proc = d_text_proc;
    d[0].fg = d[1].bg = 7;
    setDialogColours(d);
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(d[i].fg, DLG_COLOUR_TEXT);
        EXPECT_EQ(d[i].bg, DLG_COLOUR_PANEL);
    }
    EXPECT_EQ(d[2].fg, 0) << "the terminator is left alone";
}

} // namespace
