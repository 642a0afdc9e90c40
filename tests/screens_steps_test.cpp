// The menus' clock-driven motions and the texts of the score screens.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "render/guistuff.h"
#include "screens/score.h"
#include "screens/screenSteps.h"

namespace {

TEST(MenuMotion, ArrowPulseSwingsWithinItsRangeOneStepPerFrame)
{
    ArrowPulse p = ARROW_PULSE_START;
    long now = 1000;
    stepArrowPulse(&p, now);
    EXPECT_FLOAT_EQ(p.sca, 0.5f); // first frame: no time has passed
    stepArrowPulse(&p, now += 2);
    EXPECT_FLOAT_EQ(p.sca, 0.5f); // 0.002 s is not enough
    stepArrowPulse(&p, now += 100);
    EXPECT_FLOAT_EQ(p.sca, 0.502f); // a long frame still takes a single step
    float low = 1, high = 0;
    bool fell = false;
    for (int i = 0; i < 400; i++) {
        float before = p.sca;
        stepArrowPulse(&p, now += 3);
        // 0.002 a step; at an end the turn jumps back inside first
        EXPECT_GT(std::abs(p.sca - before), 0.0019f);
        EXPECT_LT(std::abs(p.sca - before), 0.0061f);
        if (p.sca < before) fell = true;
        low = std::min(low, p.sca);
        high = std::max(high, p.sca);
    }
    EXPECT_TRUE(fell);
    EXPECT_GE(low, 0.498f);
    EXPECT_LE(high, 0.704f);
}

TEST(MenuMotion, StandTurnsADegreePerHundredthAtMost)
{
    StandTurn t = STAND_TURN_START;
    long now = 0;
    for (int i = 0; i < 101; i++) stepStandTurn(&t, now += 20);
    EXPECT_EQ(t.rot, 100); // one degree a frame however long the frame
    StandTurn fast = STAND_TURN_START;
    now = 0;
    for (int i = 0; i < 31; i++) stepStandTurn(&fast, now += 4);
    EXPECT_EQ(fast.rot, 10); // 4 ms frames: a degree every third frame
    for (int i = 0; i < 400; i++) stepStandTurn(&t, now += 20);
    EXPECT_GE(t.rot, 0);
    EXPECT_LT(t.rot, 360);
}

TEST(MenuMotion, ThumbnailPansBackAndForthWithinTheBounds)
{
    ThumbnailPan p = THUMBNAIL_PAN_START;
    long now = 0;
    stepThumbnailPan(&p, now);
    stepThumbnailPan(&p, now += 5);
    EXPECT_FLOAT_EQ(p.dec, 0.01f); // under 0.01 s: no move
    stepThumbnailPan(&p, now += 10);
    EXPECT_FLOAT_EQ(p.dec, 0.011f);
    float high = 0, low = 1;
    bool cameBack = false;
    for (int i = 0; i < 1000; i++) {
        stepThumbnailPan(&p, now += 11);
        high = std::max(high, p.dec);
        low = std::min(low, p.dec);
        if (high > 0.085f && p.dec < 0.05f) cameBack = true;
    }
    EXPECT_TRUE(cameBack);
    EXPECT_LE(high, 0.0911f);
    EXPECT_GE(low, 0.0089f);
}

TEST(MenuMotion, LetterPointerPulsesAroundItsBaseSize)
{
    LetterPointer p = LETTER_POINTER_START;
    long now = 0;
    stepLetterPointer(&p, now);
    stepLetterPointer(&p, now += 50);
    EXPECT_FLOAT_EQ(p.size, 45.0f);
    stepLetterPointer(&p, now += 60);
    EXPECT_FLOAT_EQ(p.size, 46.0f);
    float low = 100, high = 0;
    for (int i = 0; i < 200; i++) {
        stepLetterPointer(&p, now += 101);
        low = std::min(low, p.size);
        high = std::max(high, p.size);
    }
    EXPECT_EQ(high, 49.0f); // drawn once above base + 3 before it turns
    EXPECT_EQ(low, 41.0f);

    LetterPointer still = LETTER_POINTER_START;
    float x, y;
    letterPointerPlace(&still, 3, 6, &x, &y); // on '#'
    EXPECT_FLOAT_EQ(x, 6 * 38 + 200 + 12 - 22.5f);
    EXPECT_FLOAT_EQ(y, 270 - 96 + 11 + 22.5f);
}

TEST(NameEntryMarks, InsertionMarkBlinksEachSecondAtTheInsertionPoint)
{
    EXPECT_TRUE(blinkMarkVisible(3000));
    EXPECT_TRUE(blinkMarkVisible(3499));
    EXPECT_FALSE(blinkMarkVisible(3500));
    EXPECT_FALSE(blinkMarkVisible(3999));
    char mark[8];
    insertionMarkText(mark, 0);
    EXPECT_STREQ(mark, "_  ");
    insertionMarkText(mark, 2);
    EXPECT_STREQ(mark, "  _");
    insertionMarkText(mark, 3);
    EXPECT_STREQ(mark, "   ");
}

TEST(TrackDescriptionLines, SplitAtNewlinesAndCutToTheBuffer)
{
    const char* text = "first\nsecond line\n\nlast";
    char line[8];
    std::vector<std::string> lines;
    for (int at = nextTextLine(text, 0, line, sizeof line); at >= 0; at = nextTextLine(text, at, line, sizeof line))
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "first");
    EXPECT_EQ(lines[1], "second "); // cut to 7 characters
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "last");
    EXPECT_EQ(nextTextLine("", 0, line, sizeof line), -1);
    EXPECT_EQ(nextTextLine("one\n", 0, line, sizeof line), 4);
    EXPECT_EQ(nextTextLine("one\n", 4, line, sizeof line), -1);
}

TEST(ScoreTableTexts, PlacesLineUpAndCodeCharactersStayHidden)
{
    initEmptyScores();
    char text[SCORE_NAME_CHARS];
    buildEntryText(text, "alps", "ABC", "01:02:03", 1500);
    setScore(9, text, 10.0);
    char line[400];
    scoreTableLine(line, sizeof line, 9);
    EXPECT_STREQ(line, "1 - ABC time= 01:02:03, score = 1500");
    scoreTableLine(line, sizeof line, 1);
    EXPECT_STREQ(line, "9 - ---");
    scoreTableLine(line, sizeof line, 0);
    EXPECT_STREQ(line, "10- ---"); // no blank, so the names line up with places 1 to 9

    // A name field that lost its NUL is still shown within its 256 bytes.
    memset(tabScores[4].name, 'x', SCORE_NAME_CHARS);
    scoreTableLine(line, sizeof line, 4);
    EXPECT_EQ(strlen(line), strlen("6 - ") + SCORE_NAME_CHARS - 3);
    initEmptyScores();
}

// The table ranks by score minus 17000 a second: each entry shows that value, so that a lower score
// ranked above a higher one explains itself.
TEST(ScoreTableTexts, EachEntryShowsTheValueItIsRankedBy)
{
    initEmptyScores();
    char text[SCORE_NAME_CHARS], shown[64];
    buildEntryText(text, "alps", "ABC", "00:20:00", 902403);
    addEntry(text, rankingValue(902403, 20.0f)); // 902403 - 340000
    buildEntryText(text, "alps", "XYZ", "00:10:00", 650000);
    addEntry(text, rankingValue(650000, 10.0f)); // 650000 - 170000
    rankingValueText(shown, sizeof shown, 9);
    EXPECT_STREQ(shown, "562403");
    rankingValueText(shown, sizeof shown, 8);
    EXPECT_STREQ(shown, "480000");
    rankingValueText(shown, sizeof shown, 0);
    EXPECT_STREQ(shown, ""); // an empty entry has nothing to explain
    setScore(7, "xxxAAA", -1234567.4);
    rankingValueText(shown, sizeof shown, 7);
    EXPECT_STREQ(shown, "-1234567");
    initEmptyScores();
}

TEST(ScoreTableTexts, LongLinesShrinkToTheirRoomShortOnesKeepTheirScale)
{
    EXPECT_FLOAT_EQ(fittedScale("Total = 5", 400, 1.4f), 1.4f);
    const char* seven = "Total = 600000 + 1234567 = 1834567"; // 34 glyphs
    float s = fittedScale(seven, 436, 1.4f);
    EXPECT_LT(s, 1.4f);
    EXPECT_LE(10 * s * strlen(seven), 436.0f + 0.01f);
    EXPECT_FLOAT_EQ(fittedScale("", 10, 2.5f), 2.5f);
}

TEST(RiderRoster, TheHighlightedRiderIsAlwaysAmongTheRowsShown)
{
    EXPECT_EQ(rosterFirstRow(3, 2, 5), 0) << "three riders all show from the start";
    EXPECT_EQ(rosterFirstRow(0, 0, 5), 0);
    for (int count : {6, 9, 50})
        for (int sel = 0; sel < count; sel++) {
            int first = rosterFirstRow(count, sel, 5);
            EXPECT_GE(first, 0);
            EXPECT_LE(first + 5, count) << "no empty rows past the end";
            EXPECT_GE(sel, first);
            EXPECT_LT(sel, first + 5);
        }
    EXPECT_EQ(rosterFirstRow(9, 4, 5), 2) << "centred away from the ends";
}

TEST(ScoreTableTexts, RankLineAndMedal)
{
    char line[64];
    rankLine(line, sizeof line, -1);
    EXPECT_STREQ(line, "Too bad for them! Try again!");
    rankLine(line, sizeof line, 9);
    EXPECT_STREQ(line, "You ranked number 1!");
    rankLine(line, sizeof line, 0);
    EXPECT_STREQ(line, "You ranked number 10!");
    EXPECT_EQ(medalKindForRank(9), 1);
    EXPECT_EQ(medalKindForRank(8), 2);
    EXPECT_EQ(medalKindForRank(7), 3);
    EXPECT_EQ(medalKindForRank(6), 0);
    EXPECT_EQ(medalKindForRank(-1), 0);
}

TEST(OverlayAtlas, CellsCountedFromTheTopLeft)
{
    // entry 6: column 0, bottom row; corners bottom-left, bottom-right, top-right, top-left
    EXPECT_FLOAT_EQ(atlasCoord(6, 0, 0), 0.0f);
    EXPECT_FLOAT_EQ(atlasCoord(6, 0, 1), 0.0f);
    EXPECT_FLOAT_EQ(atlasCoord(6, 2, 0), 0.33f);
    EXPECT_FLOAT_EQ(atlasCoord(6, 2, 1), 0.33f);
    // entry 7, the name-entry pointer: middle column, bottom row
    EXPECT_FLOAT_EQ(atlasCoord(7, 1, 0), 0.66f);
    EXPECT_FLOAT_EQ(atlasCoord(7, 3, 0), 0.33f);
    EXPECT_FLOAT_EQ(atlasCoord(7, 3, 1), 0.33f);
    // entry 2: right column, top row
    EXPECT_FLOAT_EQ(atlasCoord(2, 0, 0), 0.66f);
    EXPECT_FLOAT_EQ(atlasCoord(2, 0, 1), 0.66f);
    EXPECT_FLOAT_EQ(atlasCoord(2, 2, 0), 1.0f);
    EXPECT_FLOAT_EQ(atlasCoord(2, 2, 1), 1.0f);
}

} // namespace
