// Key detectors polled once a frame: held, newly pressed, released, held-for-how-long, auto-repeat.
// Each detector keeps its own state, so its answer depends only on its own previous call.
#pragma once

void installKeys();
void removeKeys();

// Every detector below forgets what it saw (a new screen flow, a test).
void resetKeyDetectors();

// Newly pressed since the previous call (one true per press).
short keyUpNoRepeat();
short keyDownNoRepeat();
short keyLeftNoRepeat();
short keyRightNoRepeat();
short keyEnterNoRepeat();
short keyEscNoRepeat();
short keyF7NoRepeat();
short keyF8NoRepeat();
short keyF9NoRepeat();
short keyF10NoRepeat();
short keyGNoRepeat();  // the ghost switch on the options screen
short keyRNoRepeat();  // the best run's replay on the score table
short keyMNoRepeat();  // mute, on the options screen and in a run
short keyLNoRepeat();  // the lesson, on the home menu
short keyBombNoRepeat();
short keyPauseNoRepeat(); // P
// The replay's own: Space pauses; H (pad X) lists its keys; R (pad Y) restarts it.
short keySpaceNoRepeat();
short keyHNoRepeat();
short keyReplayRestartNoRepeat();
// The replay's camera (C, pad B); the film of the best run on the score table (V).
short keyCameraNoRepeat();
short keyVNoRepeat();
short keyFNoRepeat();  // the film as PNG frames, when ffmpeg is missing
short keySNoRepeat();  // a seed typed on the track screen
// ESC typed since the last call, from the keyboard's own queue: seen however long a frame takes
// (a film's), where a detector sees only what is held when it is asked. Other typed keys are dropped.
short keyEscTyped();

// Typed text from the keyboard's own queue: letters and digits as themselves, and these; the keys
// typed before forgetTypedKeys() never come out.
const int TYPED_NONE = 0, TYPED_BACKSPACE = 8, TYPED_ENTER = 13, TYPED_ESC = 27;
void forgetTypedKeys();
int nextTypedKey();

// Auto-repeat: true at once, then once every `delay` seconds while held.
short keyUpDelay(double delay);
short keyDownDelay(double delay);
short keyLeftDelay(double delay);
short keyRightDelay(double delay);
short keyEnterDelay(double delay);

// Typing repeat: true on a new press, then after firstDelay seconds held, then every delay seconds.
short keyUpRepeat(double firstDelay, double delay);
short keyDownRepeat(double firstDelay, double delay);
short keyLeftRepeat(double firstDelay, double delay);
short keyRightRepeat(double firstDelay, double delay);
// The replay's one-frame steps: comma and full stop (pad triggers), held to step on and on.
short keyCommaRepeat(double firstDelay, double delay);
short keyStopRepeat(double firstDelay, double delay);

// Seconds held without interruption (0.0 on the first frame of a press).
double keySpacePressedTime();
double keymapRightPressedTime();
double keymapLeftPressedTime();

// Held at the previous call and not now.
short keySpaceReleased();
short keymapRightReleased();
short keymapLeftReleased();
short keymapUpReleased();
short keymapDownReleased();
short keymapRightSideReleased();
short keymapLeftSideReleased();

// Held now (the key's byte of Allegro's key array).
int keyUp();
int keyDown();
int keyLeft();
int keyRight();
int keymapUp();
int keymapDown();
int keymapLeft();
int keymapRight();
int keymapRightSide();
int keymapLeftSide();
int keymapTrick1();
int keymapTrick2();
int keymapTrick3();
int keymapTrick4();
int keymapTrick5();
int keymapTrick6();
int keymapBomb();
int keyEsc();
int keyEnter();
int keySpace();
int keyF1();
int keyF2();
int keyF3();
int keyF4();
int keyF5();
int keyF6();
int keyF7();
int keyF8();
int keyF9();
int keyF10();
int keyF11();
int keyF12();
// A letter key held now ('a' to 'z'); 0 for any other character.
int keyLetterHeld(char letter);

// A pause: the trick keys held when it starts, then at its end those pressed meanwhile read as up
// until they are let go.
void rememberHeldTrickKeys();
void ignoreTrickKeysPressedSince();

// The first key pressed since the previous call (an Allegro key code), 0 when none. One caller a frame.
int keyNewlyPressed();
