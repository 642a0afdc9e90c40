#include "shell/keys.h"

#include <allegro.h>

#include "platform/gameClock.h"
#include "shell/keymap.h"

// State of one detector; every detector function owns one instance.
struct KeyDetector {
    short previouslyPressed = 0;
    short pressed = 0;
    long tempsCour = 0;
    long tempsPrec = 0;
    double tempsEcoul = 0.0;
};

// A key code outside Allegro's key array is never held.
static bool isHeld(int code)
{
    return code > 0 && code < KEY_MAX && key[code] != 0;
}

static int levelOf(int code)
{
    return isHeld(code) ? key[code] : 0;
}

static void track(KeyDetector& d, int code)
{
    d.previouslyPressed = d.pressed;
    d.pressed = isHeld(code) ? 1 : 0;
}

static short noRepeat(KeyDetector& d, int code)
{
    track(d, code);
    return d.pressed && !d.previouslyPressed;
}

static short released(KeyDetector& d, int code)
{
    track(d, code);
    return d.previouslyPressed && !d.pressed;
}

static double pressedTime(KeyDetector& d, int code)
{
    track(d, code);
    if (d.pressed && d.previouslyPressed) {
        d.tempsCour = gameClockLessPauses();
        return (d.tempsCour - d.tempsPrec) * 0.001;
    }
    d.tempsEcoul = 0;
    d.tempsPrec = gameClockLessPauses();
    return 0.0;
}

static short delayed(KeyDetector& d, int code, double delay)
{
    if (!isHeld(code)) return 0;
    if (d.tempsEcoul == 0.0) {
        d.tempsPrec = gameClockLessPauses();
        d.tempsEcoul = (d.tempsCour - d.tempsPrec) * 0.001;
        return 1;
    }
    d.tempsCour = gameClockLessPauses();
    d.tempsEcoul = (d.tempsCour - d.tempsPrec) * 0.001;
    if (d.tempsEcoul > delay) d.tempsEcoul = 0.0;
    return 0;
}

// Typing repeat: true on a new press, then once after firstDelay seconds held, then every delay.
// The wait before the next repeat is kept in tempsEcoul; a release starts afresh.
static short repeating(KeyDetector& d, int code, double firstDelay, double delay)
{
    track(d, code);
    if (!d.pressed) return 0;
    long now = gameClock();
    if (!d.previouslyPressed) {
        d.tempsPrec = now;
        d.tempsEcoul = firstDelay;
        return 1;
    }
    if ((now - d.tempsPrec) * 0.001 < d.tempsEcoul) return 0;
    d.tempsPrec = now;
    d.tempsEcoul = delay;
    return 1;
}

void installKeys() { install_keyboard(); }
void removeKeys() { remove_keyboard(); }

#define NO_REPEAT(name, code)      \
    short name()                   \
    {                              \
        static KeyDetector d;      \
        return noRepeat(d, code);  \
    }
#define RELEASED(name, code)       \
    short name()                   \
    {                              \
        static KeyDetector d;      \
        return released(d, code);  \
    }
#define PRESSED_TIME(name, code)     \
    double name()                    \
    {                                \
        static KeyDetector d;        \
        return pressedTime(d, code); \
    }
#define DELAY(name, code)                 \
    short name(double delay)              \
    {                                     \
        static KeyDetector d;             \
        return delayed(d, code, delay);   \
    }
#define REPEAT(name, code)                                   \
    short name(double firstDelay, double delay)              \
    {                                                        \
        static KeyDetector d;                                \
        return repeating(d, code, firstDelay, delay);        \
    }
#define LEVEL(name, code) \
    int name() { return levelOf(code); }

NO_REPEAT(keyUpNoRepeat, KEY_UP)
NO_REPEAT(keyDownNoRepeat, KEY_DOWN)
NO_REPEAT(keyLeftNoRepeat, KEY_LEFT)
NO_REPEAT(keyRightNoRepeat, KEY_RIGHT)
NO_REPEAT(keyEnterNoRepeat, KEY_ENTER)
NO_REPEAT(keyEscNoRepeat, KEY_ESC)
NO_REPEAT(keyF7NoRepeat, KEY_F7)
NO_REPEAT(keyF8NoRepeat, KEY_F8)
NO_REPEAT(keyF9NoRepeat, KEY_F9)
NO_REPEAT(keyF10NoRepeat, KEY_F10)
NO_REPEAT(keyGNoRepeat, KEY_G)
NO_REPEAT(keyBombNoRepeat, currentKeymap[KM_BOMB])
NO_REPEAT(keyPauseNoRepeat, KEY_P)

DELAY(keyUpDelay, KEY_UP)
DELAY(keyDownDelay, KEY_DOWN)
DELAY(keyLeftDelay, KEY_LEFT)
DELAY(keyRightDelay, KEY_RIGHT)
DELAY(keyEnterDelay, KEY_ENTER)

REPEAT(keyUpRepeat, KEY_UP)
REPEAT(keyDownRepeat, KEY_DOWN)
REPEAT(keyLeftRepeat, KEY_LEFT)
REPEAT(keyRightRepeat, KEY_RIGHT)

PRESSED_TIME(keySpacePressedTime, KEY_SPACE)
PRESSED_TIME(keymapRightPressedTime, currentKeymap[KM_RIGHT])
PRESSED_TIME(keymapLeftPressedTime, currentKeymap[KM_LEFT])

RELEASED(keySpaceReleased, KEY_SPACE)
RELEASED(keymapRightReleased, currentKeymap[KM_RIGHT])
RELEASED(keymapLeftReleased, currentKeymap[KM_LEFT])
RELEASED(keymapUpReleased, currentKeymap[KM_UP])
RELEASED(keymapDownReleased, currentKeymap[KM_DOWN])
RELEASED(keymapRightSideReleased, currentKeymap[KM_RIGHT_SIDE])
RELEASED(keymapLeftSideReleased, currentKeymap[KM_LEFT_SIDE])

LEVEL(keyUp, KEY_UP)
LEVEL(keyDown, KEY_DOWN)
LEVEL(keyLeft, KEY_LEFT)
LEVEL(keyRight, KEY_RIGHT)
LEVEL(keymapUp, currentKeymap[KM_UP])
LEVEL(keymapDown, currentKeymap[KM_DOWN])
LEVEL(keymapLeft, currentKeymap[KM_LEFT])
LEVEL(keymapRight, currentKeymap[KM_RIGHT])
LEVEL(keymapRightSide, currentKeymap[KM_RIGHT_SIDE])
LEVEL(keymapLeftSide, currentKeymap[KM_LEFT_SIDE])
LEVEL(keymapBomb, currentKeymap[KM_BOMB])

// Trick keys pressed during a pause are ignored until let go, so a pose cannot be set up at leisure.
static const int TRICK_KEYS = 6;
static bool trickHeldAtPause[TRICK_KEYS];
static bool trickIgnored[TRICK_KEYS];

void rememberHeldTrickKeys()
{
    for (int i = 0; i < TRICK_KEYS; i++) trickHeldAtPause[i] = isHeld(currentKeymap[KM_TRICK1 + i]);
}

void ignoreTrickKeysPressedSince()
{
    for (int i = 0; i < TRICK_KEYS; i++) trickIgnored[i] = isHeld(currentKeymap[KM_TRICK1 + i]) && !trickHeldAtPause[i];
}

static int trickLevel(int i)
{
    int code = currentKeymap[KM_TRICK1 + i];
    if (trickIgnored[i]) {
        if (isHeld(code)) return 0;
        trickIgnored[i] = false;
    }
    return levelOf(code);
}

int keymapTrick1() { return trickLevel(0); }
int keymapTrick2() { return trickLevel(1); }
int keymapTrick3() { return trickLevel(2); }
int keymapTrick4() { return trickLevel(3); }
int keymapTrick5() { return trickLevel(4); }
int keymapTrick6() { return trickLevel(5); }
LEVEL(keyEsc, KEY_ESC)
LEVEL(keyEnter, KEY_ENTER)
LEVEL(keySpace, KEY_SPACE)
LEVEL(keyF1, KEY_F1)
LEVEL(keyF2, KEY_F2)
LEVEL(keyF3, KEY_F3)
LEVEL(keyF4, KEY_F4)
LEVEL(keyF5, KEY_F5)
LEVEL(keyF6, KEY_F6)
LEVEL(keyF7, KEY_F7)
LEVEL(keyF8, KEY_F8)
LEVEL(keyF9, KEY_F9)
LEVEL(keyF10, KEY_F10)
LEVEL(keyF11, KEY_F11)
LEVEL(keyF12, KEY_F12)

int keyNewlyPressed()
{
    static char before[KEY_MAX];
    int found = 0;
    for (int code = 1; code < KEY_MAX; code++) {
        char now = key[code] != 0;
        if (now && !before[code] && !found) found = code;
        before[code] = now;
    }
    return found;
}
