#include "shell/systemPortUtils.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/dirList.h"
#include "platform/gameFolders.h"

char listePistes[MAX_LIST_NAMES][LIST_NAME_CHARS];
char listeSkiers[MAX_LIST_NAMES][LIST_NAME_CHARS];
char listeBgMusics[MAX_LIST_NAMES][LIST_NAME_CHARS];
int nbTotalPistes = 0;
int nbTotalSkiers = 0;
int nbTotalBgMusics = 0;
char nomFicPiste[LIST_NAME_CHARS];

// A folder whose "<name>.btrk" or "<name>.car" would pass the system's 255 bytes of a file name can never be read.
static const int MAX_FOLDER_NAME_CHARS = 250;

int ListDirContents(char list[][LIST_NAME_CHARS], const char* dir, int maxNameChars)
{
    std::vector<std::string> names;
    if (!listDirectory(dir, names, MAX_LIST_NAMES)) return -1;
    int kept = 0;
    for (const std::string& name : names) {
        if ((int)name.size() > maxNameChars) {
            printf("%s/%.40s... not listed: its name has %i bytes, at most %i can be used\n", dir, name.c_str(),
                   (int)name.size(), maxNameChars);
            continue;
        }
        if (list) snprintf(list[kept], LIST_NAME_CHARS, "%s", name.c_str());
        kept++;
    }
    return kept;
}

static bool hasTrackFile(const char* trackDir)
{
    std::string path = dataPath(trackFile(trackDir, std::string(trackDir) + ".btrk"));
    FILE* f = fopen(path.c_str(), "rb");
    if (f) fclose(f);
    return f != nullptr;
}

// A track folder left with nothing but a player's scores (its recipe was deleted) is not a track.
void chargeNomPistes()
{
    nbTotalPistes = ListDirContents(listePistes, dataPath("tracks").c_str(), MAX_FOLDER_NAME_CHARS);
    int kept = 0;
    for (int i = 0; i < nbTotalPistes; i++)
        if (hasTrackFile(listePistes[i])) memmove(listePistes[kept++], listePistes[i], LIST_NAME_CHARS);
    if (nbTotalPistes > 0) nbTotalPistes = kept;
}
void chargeNomSkiers()
{
    nbTotalSkiers = ListDirContents(listeSkiers, dataPath("models").c_str(), MAX_FOLDER_NAME_CHARS);
}
void chargeNomBgMusics() { nbTotalBgMusics = ListDirContents(listeBgMusics, dataPath("bgmusics").c_str()); }

int rollem(int n)
{
    return n >= 1 ? rand() % n : 0;
}

void chooseRandomBgMusic(char* out)
{
    // No music to choose: the run plays without one.
    if (nbTotalBgMusics < 1) {
        out[0] = '\0';
        return;
    }
    std::string path = dataPath("bgmusics/" + std::string(listeBgMusics[rollem(nbTotalBgMusics)]));
    snprintf(out, LIST_NAME_CHARS, "%s", path.c_str());
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
