// Flat overlay drawing in the 640 x 480 space: sprites, bands, gauges, zoom messages, medal,
// frame counter, and the run HUD.
#pragma once

const float overlayWidth = 640.0f;
const float overlayHeight = 480.0f;

// Texture coordinate (axis 0 across, 1 up) of a corner (bottom-left, bottom-right, top-right, top-left)
// of the overlay atlas's entry k, its nine cells counted from the top left.
float atlasCoord(int k, int corner, int axis);

// Overlay bracket: lighting and depth test off, blending on, 640 x 480 ortho projection.
void beginOverlay();
void endOverlay();

void drawBoule(int k, float x, float y, float w, float h, unsigned int texture);
// Entries of a trick-key list before its -1, at most six.
int combiLength(const int* list);
void drawCombi(float x, float y, float w, float h, float gap, unsigned int texture, const int* list);
void drawCollectableLogo(float x, float y, float w, float h, unsigned int texture);
void drawPointerLetter(float x, float y, float w, float h, unsigned int texture);
void drawLogoBomb(float x, float y, float w, float h, unsigned int texture);
void drawBande(short slantLeft, float x, float y, float w, float h, float slant);
void drawBandeVitesse(float x, float y, float length, float h, float slant);
// The outline of the whole speed bar, so its length reads against its end.
void drawSpeedBarFrame(float x, float y, float length, float h, float slant);
float getTailleMaxSpeedbar();
void drawFondFondu(float x, float y, float w, float h, float alpha);

// Width of a HUD band fitted to a text: (strlen + 1.5) x 14.
float bandWidthFor(const char* text);

void drawPower(float x, float y, int n, float radius, float value, float threshold, float max);
void drawOnePowerDisc(float x, float y, int n, float radius, float value, float threshold, float max);
void drawMedal(int kind, unsigned int rimTexture, unsigned int faceTexture, unsigned int shineTexture);

struct HudLayout;
struct HudPlace;
// "FINISH" and the blinking "- press Return -" after the finish line, at their places.
void glPrintFinishData(const HudLayout& l);
// HUD text on a dark band of its own, faded by alpha (1 opaque), and how wide a text is drawn.
void hudBandedText(float x, float y, const char* text, float scale, float alpha = 1.0f, int set = 0);
float hudTextWidth(const char* text, float scale);
// HUD text with no band (on a band drawn for several lines).
void hudPlainText(float x, float y, const char* text, float scale, float alpha = 1.0f);
// A laid-out HUD line on its dark band, when it is shown.
void hudBandedLine(const HudPlace& p, const char* text, float alpha = 1.0f, int set = 0);
// The run's heads-up display, bands to trick-key sprites.
void drawRunHud();
// Where the last drawRunHud put its items (what a replay lays its own lines round).
const HudLayout& drawnRunHudLayout();

// "BONUS!" and "Explosive!": started by the pickup's tick, shown a second at a fixed size whatever the
// frame rate (a new pickup starts it again).
struct BonusMessage {
    float secondsLeft;
};
// What the HUD shows beside the run: the frame rate (F7 switches it, in the shell) and the pickup messages.
struct HudState {
    short showFps = 0;
    BonusMessage collectableMessage = {0}, bombMessage = {0};
};
extern HudState hudState;
void startBonusMessage(BonusMessage* m);
short bonusMessageShown(const BonusMessage& m);
void ageBonusMessage(BonusMessage* m, float seconds);
