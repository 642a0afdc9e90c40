// Where each item of the run's HUD sits and at what size, for the texts it shows this frame and the
// overlay frame of the window: laid out so that no two items cover each other and all stay on screen.
#pragma once

#include "render/viewFrame.h"

const int hudTextChars = 128;

// Lower-left corner and size, overlay units.
struct HudBox {
    float x, y, w, h;
};

enum HudItem {
    // anchored to a side of the window
    hudSpeedBand, hudSpeedBar, hudCollectables, hudBombs, hudJumpPoints, hudPoseName, hudFps, hudTrickKeys,
    hudTitle, hudScore, hudGhostGap, hudTime, hudPower, hudJumpDisc,
    // centred in the room the side items leave
    hudFeedback, hudFeedbackAction, hudKeys1, hudKeys2, hudLessonCount, hudLessonText, hudLessonDetail,
    hudStart, hudCountdown, hudBonus, hudExplosive, hudFinish, hudPressReturn,
    hudItemCount
};

// The text of each item this frame; "" hides a text item. The speed band, bar, counters and power
// gauge are always drawn; the trick keys when trickKeys > 0.
struct HudTexts {
    char text[hudItemCount][hudTextChars];
    int trickKeys;
};

struct HudPlace {
    short shown;
    HudBox box;         // everything the item covers (its band or sprites with its text)
    HudBox shape;       // its band, bar frame, logo or gauge alone
    float textX, textY; // where its text is printed, and how large
    float scale;
};

struct HudLayout {
    HudPlace item[hudItemCount];
};

void clearHudTexts(HudTexts& t);
void setHudText(HudTexts& t, int item, const char* text);
void layoutRunHud(const OverlayFrame& f, const HudTexts& t, HudLayout& out);
// The replay's own items over the run's HUD, in the room its items leave at the bottom of the window:
// the help line at the very bottom, the timeline, "REPLAY" with its state, and the list of its keys
// (rows of two cells, in the sky) while it is shown.
enum ReplayHudItem { replayHudHelp, replayHudTimeline, replayHudLabel, replayHudKeys, replayHudItemCount };
struct ReplayHudTexts {
    const char* help;
    const char* label;
    int keyRows;          // 0: the list is not shown
    const char* widestKey; // the widest cell of the list
};
struct ReplayHudLayout {
    HudPlace item[replayHudItemCount];
    float keyColumnX[2];  // the list's two columns, and the rows' step down from textY
    float keyRowStep;
};
void layoutReplayHud(const OverlayFrame& f, const HudLayout& run, const ReplayHudTexts& t, ReplayHudLayout& out);

// Whether two boxes share any area (boxes that only touch do not).
short hudBoxesOverlap(const HudBox& a, const HudBox& b);

// Speed in km/h from world units a second: a world unit is a centimetre (the rider stands about
// 180 units tall on skis, his poles are 140 long), so 1 unit/s is 0.036 km/h.
int speedKmh(float unitsPerSecond);
// Length of the speed bar for a speed, clamped to its frame (0 to the full bar).
float speedBarLength(float speed, float maxSpeed, float fullBar);
// Sprites of the trick keys and the room between them; the power gauge's ring, as the HUD draws them.
const float hudTrickKeySize = 32, hudTrickKeyGap = 10;
const float hudPowerRadius = 30;
