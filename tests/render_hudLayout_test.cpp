// The run's HUD laid out in every window size with its largest texts: no item covers another, all
// stay on screen, none is shrunk past reading; the speed's number and bar, the pickups' messages.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "render/ghostDraw.h"
#include "render/guistuff.h"
#include "render/hudHints.h"
#include "render/hudLayout.h"
#include "render/lessonDraw.h"
#include "run/lesson.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "screens/replayControls.h"
#include "shell/keymap.h"

namespace {

const char* const ITEM_NAMES[hudItemCount] = {
    "speed band", "speed bar", "collectables", "bombs", "jump points", "pose name", "fps", "trick keys",
    "title", "score", "ghost gap", "time", "power", "jump disc", "feedback", "feedback action", "keys 1",
    "keys 2", "lesson count", "lesson text", "lesson detail", "start", "countdown", "bonus", "explosive",
    "finish", "press return"};

const float LEGIBLE_SCALE = 0.5f;  // 8 overlay units a glyph: 10 pixels tall in an 800 x 600 window

// The largest of everything the corners show: a long title, 7-digit jump points, a long pose name.
HudTexts cornersAtTheirLargest()
{
    HudTexts t;
    clearHudTexts(t);
    char gap[16];
    formatGhostGap(gap, 1.0e12f);
    std::string speed = std::to_string(speedKmh(1.0e5f)) + " km/h";
    const char* texts[][2] = {{"title", "The Long Valley Run of the North Face Ridge"}, {"time", "Time: 999:59:99"},
                              {"speed", speed.c_str()}, {"collectables", " x 1000"}, {"bombs", " x 999"},
                              {"score", "Score: 2147483647"}, {"ghost", gap}, {"fps", "fps: 1440.0 ticks: 60.0"}};
    int items[] = {hudTitle, hudTime, hudSpeedBar, hudCollectables, hudBombs, hudScore, hudGhostGap, hudFps};
    for (int i = 0; i < 8; i++) setHudText(t, items[i], texts[i][1]);
    setHudText(t, hudSpeedBand, "Speed");
    setHudText(t, hudPower, "J");
    t.trickKeys = 6;
    return t;
}

void inTheAir(HudTexts& t)
{
    setHudText(t, hudJumpPoints, "9999999");
    setHudText(t, hudPoseName, "Backscratcher Lincoln Twist Stale Fish Daffy");
    setHudText(t, hudBonus, "BONUS!");
    setHudText(t, hudExplosive, "Explosive!");
}

void fallLines(HudTexts& t)
{
    setHudText(t, hudFeedback, "Out of the course: put back on the track");
    setHudText(t, hudFeedbackAction, "Hold W (or up) to push off");
}

void keyHints(HudTexts& t)
{
    initKeymap("/nonexistent/keys.map");
    reinitGameVar(playerRun, loadedTrack);
    RunHints h;
    runHints(h, 1);
    setHudText(t, hudStart, h.start);
    setHudText(t, hudKeys1, h.keys[0]);
    setHudText(t, hudKeys2, h.keys[1]);
    setHudText(t, hudJumpDisc, h.jumpDisc);
}

// The lesson's widest lines, step by step, over the scene t.
std::vector<HudTexts> withEachLessonStep(const HudTexts& t)
{
    std::vector<HudTexts> out;
    startLesson();
    for (int step = 0; step <= LESSON_STEPS; step++) {
        lesson.step = step;
        LessonLines l;
        lessonLines(l);
        HudTexts s = t;
        setHudText(s, hudLessonCount, l.count);
        setHudText(s, hudLessonText, l.instruction);
        setHudText(s, hudLessonDetail, l.detail);
        out.push_back(s);
    }
    stopLesson();
    return out;
}

// Every moment of a run with what can show together at it.
std::vector<std::pair<std::string, HudTexts>> runMoments()
{
    std::vector<std::pair<std::string, HudTexts>> out;
    HudTexts waiting = cornersAtTheirLargest();
    keyHints(waiting);
    out.push_back({"waiting for SPACE", waiting});
    HudTexts countdown = cornersAtTheirLargest();
    keyHints(countdown);
    setHudText(countdown, hudStart, "");
    setHudText(countdown, hudCountdown, "Go");
    out.push_back({"countdown", countdown});
    HudTexts air = cornersAtTheirLargest();
    keyHints(air);
    setHudText(air, hudStart, "");
    inTheAir(air);
    fallLines(air);
    out.push_back({"in the air, keys shown", air});
    HudTexts lessonWaiting = cornersAtTheirLargest();
    setHudText(lessonWaiting, hudStart, "Press SPACE to start");
    for (const HudTexts& s : withEachLessonStep(lessonWaiting)) out.push_back({"lesson before the start", s});
    HudTexts lessonAir = cornersAtTheirLargest();
    inTheAir(lessonAir);
    fallLines(lessonAir);
    for (const HudTexts& s : withEachLessonStep(lessonAir)) out.push_back({"lesson in the air", s});
    HudTexts finished = cornersAtTheirLargest();
    fallLines(finished);
    setHudText(finished, hudBonus, "BONUS!");
    setHudText(finished, hudExplosive, "Explosive!");
    setHudText(finished, hudFinish, "FINISH");
    setHudText(finished, hudPressReturn, "- press Return -");
    out.push_back({"finished", finished});
    return out;
}

std::string describe(const HudBox& b)
{
    char s[96];
    snprintf(s, sizeof s, "(%.1f, %.1f) %.1f x %.1f", b.x, b.y, b.w, b.h);
    return s;
}

}  // namespace

TEST(RenderHudLayout, NoItemCoversAnotherAndAllStayOnScreenAtEverySize)
{
    const int sizes[][2] = {{640, 480}, {800, 600}, {1280, 720}, {1920, 1080}};
    for (const auto& size : sizes) {
        OverlayFrame f = overlayFrameFor(size[0], size[1]);
        for (const auto& moment : runMoments()) {
            HudLayout l;
            layoutRunHud(f, moment.second, l);
            std::string where = std::to_string(size[0]) + "x" + std::to_string(size[1]) + ", " + moment.first;
            for (int i = 0; i < hudItemCount; i++) {
                const HudPlace& p = l.item[i];
                bool wanted = moment.second.text[i][0] || (i == hudTrickKeys && moment.second.trickKeys > 0);
                ASSERT_EQ(wanted, p.shown != 0) << ITEM_NAMES[i] << ", " << where;
                if (!p.shown) continue;
                EXPECT_GE(p.box.x, f.left) << ITEM_NAMES[i] << " " << describe(p.box) << ", " << where;
                EXPECT_LE(p.box.x + p.box.w, f.right) << ITEM_NAMES[i] << " " << describe(p.box) << ", " << where;
                EXPECT_GE(p.box.y, f.bottom) << ITEM_NAMES[i] << " " << describe(p.box) << ", " << where;
                EXPECT_LE(p.box.y + p.box.h, f.top) << ITEM_NAMES[i] << " " << describe(p.box) << ", " << where;
                if (i != hudTitle && i != hudTrickKeys)  // a title of any length is shrunk to its band
                    EXPECT_GE(p.scale, LEGIBLE_SCALE) << ITEM_NAMES[i] << ", " << where;
                // the text lies inside what the item covers
                float w = hudTextWidth(moment.second.text[i], p.scale);
                if (i != hudTrickKeys && i != hudPower) {
                    EXPECT_GE(p.textX + 0.01f, p.box.x) << ITEM_NAMES[i] << ", " << where;
                    EXPECT_LE(p.textX + w, p.box.x + p.box.w + 0.01f) << ITEM_NAMES[i] << ", " << where;
                }
                for (int j = 0; j < i; j++)
                    if (l.item[j].shown)
                        EXPECT_FALSE(hudBoxesOverlap(p.box, l.item[j].box))
                            << ITEM_NAMES[i] << " " << describe(p.box) << " covers " << ITEM_NAMES[j] << " "
                            << describe(l.item[j].box) << ", " << where;
            }
            // the jump under way keeps a size that reads at a glance
            if (moment.second.text[hudJumpPoints][0]) EXPECT_GE(l.item[hudJumpPoints].scale, 1.5f) << where;
        }
    }
    initKeymap("/nonexistent/keys.map");
    reinitGameVar(playerRun, loadedTrack);
}

TEST(RenderHudLayout, ItemsKeepTheirCornersAndShortTitlesTheirFullSize)
{
    HudTexts t = cornersAtTheirLargest();
    setHudText(t, hudTitle, "Meadow");
    HudLayout narrow, wide;
    OverlayFrame f43 = overlayFrameFor(800, 600), f169 = overlayFrameFor(1920, 1080);
    layoutRunHud(f43, t, narrow);
    layoutRunHud(f169, t, wide);
    // the corners move out with a wider window, by the frame's own widening
    EXPECT_NEAR(wide.item[hudSpeedBand].box.x - narrow.item[hudSpeedBand].box.x, f169.left - f43.left, 0.01f);
    EXPECT_NEAR(wide.item[hudScore].box.x - narrow.item[hudScore].box.x, f169.right - f43.right, 0.01f);
    EXPECT_FLOAT_EQ(1.5f, narrow.item[hudTitle].scale);
    // the title band of a 20-character title is as wide as ever (301 units and the slant) in a wide
    // window; in a 4:3 one it is held to the share that leaves the message line its room
    setHudText(t, hudTitle, "12345678901234567890");
    layoutRunHud(f169, t, wide);
    EXPECT_NEAR(301 + 32, wide.item[hudTitle].box.w, 0.01f);
    layoutRunHud(f43, t, narrow);
    EXPECT_LT(narrow.item[hudTitle].box.w, 301 + 32);
    // a longer one is held to its share of the width and shrunk to fit it
    setHudText(t, hudTitle, "The Long Valley Run of the North Face Ridge");
    layoutRunHud(f43, t, narrow);
    EXPECT_LE(narrow.item[hudTitle].box.w - 32, 0.4f * (f43.right - f43.left));
    EXPECT_LT(narrow.item[hudTitle].scale, 1.5f);
}

TEST(RenderHudLayout, SpeedInKilometresAnHourAndABarThatStaysInItsFrame)
{
    EXPECT_EQ(180, speedKmh(5000));  // the top speed on the snow
    EXPECT_EQ(180, speedKmh(-5000)); // riding backwards up a repelling patch
    EXPECT_EQ(0, speedKmh(0));
    EXPECT_EQ(36, speedKmh(1000));
    EXPECT_FLOAT_EQ(100, speedBarLength(2500, 5000, 200));
    EXPECT_FLOAT_EQ(200, speedBarLength(12000, 5000, 200)) << "a booster's speed stays inside the frame";
    EXPECT_FLOAT_EQ(200, speedBarLength(-9000, 5000, 200));
    EXPECT_FLOAT_EQ(0, speedBarLength(3000, 0, 200));
}

// "BONUS!" shows a second at any frame rate; a new pickup starts it again.
TEST(RenderHudLayout, PickupMessagesLastASecondAtAnyFrameRate)
{
    for (int rate : {20, 60, 144}) {
        BonusMessage m = {0};
        EXPECT_FALSE(bonusMessageShown(m));
        startBonusMessage(&m);
        int frames = 0;
        while (bonusMessageShown(m) && frames < 1000) {
            ageBonusMessage(&m, 1.0f / rate);
            frames++;
        }
        EXPECT_NEAR(rate, frames, 1) << rate;
        startBonusMessage(&m);
        ageBonusMessage(&m, 0.9f);
        startBonusMessage(&m);
        ageBonusMessage(&m, 0.5f);
        EXPECT_TRUE(bonusMessageShown(m)) << "started again, it runs its whole second";
    }
}

// A replay's label, timeline, help line and list of keys over every moment a replay shows (no start
// line, key band or lesson there): inside the window, readable, clear of the HUD and of each other.
TEST(RenderHudLayout, TheReplaysLinesKeepClearOfTheHudAndOfEachOther)
{
    const char* const REPLAY_ITEM_NAMES[replayHudItemCount] = {"help", "timeline", "label", "keys"};
    const char* widest = "";
    for (int r = 0; r < replayKeyRows; r++)
        for (int c = 0; c < 2; c++)
            if (strlen(replayKeyList[r][c]) > strlen(widest)) widest = replayKeyList[r][c];
    // the longest help line (the free camera's) and label
    ReplayHudTexts t{replayHelpLine(1), "REPLAY  PAUSED  free camera  (an older best run: the final score)",
                     replayKeyRows, widest};
    const int sizes[][2] = {{640, 480}, {800, 600}, {1280, 720}, {1920, 1080}};
    for (const auto& size : sizes) {
        OverlayFrame f = overlayFrameFor(size[0], size[1]);
        for (auto moment : runMoments()) {
            for (int hidden : {hudStart, hudKeys1, hudKeys2, hudJumpDisc, hudLessonCount, hudLessonText, hudLessonDetail})
                setHudText(moment.second, hidden, "");
            HudLayout run;
            layoutRunHud(f, moment.second, run);
            ReplayHudLayout l;
            layoutReplayHud(f, run, t, l);
            std::string where = std::to_string(size[0]) + "x" + std::to_string(size[1]) + ", " + moment.first;
            for (int i = 0; i < replayHudItemCount; i++) {
                const HudPlace& p = l.item[i];
                ASSERT_TRUE(p.shown) << REPLAY_ITEM_NAMES[i] << ", " << where;
                EXPECT_GE(p.box.x, f.left) << REPLAY_ITEM_NAMES[i] << ", " << where;
                EXPECT_LE(p.box.x + p.box.w, f.right) << REPLAY_ITEM_NAMES[i] << ", " << where;
                EXPECT_GE(p.box.y, f.bottom) << REPLAY_ITEM_NAMES[i] << ", " << where;
                EXPECT_LE(p.box.y + p.box.h, f.top) << REPLAY_ITEM_NAMES[i] << ", " << where;
                if (i != replayHudTimeline) EXPECT_GE(p.scale, LEGIBLE_SCALE) << REPLAY_ITEM_NAMES[i] << ", " << where;
                for (int j = 0; j < hudItemCount; j++)
                    if (run.item[j].shown)
                        EXPECT_FALSE(hudBoxesOverlap(p.box, run.item[j].box))
                            << REPLAY_ITEM_NAMES[i] << " " << describe(p.box) << " covers " << ITEM_NAMES[j] << " "
                            << describe(run.item[j].box) << ", " << where;
                for (int j = 0; j < i; j++)
                    EXPECT_FALSE(hudBoxesOverlap(p.box, l.item[j].box))
                        << REPLAY_ITEM_NAMES[i] << " covers " << REPLAY_ITEM_NAMES[j] << ", " << where;
            }
            // the texts lie inside their boxes; the list's second column ends inside its band
            const HudPlace &help = l.item[replayHudHelp], &keys = l.item[replayHudKeys];
            EXPECT_LE(help.textX + hudTextWidth(t.help, help.scale), help.box.x + help.box.w + 0.01f) << where;
            EXPECT_LE(l.keyColumnX[1] + hudTextWidth(widest, keys.scale), keys.box.x + keys.box.w + 0.01f) << where;
            EXPECT_GE(keys.textY - (replayKeyRows - 1) * l.keyRowStep, keys.box.y) << where;
            EXPECT_GE(l.item[replayHudTimeline].box.w, 0.5f * overlayWidth) << "a timeline to read, " << where;
        }
    }
    initKeymap("/nonexistent/keys.map");
    reinitGameVar(playerRun, loadedTrack);
}
