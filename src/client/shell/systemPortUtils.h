// Content lists (tracks, riders, background musics), random choice and model path conversion.
#pragma once

#include <string>

const int MAX_LIST_NAMES = 50;
const int LIST_NAME_CHARS = 256;

// The content the menus offer, listed once at start and again when the content changes.
struct GameLists {
    char listePistes[MAX_LIST_NAMES][LIST_NAME_CHARS] = {};
    char listeSkiers[MAX_LIST_NAMES][LIST_NAME_CHARS] = {};
    char listeBgMusics[MAX_LIST_NAMES][LIST_NAME_CHARS] = {};
    int nbTotalPistes = 0;
    int nbTotalSkiers = 0;
    int nbTotalBgMusics = 0;
    // How many real track folders the last chargeNomPistes left out of the full list (0 when all fit).
    int nbPistesLeftOut = 0;
    // Directory name of the highlighted track.
    char nomFicPiste[LIST_NAME_CHARS] = {};
};
extern GameLists gameLists;

// Names of dir's entries (hidden ones skipped, sorted, at most 50) into list; -1 if dir can't be listed.
// A name longer than maxNameChars is left out with a message. A null list only counts.
int ListDirContents(char list[][LIST_NAME_CHARS], const char* dir, int maxNameChars = LIST_NAME_CHARS - 1);

// The lists of real entries only (a track folder with its track file, a rider folder with model and card,
// a music file), filtered before they are counted; past 50 the shipped entries stay first and the home
// menu says how many were left out.
void chargeNomPistes();
void chargeNomSkiers();
void chargeNomBgMusics();

int rollem(int n);
// "<data>/bgmusics/<name>" of a random music into out (256 chars); an empty string when there is none.
void chooseRandomBgMusic(char* out);

// The track's own tune when its "<data>/tracks/<dir>/<dir>.music" names a listed music (its first line),
// else a random one as chooseRandomBgMusic; a choice naming no listed music is said in one line.
void chooseTrackBgMusic(const char* trackDir, char* out);
// The path of the tune the track names when it is listed, else "".
std::string trackOwnMusic(const char* trackDir);

// "." + path with every ':' turned into '/', "./data/" standing for the data folder; the caller frees it.
char* convertToSystemPath(const char* path);
