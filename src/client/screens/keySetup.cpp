// Takes the menu keys and the next key pressed; moves, assigns, swaps and refuses rider keys.
#include "screens/keySetup.h"

#include <allegro.h>

#include "render/screenshot.h"
#include "fileio/gameFolders.h"
#include "shell/keymapFile.h"
#include "shell/keys.h"
#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"

KeySetupState keySetup = {0, 0, 0, nullptr};

const char* const keySetupLabels[KEY_SETUP_LINES] = {
    "left: steer / spin", "right: steer / spin", "down: brake / back flip", "up: push / front flip",
    "left side flip",     "right side flip",     "trick key 1",             "trick key 2",
    "trick key 3",        "trick key 4",         "trick key 5",             "trick key 6"};

static const char MSG_BOMB[] = "B fires the bombs: it cannot be moved";
static const char MSG_FIXED[] = "F7-F10, ESC, P, M, RETURN and SPACE are fixed";
static const char MSG_LETTERS[] = "Only the letters A to Z can be used";
static const char MSG_WAIT[] = "Press the new key (ESC: cancel)";
static const char MSG_SWAPPED[] = "Key taken from another action: swapped";
static const char MSG_SAVE_FAILED[] = "keys.map could not be written! ESC: leave anyway";

// Keys every screen or every run owns; the pause, mute and jump keys among them.
static bool isFixedKey(int code)
{
    return (code >= KEY_F7 && code <= KEY_F10) || code == KEY_ESC || code == KEY_P || code == KEY_M || code == KEY_ENTER ||
           code == KEY_ENTER_PAD || code == KEY_SPACE;
}

const char* keyRefusal(int code)
{
    // The 'b' key of the keyboard gives the bomb code (see mapBombKey).
    if (code == KEY_B || code == BOMB_KEY_CODE) return MSG_BOMB;
    if (isFixedKey(code)) return MSG_FIXED;
    if (code < KEY_A || code > KEY_Z) return MSG_LETTERS;
    return nullptr;
}

void assignKey(int map[KM_SLOTS], int slot, int code)
{
    for (int other = 0; other < KEY_SETUP_LINES; other++)
        if (other != slot && map[other] == code) map[other] = map[slot];
    map[slot] = code;
}

static void playMenu(SndSample* which) { wrpPlaySound(which, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch); }

static void takeKey(int code, int map[KM_SLOTS])
{
    const char* refusal = keyRefusal(code);
    if (refusal) {
        keySetup.message = refusal;
        return;
    }
    bool elsewhere = false;
    for (int other = 0; other < KEY_SETUP_LINES; other++) elsewhere |= other != keySetup.line && map[other] == code;
    assignKey(map, keySetup.line, code);
    keySetup.waiting = 0;
    keySetup.message = elsewhere ? MSG_SWAPPED : nullptr;
    playMenu(gameSounds.chooseItemSnd);
}

int keySetupStep(const KeySetupKeys& in, int map[KM_SLOTS])
{
    if (keySetup.waiting) {
        if (in.esc) {
            keySetup.waiting = 0;
            keySetup.message = nullptr;
        } else if (in.newKey) {
            takeKey(in.newKey, map);
        }
        return 0;
    }
    if (in.esc) return 1;
    if (in.up && keySetup.line > 0) keySetup.line--;
    if (in.down && keySetup.line < KEY_SETUP_LINES - 1) keySetup.line++;
    if (in.up || in.down) {
        keySetup.message = nullptr;
        playMenu(gameSounds.selectItemSnd);
    }
    if (in.enter) {
        keySetup.waiting = 1;
        keySetup.message = MSG_WAIT;
    }
    return 0;
}

int keySetupLeave(short saved)
{
    if (saved || keySetup.saveFailed) {
        keySetupReset();
        return 1;
    }
    keySetup.saveFailed = 1;
    keySetup.message = MSG_SAVE_FAILED;
    return 0;
}

void keySetupReset() { keySetup = {0, 0, 0, nullptr}; }

static short saveInForce()
{
    std::string from = playerReadPath(KEYS_MAP_FILE), to = playerWritePath(KEYS_MAP_FILE);
    return saveKeymap(from.c_str(), to.c_str()) == 0;
}

ScreenEvent ecranTouches()
{
    // Every detector is polled every frame, so a key held across a wait is not seen as new afterwards.
    KeySetupKeys in;
    in.up = keyUpNoRepeat();
    in.down = keyDownNoRepeat();
    in.enter = keyEnterNoRepeat();
    in.esc = keyEscNoRepeat();
    in.newKey = keyNewlyPressed();
    if (keySetupStep(in, currentKeymap)) {
        short saved = keySetup.saveFailed ? 0 : saveInForce();
        if (keySetupLeave(saved)) {
            playMenu(gameSounds.chooseItemSnd);
            return ScreenEvent::keySetupClosed;
        }
    }
    displayEcranTouches(keySetup, currentKeymap);
    handleScreenShot();
    return ScreenEvent::none;
}
