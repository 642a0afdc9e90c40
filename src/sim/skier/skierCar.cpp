// Rider cards and whole-rider loading: takes a rider directory name, returns the loaded model,
// texture and card, or keeps the previous rider when the new one cannot be read.
#include "skier/skierCar.h"

#include <cstdio>
#include <cstring>

#include "fileio/gameFolders.h"
#include "skier/ghostRider.h"
#include "skier/skierLib.h"
#include "fileio/safeOpen.h"

static SkierCar carteCourante;
SkierCar* theTrasher = &carteCourante;

static float bigEndianFloat(const unsigned char* b)
{
    unsigned int u = ((unsigned int)b[0] << 24) | ((unsigned int)b[1] << 16) | ((unsigned int)b[2] << 8) | b[3];
    float f;
    memcpy(&f, &u, sizeof f);
    return f;
}

// Copies one 256-byte text field; 0 when it holds no NUL.
static int texteCarte(const unsigned char* field, char* out)
{
    if (!memchr(field, 0, tailleTexteCarte)) return 0;
    strcpy(out, (const char*)field);
    return 1;
}

int importCarac(const char* path, SkierCar* card)
{
    FILE* f = openBoundedOrSay(path, CONTENT_FILE_BOUND);
    if (!f) {
        fprintf(stderr, "Can't open %s\n", path);
        return 1;
    }
    unsigned char b[tailleFichierCarte];
    size_t got = fread(b, 1, sizeof b, f);
    fclose(f);
    SkierCar read;
    int ok = got == sizeof b && texteCarte(b, read.id) && texteCarte(b + 256, read.nickname) &&
             texteCarte(b + 512, read.name) && texteCarte(b + 776, read.country);
    if (!ok) {
        fprintf(stderr, "Can't open %s (not a rider card)\n", path);
        return 1;
    }
    read.weight = bigEndianFloat(b + 768);
    read.size = bigEndianFloat(b + 772);
    read.age = bigEndianFloat(b + 1032);
    *card = read;
    return 0;
}

// The counts of a model, put back when a new model is refused (the tables are left untouched then).
struct EtatModele {
    int meshes, materials, bones, vertices, normales, faces;
};

static EtatModele etatModele(const RiderModel& m)
{
    return {m.nbMeshes, m.nbMaterials, m.nbBones, m.nbVertices, m.nbNormales, m.nbFaces};
}

static void remetEtatModele(const EtatModele& e, RiderModel& m)
{
    m.nbMeshes = e.meshes;
    m.nbMaterials = e.materials;
    m.nbBones = e.bones;
    m.nbVertices = e.vertices;
    m.nbNormales = e.normales;
    m.nbFaces = e.faces;
}

// "<data>/models/<dir>/<dir>" without its ending.
static std::string riderBase(const char* dir) { return dataPath("models/" + std::string(dir) + "/" + dir); }

int chargeSkierGui(const char* dir)
{
    std::string base = riderBase(dir);
    std::string path = base + ".3d";
    // The model is read before the old texture goes, so a bad rider leaves the old one drawable.
    RiderModel& model = playerRider;
    EtatModele avant = etatModele(model);
    reinitSkierData(model);
    if (loadMs3d(model, path.c_str()) != 0) {
        remetEtatModele(avant, model);
        fprintf(stderr, "rider %s not loaded, the previous rider stays\n", dir);
        return 1;
    }
    releaseRiderTexture(model);
    loadRiderTexture(model);
    path = base + ".car";
    importCarac(path.c_str(), theTrasher);
    return 0;
}

// Loaded in the ghost's own model; the player's rider is not touched.
int chargeGhostRider(const char* dir)
{
    std::string path = riderBase(dir) + ".3d";
    RiderModel& model = ghostRider.model;
    releaseRiderTexture(model);
    reinitSkierData(model);
    int failed = loadMs3d(model, path.c_str());
    if (!failed) loadRiderTexture(model);
    else reinitSkierData(model);
    ghostRider.loaded = !failed;
    return failed;
}
