#include "shell/keys.h"

#include <allegro.h>

#include "platform/gameClock.h"
#include "shell/padInput.h"
#include "run/keyDetector.h"
#include "shell/keymap.h"

static const int NO_PAD = -1; // a key the pad has no action for

// Every detector function owns one instance; resetKeyDetectors makes each forget what it saw at its
// next call (a new screen flow, a test).
static int detectorGeneration = 0;

void resetKeyDetectors() { detectorGeneration++; }

// The detector's own state, fresh again after a reset.
static KeyDetector& current(KeyDetector& d, int& generation)
{
    if (generation != detectorGeneration) {
        d = KeyDetector();
        generation = detectorGeneration;
    }
    return d;
}

// A key code outside Allegro's key array is never held.
static bool keyHeld(int code)
{
    return code > 0 && code < KEY_MAX && key[code] != 0;
}

// The keyboard and the pad at once: either one holding the key's action holds it.
static bool isHeld(int code, int pad)
{
    return keyHeld(code) || padHeld(pad);
}

static int levelOf(int code, int pad)
{
    return keyHeld(code) ? key[code] : padHeld(pad);
}

// The keyboard's detectors follow the same rules as the run's buttons, sampled from the key and the pad.
static short noRepeat(KeyDetector& d, int code, int pad) { return detectPress(d, isHeld(code, pad)); }

static short released(KeyDetector& d, int code, int pad) { return detectRelease(d, isHeld(code, pad)); }

static double pressedTime(KeyDetector& d, int code, int pad)
{
    return detectHeldTime(d, isHeld(code, pad), gameClockLessPauses());
}

static short delayed(KeyDetector& d, int code, int pad, double delay)
{
    return detectRepeat(d, isHeld(code, pad), gameClockLessPauses(), delay);
}

// Typing repeat: true on a new press, then once after firstDelay seconds held, then every delay.
static short repeating(KeyDetector& d, int code, int pad, double firstDelay, double delay)
{
    return detectTypingRepeat(d, isHeld(code, pad), gameClock(), firstDelay, delay);
}

void installKeys() { install_keyboard(); }
void removeKeys() { remove_keyboard(); }

#define NO_REPEAT(name, code, pad)     \
    short name()                       \
    {                                  \
        static KeyDetector d;          \
        static int gen = -1;\
        return noRepeat(current(d, gen), code, pad); \
    }
#define RELEASED(name, code, pad)      \
    short name()                       \
    {                                  \
        static KeyDetector d;          \
        static int gen = -1;\
        return released(current(d, gen), code, pad); \
    }
#define PRESSED_TIME(name, code, pad)     \
    double name()                         \
    {                                     \
        static KeyDetector d;             \
        static int gen = -1;\
        return pressedTime(current(d, gen), code, pad); \
    }
#define DELAY(name, code, pad)               \
    short name(double delay)                 \
    {                                        \
        static KeyDetector d;                \
        static int gen = -1;   \
        return delayed(current(d, gen), code, pad, delay); \
    }
#define REPEAT(name, code, pad)                                  \
    short name(double firstDelay, double delay)                  \
    {                                                            \
        static KeyDetector d;                                    \
        static int gen = -1;                       \
        return repeating(current(d, gen), code, pad, firstDelay, delay);       \
    }
#define LEVEL(name, code, pad) \
    int name() { return levelOf(code, pad); }

// The four direction slots answer to their letter and to their arrow at once: a letter given to a
// direction on the key set-up screen never takes the arrow away.
static int riderArrow(int slot) { return slot >= 0 && slot < RIDER_ARROW_SLOTS ? riderArrowKeys[slot] : 0; }

static bool riderHeld(int slot, int pad) { return isHeld(currentKeymap[slot], pad) || keyHeld(riderArrow(slot)); }

static int riderLevel(int slot, int pad)
{
    int letter = levelOf(currentKeymap[slot], pad);
    return letter ? letter : (keyHeld(riderArrow(slot)) ? key[riderArrow(slot)] : 0);
}

#define RIDER_RELEASED(name, slot, pad) \
    short name()                        \
    {                                   \
        static KeyDetector d;           \
        static int gen = -1;            \
        return detectRelease(current(d, gen), riderHeld(slot, pad)); \
    }
#define RIDER_PRESSED_TIME(name, slot, pad) \
    double name()                           \
    {                                       \
        static KeyDetector d;               \
        static int gen = -1;                \
        return detectHeldTime(current(d, gen), riderHeld(slot, pad), gameClockLessPauses()); \
    }
#define RIDER_LEVEL(name, slot, pad) \
    int name() { return riderLevel(slot, pad); }

NO_REPEAT(keyUpNoRepeat, KEY_UP, PA_UP)
NO_REPEAT(keyDownNoRepeat, KEY_DOWN, PA_DOWN)
NO_REPEAT(keyLeftNoRepeat, KEY_LEFT, PA_LEFT)
NO_REPEAT(keyRightNoRepeat, KEY_RIGHT, PA_RIGHT)
NO_REPEAT(keyEnterNoRepeat, KEY_ENTER, PA_ENTER)
NO_REPEAT(keyEscNoRepeat, KEY_ESC, PA_BACK)
NO_REPEAT(keyF7NoRepeat, KEY_F7, NO_PAD)
NO_REPEAT(keyF8NoRepeat, KEY_F8, NO_PAD)
NO_REPEAT(keyF9NoRepeat, KEY_F9, NO_PAD)
NO_REPEAT(keyF10NoRepeat, KEY_F10, NO_PAD)
NO_REPEAT(keyGNoRepeat, KEY_G, NO_PAD)
NO_REPEAT(keyRNoRepeat, KEY_R, NO_PAD)
NO_REPEAT(keyMNoRepeat, KEY_M, NO_PAD)
NO_REPEAT(keyLNoRepeat, KEY_L, NO_PAD)
NO_REPEAT(keyBombNoRepeat, currentKeymap[KM_BOMB], PA_BOMB)
NO_REPEAT(keyPauseNoRepeat, KEY_P, PA_PAUSE)
NO_REPEAT(keySpaceNoRepeat, KEY_SPACE, NO_PAD)
NO_REPEAT(keyHNoRepeat, KEY_H, PA_TRICK1)
NO_REPEAT(keyReplayRestartNoRepeat, KEY_R, PA_TRICK2)
NO_REPEAT(keyCameraNoRepeat, KEY_C, PA_TRICK3)
NO_REPEAT(keyVNoRepeat, KEY_V, NO_PAD)
NO_REPEAT(keyFNoRepeat, KEY_F, NO_PAD)
NO_REPEAT(keySNoRepeat, KEY_S, NO_PAD)

DELAY(keyUpDelay, KEY_UP, PA_UP)
DELAY(keyDownDelay, KEY_DOWN, PA_DOWN)
DELAY(keyLeftDelay, KEY_LEFT, PA_LEFT)
DELAY(keyRightDelay, KEY_RIGHT, PA_RIGHT)
DELAY(keyEnterDelay, KEY_ENTER, PA_ENTER)

REPEAT(keyUpRepeat, KEY_UP, PA_UP)
REPEAT(keyDownRepeat, KEY_DOWN, PA_DOWN)
REPEAT(keyLeftRepeat, KEY_LEFT, PA_LEFT)
REPEAT(keyRightRepeat, KEY_RIGHT, PA_RIGHT)
REPEAT(keyCommaRepeat, KEY_COMMA, PA_LEFT_SIDE)
REPEAT(keyStopRepeat, KEY_STOP, PA_RIGHT_SIDE)

PRESSED_TIME(keySpacePressedTime, KEY_SPACE, PA_JUMP)
RIDER_PRESSED_TIME(keymapRightPressedTime, KM_RIGHT, PA_RIGHT)
RIDER_PRESSED_TIME(keymapLeftPressedTime, KM_LEFT, PA_LEFT)

RELEASED(keySpaceReleased, KEY_SPACE, PA_JUMP)
RIDER_RELEASED(keymapRightReleased, KM_RIGHT, PA_RIGHT)
RIDER_RELEASED(keymapLeftReleased, KM_LEFT, PA_LEFT)
RIDER_RELEASED(keymapUpReleased, KM_UP, PA_UP)
RIDER_RELEASED(keymapDownReleased, KM_DOWN, PA_DOWN)
RELEASED(keymapRightSideReleased, currentKeymap[KM_RIGHT_SIDE], PA_RIGHT_SIDE)
RELEASED(keymapLeftSideReleased, currentKeymap[KM_LEFT_SIDE], PA_LEFT_SIDE)

LEVEL(keyUp, KEY_UP, PA_UP)
LEVEL(keyDown, KEY_DOWN, PA_DOWN)
LEVEL(keyLeft, KEY_LEFT, PA_LEFT)
LEVEL(keyRight, KEY_RIGHT, PA_RIGHT)
RIDER_LEVEL(keymapUp, KM_UP, PA_UP)
RIDER_LEVEL(keymapDown, KM_DOWN, PA_DOWN)
RIDER_LEVEL(keymapLeft, KM_LEFT, PA_LEFT)
RIDER_LEVEL(keymapRight, KM_RIGHT, PA_RIGHT)
LEVEL(keymapRightSide, currentKeymap[KM_RIGHT_SIDE], PA_RIGHT_SIDE)
LEVEL(keymapLeftSide, currentKeymap[KM_LEFT_SIDE], PA_LEFT_SIDE)
LEVEL(keymapBomb, currentKeymap[KM_BOMB], PA_BOMB)

// Trick keys pressed during a pause are ignored until let go, so a pose cannot be set up at leisure.
static const int TRICK_KEYS = 6;
static bool trickHeldAtPause[TRICK_KEYS];
static bool trickIgnored[TRICK_KEYS];

void rememberHeldTrickKeys()
{
    for (int i = 0; i < TRICK_KEYS; i++) trickHeldAtPause[i] = isHeld(currentKeymap[KM_TRICK1 + i], PA_TRICK1 + i);
}

void ignoreTrickKeysPressedSince()
{
    for (int i = 0; i < TRICK_KEYS; i++) trickIgnored[i] =
            isHeld(currentKeymap[KM_TRICK1 + i], PA_TRICK1 + i) && !trickHeldAtPause[i];
}

static int trickLevel(int i)
{
    int code = currentKeymap[KM_TRICK1 + i];
    if (trickIgnored[i]) {
        if (isHeld(code, PA_TRICK1 + i)) return 0;
        trickIgnored[i] = false;
    }
    return levelOf(code, PA_TRICK1 + i);
}

int keymapTrick1() { return trickLevel(0); }
int keymapTrick2() { return trickLevel(1); }
int keymapTrick3() { return trickLevel(2); }
int keymapTrick4() { return trickLevel(3); }
int keymapTrick5() { return trickLevel(4); }
int keymapTrick6() { return trickLevel(5); }
LEVEL(keyEsc, KEY_ESC, PA_BACK)
LEVEL(keyEnter, KEY_ENTER, PA_ENTER)
LEVEL(keySpace, KEY_SPACE, PA_JUMP)
LEVEL(keyF1, KEY_F1, NO_PAD)
LEVEL(keyF2, KEY_F2, NO_PAD)
LEVEL(keyF3, KEY_F3, NO_PAD)
LEVEL(keyF4, KEY_F4, NO_PAD)
LEVEL(keyF5, KEY_F5, NO_PAD)
LEVEL(keyF6, KEY_F6, NO_PAD)
LEVEL(keyF7, KEY_F7, NO_PAD)
LEVEL(keyF8, KEY_F8, NO_PAD)
LEVEL(keyF9, KEY_F9, NO_PAD)
LEVEL(keyF10, KEY_F10, NO_PAD)
LEVEL(keyF11, KEY_F11, NO_PAD)
LEVEL(keyF12, KEY_F12, NO_PAD)

short keyEscTyped()
{
    short typed = 0;
    while (keyboard_driver && keypressed())
        if ((readkey() >> 8) == KEY_ESC) typed = 1;
    return typed;
}

void forgetTypedKeys()
{
    if (keyboard_driver) clear_keybuf();
}

int nextTypedKey()
{
    while (keyboard_driver && keypressed()) {
        int c = readkey() & 0xff;
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return c;
        if (c == TYPED_BACKSPACE || c == TYPED_ENTER || c == TYPED_ESC) return c;
    }
    return TYPED_NONE;
}

// Allegro's letter codes run from KEY_A to KEY_Z in order.
int keyLetterHeld(char letter)
{
    if (letter < 'a' || letter > 'z') return 0;
    return keyHeld(KEY_A + (letter - 'a')) ? 1 : 0;
}

int keyNewlyPressed()
{
    static char before[KEY_MAX];
    static int generation = -1;
    if (generation != detectorGeneration) {
        for (char& b : before) b = 0;
        generation = detectorGeneration;
    }
    int found = 0;
    for (int code = 1; code < KEY_MAX; code++) {
        char now = key[code] != 0;
        if (now && !before[code] && !found) found = code;
        before[code] = now;
    }
    return found;
}
