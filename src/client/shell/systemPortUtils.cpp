#include "shell/systemPortUtils.h"


#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/dirList.h"
#include "fileio/gameFolders.h"
#include "screens/menuScreens.h"
#include "fileio/safeOpen.h"
#include "track/seededTracks.h"

GameLists gameLists;

// A folder whose "<name>.btrk" or "<name>.car" would pass the system's 255 bytes of a file name can never be read.
static const int MAX_FOLDER_NAME_CHARS = 250;

static bool nameFits(const char* dir, const std::string& name, int maxNameChars)
{
    if ((int)name.size() <= maxNameChars) return true;
    printf("%s/%.40s... not listed: its name has %i bytes, at most %i can be used\n", dir, name.c_str(),
           (int)name.size(), maxNameChars);
    return false;
}

int ListDirContents(char list[][LIST_NAME_CHARS], const char* dir, int maxNameChars)
{
    std::vector<std::string> names;
    if (!listDirectory(dir, names, MAX_LIST_NAMES)) return -1;
    int kept = 0;
    for (const std::string& name : names) {
        if (!nameFits(dir, name, maxNameChars)) continue;
        if (list) snprintf(list[kept], LIST_NAME_CHARS, "%s", name.c_str());
        kept++;
    }
    return kept;
}

// What makes an entry worth listing. A track folder left with nothing but a player's scores (its recipe
// was deleted) is not a track; a rider needs a model and a card; a music is a file.
static bool isTrack(const std::string& name) { return isRegularFile(trackPath(name, name + ".btrk")); }
static bool isRider(const std::string& name)
{
    std::string base = dataPath("models/" + name + "/" + name);
    return isRegularFile(base + ".3d") && isRegularFile(base + ".car");
}
static bool isMusic(const std::string& name) { return isRegularFile(dataPath("bgmusics/" + name)); }

// The entries of a content folder that the content tool made (its list of generated files names them).
static std::set<std::string> shippedEntries(const std::string& folder)
{
    std::set<std::string> shipped;
    std::ifstream in(dataPath(GENERATED_LIST_FILE));
    std::string line, prefix = folder + "/";
    while (std::getline(in, line))
        if (line.compare(0, prefix.size(), prefix) == 0) shipped.insert(line.substr(prefix.size(), line.find('/', prefix.size()) - prefix.size()));
    return shipped;
}

// Past the capacity the shipped entries are kept first, then the player's, each in name order.
static void keepShippedFirst(std::vector<std::string>& names, const std::string& folder)
{
    std::set<std::string> shipped = shippedEntries(folder);
    std::stable_partition(names.begin(), names.end(), [&](const std::string& n) { return shipped.count(n) != 0; });
    names.resize(MAX_LIST_NAMES);
    std::sort(names.begin(), names.end());
}

static void sayLeftOut(const std::string& folder, int leftOut, const char* what)
{
    char line[HOME_NOTE_CHARS];
    snprintf(line, sizeof line, "%i %s left out: the list holds %i", leftOut, what, MAX_LIST_NAMES);
    printf("%s/%s\n", dataPath(folder).c_str(), line);
    addHomeNote(line);
}

// The entries of a content folder worth listing, in name order; false when it cannot be listed.
static bool realEntries(const std::string& dir, bool (*isReal)(const std::string&), int maxNameChars,
                        std::vector<std::string>& real)
{
    std::vector<std::string> names;
    if (!listDirectory(dir.c_str(), names, SIZE_MAX)) return false;
    for (const std::string& name : names) {
        if (!nameFits(dir.c_str(), name, maxNameChars)) continue;
        if (isReal(name)) real.push_back(name);
    }
    return true;
}

// The real entries of the content folder (filtered before they are counted), at most the list's capacity.
static int chargeContentList(char list[][LIST_NAME_CHARS], const std::string& folder, bool (*isReal)(const std::string&),
                             int maxNameChars, const char* what)
{
    std::vector<std::string> real;
    if (!realEntries(dataPath(folder), isReal, maxNameChars, real)) return -1;
    int leftOut = (int)real.size() - MAX_LIST_NAMES;
    if (leftOut > 0) {
        keepShippedFirst(real, folder);
        sayLeftOut(folder, leftOut, what);
    }
    for (size_t i = 0; i < real.size(); i++) snprintf(list[i], LIST_NAME_CHARS, "%s", real[i].c_str());
    return (int)real.size();
}

// The data folder's tracks; the seeded ones (in a checkout they lie in the same folder) are the player's.
static bool isOwnTrack(const std::string& name) { return !isSeededTrackName(name) && isTrack(name); }
static bool isSeededTrack(const std::string& name)
{
    return isSeededTrackName(name) && isRegularFile(playerTracksFolder() + "/" + name + "/" + name + ".btrk");
}

void chargeNomPistes()
{
    std::vector<std::string> own, seeded;
    gameLists.nbPistesLeftOut = 0;
    if (!realEntries(dataPath("tracks"), isOwnTrack, MAX_FOLDER_NAME_CHARS, own)) {
        gameLists.nbTotalPistes = -1;
        return;
    }
    int ownLeftOut = std::max((int)own.size() - MAX_LIST_NAMES, 0);
    if (ownLeftOut > 0) keepShippedFirst(own, "tracks");
    if (!playerTracksFolder().empty()) realEntries(playerTracksFolder(), isSeededTrack, MAX_FOLDER_NAME_CHARS, seeded);
    std::vector<std::string> list = trackListOrder(own, seeded, MAX_LIST_NAMES, gameLists.nbPistesLeftOut);
    gameLists.nbPistesLeftOut += ownLeftOut;
    if (gameLists.nbPistesLeftOut > 0) sayLeftOut("tracks", gameLists.nbPistesLeftOut, "tracks");
    for (size_t i = 0; i < list.size(); i++) snprintf(gameLists.listePistes[i], LIST_NAME_CHARS, "%s", list[i].c_str());
    gameLists.nbTotalPistes = (int)list.size();
}
void chargeNomSkiers() { gameLists.nbTotalSkiers = chargeContentList(gameLists.listeSkiers, "models", isRider, MAX_FOLDER_NAME_CHARS, "riders"); }
void chargeNomBgMusics()
{
    gameLists.nbTotalBgMusics = chargeContentList(gameLists.listeBgMusics, "bgmusics", isMusic, LIST_NAME_CHARS - 1, "musics");
}

int rollem(int n)
{
    return n >= 1 ? rand() % n : 0;
}

void chooseRandomBgMusic(char* out)
{
    // No music to choose: the run plays without one.
    if (gameLists.nbTotalBgMusics < 1) {
        out[0] = '\0';
        return;
    }
    std::string path = dataPath("bgmusics/" + std::string(gameLists.listeBgMusics[rollem(gameLists.nbTotalBgMusics)]));
    snprintf(out, LIST_NAME_CHARS, "%s", path.c_str());
}

static const int MUSIC_CHOICE_BYTES = 512; // a file name and its newline

// The first line of the track's music choice, "" when it has none.
static std::string trackMusicChoice(const char* trackDir)
{
    std::string path = trackPath(trackDir, std::string(trackDir) + ".music");
    FILE* f = openBoundedOrSay(path.c_str(), MUSIC_CHOICE_BYTES);
    if (!f) return "";
    char line[LIST_NAME_CHARS] = "";
    if (!fgets(line, sizeof line, f)) line[0] = '\0';
    fclose(f);
    line[strcspn(line, "\r\n")] = '\0';
    return line;
}

std::string trackOwnMusic(const char* trackDir)
{
    std::string choice = trackMusicChoice(trackDir);
    for (int i = 0; i < gameLists.nbTotalBgMusics && !choice.empty(); i++)
        if (choice == gameLists.listeBgMusics[i]) return dataPath("bgmusics/" + choice);
    return "";
}

void chooseTrackBgMusic(const char* trackDir, char* out)
{
    std::string own = trackOwnMusic(trackDir);
    if (!own.empty()) {
        snprintf(out, LIST_NAME_CHARS, "%s", own.c_str());
        return;
    }
    std::string choice = trackMusicChoice(trackDir);
    if (!choice.empty()) printf("%s: its music %s is not in bgmusics, a random one plays\n", trackDir, choice.c_str());
    chooseRandomBgMusic(out);
}

// Model files name their textures from the checkout's root (":data:models:..."): the data part
// goes to wherever the data folder is.
char* convertToSystemPath(const char* path)
{
    std::string out = ".";
    for (const char* c = path; *c; c++) out += *c == ':' ? '/' : *c;
    const std::string inData = "./data/";
    if (out.compare(0, inData.size(), inData) == 0) out = dataPath(out.substr(inData.size()));
    return strdup(out.c_str());
}
