#include "shell/systemPortUtils.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/dirList.h"

char listePistes[MAX_LIST_NAMES][LIST_NAME_CHARS];
char listeSkiers[MAX_LIST_NAMES][LIST_NAME_CHARS];
char listeBgMusics[MAX_LIST_NAMES][LIST_NAME_CHARS];
int nbTotalPistes = 0;
int nbTotalSkiers = 0;
int nbTotalBgMusics = 0;
char nomFicPiste[LIST_NAME_CHARS];

int ListDirContents(char list[][LIST_NAME_CHARS], const char* dir)
{
    std::vector<std::string> names;
    if (!listDirectory(dir, names, MAX_LIST_NAMES)) return -1;
    if (list) {
        for (size_t i = 0; i < names.size(); i++) {
            strncpy(list[i], names[i].c_str(), LIST_NAME_CHARS - 1);
            list[i][LIST_NAME_CHARS - 1] = '\0';
        }
    }
    return (int)names.size();
}

void chargeNomPistes() { nbTotalPistes = ListDirContents(listePistes, "./data/tracks"); }
void chargeNomSkiers() { nbTotalSkiers = ListDirContents(listeSkiers, "./data/models"); }
void chargeNomBgMusics() { nbTotalBgMusics = ListDirContents(listeBgMusics, "./data/bgmusics"); }

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
    snprintf(out, LIST_NAME_CHARS, "./data/bgmusics/%s", listeBgMusics[rollem(nbTotalBgMusics)]);
}

char* convertToSystemPath(const char* path)
{
    size_t n = strlen(path);
    char* out = (char*)malloc(n + 2);
    out[0] = '.';
    for (size_t i = 0; i < n; i++) out[i + 1] = path[i] == ':' ? '/' : path[i];
    out[n + 1] = '\0';
    return out;
}
