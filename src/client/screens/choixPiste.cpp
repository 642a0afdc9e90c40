// The track selection screen: the highlighted track's thumbnail and description are reloaded when it changes.
#include "screens/choixPiste.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "render/screenshot.h"
#include "fileio/gameFolders.h"
#include "render/graphImage.h"
#include "shell/gameLoop.h"
#include "shell/keys.h"
#include "shell/trackBuilds.h"
#include "shell/systemPortUtils.h"
#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"
#include "track/seededTracks.h"
#include "track/trackTitle.h"

static int selectedTrack = 0;
static int prevSelectedTrack = 0;
static short firstLoad = 1;
static char desc[TRACK_DESC_BYTES];
static char title[TRACK_TITLE_BYTES];
char trackNote[TRACK_NOTE_CHARS];

int getSelectedTrack() { return selectedTrack; }
const char* highlightedTrackTitle() { return title; }

const char* trackListNote()
{
    static char note[TRACK_NOTE_CHARS];
    note[0] = '\0';
    if (gameLists.nbPistesLeftOut > 0)
        snprintf(note, sizeof note, "%i tracks left out: the list holds %i", gameLists.nbPistesLeftOut, MAX_LIST_NAMES);
    return note;
}

void selectTrackNamed(const char* dir)
{
    for (int i = 0; i < gameLists.nbTotalPistes; i++)
        if (strcmp(gameLists.listePistes[i], dir) == 0) selectedTrack = i;
}

void refreshTrackList(const char* select)
{
    char was[LIST_NAME_CHARS];
    snprintf(was, sizeof was, "%s", gameLists.nomFicPiste);
    chargeNomPistes();
    if (selectedTrack >= gameLists.nbTotalPistes) selectedTrack = gameLists.nbTotalPistes > 0 ? gameLists.nbTotalPistes - 1 : 0;
    selectTrackNamed(select ? select : was);
    firstLoad = 1;
    redrawAllMenu = 0;
}

// A seed typed on the track screen: S opens the line, ENTER builds the track, ESC closes it.
static bool typing = false;
static std::string typedSeed;

bool typingSeed() { return typing; }
const char* typedSeedText() { return typedSeed.c_str(); }

static void typeSeed()
{
    for (int c = nextTypedKey(); c != TYPED_NONE; c = nextTypedKey()) {
        if (c == TYPED_ESC) {
            typing = false;
        } else if (c == TYPED_ENTER) {
            if (validTrackSeed(typedSeed)) {
                typing = false;
                startSeedBuild(typedSeed, true);
            }
        } else if (c == TYPED_BACKSPACE) {
            if (!typedSeed.empty()) typedSeed.pop_back();
        } else if ((int)typedSeed.size() < SEED_MAX_LENGTH && validTrackSeed(std::string(1, (char)c))) {
            typedSeed += (char)c;
        }
        redrawAllMenu = 0;
        if (!typing) return;
    }
}

static void openSeedLine()
{
    forgetTypedKeys();
    typing = true;
    typedSeed.clear();
    trackNote[0] = '\0';
    redrawAllMenu = 0;
    wrpPlaySound(gameSounds.selectItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
}

static void loadTrackPresentation()
{
    free(menuPictures.trackImg);
    menuPictures.trackImg = (unsigned char*)calloc(TRACK_THUMB_BYTES, 1);
    std::string path = trackPath(gameLists.nomFicPiste, "texObj/front.bmp");
    chargerImageTexPtrSized(path.c_str(), menuPictures.trackImg, TRACK_THUMB_BYTES);
    loadTrackDescription(gameLists.nomFicPiste, desc, sizeof desc);
    readTrackTitle(gameLists.nomFicPiste, title, sizeof title);
}

void choixPiste(short leaving)
{
    short moved = 0;
    startDayTrackIfMissing();
    if (typing) {
        typeSeed();
    } else if (keySNoRepeat()) {
        openSeedLine();
    } else if (keyRightNoRepeat()) {
        if (selectedTrack < gameLists.nbTotalPistes - 1) selectedTrack++;
        moved = 1;
    } else if (keyLeftNoRepeat()) {
        if (selectedTrack > 0) selectedTrack--;
        moved = 1;
    }
    if (moved) {
        wrpPlaySound(gameSounds.selectItemSnd, gameSounds.volGui, gameSounds.panoGui, wrpNormalPitch);
        redrawAllMenu = 0;
    }
    strncpy(gameLists.nomFicPiste, gameLists.listePistes[selectedTrack], LIST_NAME_CHARS - 1);
    if (firstLoad || selectedTrack != prevSelectedTrack) {
        loadTrackPresentation();
        trackNote[0] = '\0'; // it was about the track left
    }
    displayChoixPiste(gameLists.listePistes, gameLists.nbTotalPistes, selectedTrack, desc, (short)redrawAllMenu);
    prevSelectedTrack = selectedTrack;
    firstLoad = 0;
    if (!leaving && redrawAllMenu < 2) redrawAllMenu++;
    handleScreenShot();
}
