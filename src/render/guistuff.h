// Flat overlay drawing in the 640 x 480 space: sprites, bands, gauges, zoom messages, medal,
// frame counter, and the run HUD.
#pragma once

const float overlayWidth = 640.0f;
const float overlayHeight = 480.0f;

extern float listePointsBoulesTex[9][4][2];
extern float colorBande[4];
extern short showFps;
extern char timeStr[256];
extern char scoreStr[256];
extern char strButton[256];

// Overlay bracket: lighting and depth test off, blending on, 640 x 480 ortho projection.
void beginOverlay();
void endOverlay();

void drawBoule(int k, float x, float y, float w, float h, unsigned int texture);
// Entries of a trick-key list before its -1, at most six.
int combiLength(const int* list);
void drawCombi(float x, float y, float w, float h, float gap, unsigned int texture, int* list);
void drawCollectableLogo(float x, float y, float w, float h, unsigned int texture);
void drawPointerLetter(float x, float y, float w, float h, unsigned int texture);
void drawLogoBomb(float x, float y, float w, float h, unsigned int texture);
void drawBande(short slantLeft, float x, float y, float w, float h, float slant);
void drawBandeVitesse(float x, float y, float length, float h, float slant);
float getTailleMaxSpeedbar();
void drawFondFondu(float x, float y, float w, float h, float alpha);

// Width of a HUD band fitted to a text: (strlen + 1.5) x 14.
float bandWidthFor(const char* text);

void drawFigScore(char* buffer, int value, unsigned int texture);
// Both return 1 exactly when trigger is 1 (the caller plays the bonus sound).
short drawBoomCollectable(short trigger, unsigned int texture, const char* text);
short drawBoomBomb(short trigger, unsigned int texture, const char* text);
void drawPower(float x, float y, int n, float radius, float value, float threshold, float max);
void drawOnePowerDisc(float x, float y, int n, float radius, float value, float threshold, float max);
void drawMedal(int kind, unsigned int rimTexture, unsigned int faceTexture, unsigned int shineTexture);

// F7: the frame rate shown or not.

// "FINISH" and the blinking "- press Return -" after the finish line.
void glPrintFinishData(double unused);
// HUD text on a dark band of its own, faded by alpha (1 opaque), and how wide a text is drawn.
void hudBandedText(float x, float y, const char* text, float scale, float alpha = 1.0f, int set = 0);
float hudTextWidth(const char* text, float scale);
// The run's heads-up display, bands to trick-key sprites.
void drawRunHud();

// Zoom state of a bonus message, exposed for tests.
struct ZoomMessage {
    short boomFlag;
    float scale;
};
// One frame of a zoom message: returns 1 when trigger is 1; *printScale gets the scale printed
// this frame, or 0 when nothing is printed.
short stepZoomMessage(ZoomMessage* m, short trigger, float* printScale);
