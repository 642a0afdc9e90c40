// Binary track file reader: takes a .btrk path, fills the track model or leaves it untouched on refusal.
#include "track/trackLoader.h"

#include <cstdio>
#include <cstring>

#include "fileio/swapthings.h"
#include "track/trackModel.h"

// Staging copy, so a refused file leaves the loaded track as it was.
static char stTitle[256];
static int stBombs;
static float stSpot[3], stNeige[3], stDepart, stArrivee;
static float stPoints[maxTrackVertices][3];
static unsigned int stFaces[maxTrackFaces][3];
static float stNormales[maxTrackVertices][3];
static TexData stTextures[maxTrackFaces];
static ObstacleRecord stObstacles[maxObstacles];
static float stReplace[maxReplacePoints][3];
static int stNbPoints, stNbFaces, stNbNormales, stNbTextures, stNbObstacles, stNbReplace;

static int readInt(FILE* f, int* v)
{
    long l = 0;
    if (!readLong(f, &l)) return 0;
    *v = (int)l;
    return 1;
}

static int readFloats(FILE* f, float* v, int n)
{
    for (int i = 0; i < n; i++)
        if (!readFloat(f, &v[i])) return 0;
    return 1;
}

// A count must fit its array; 0 or less means no records.
static int readCount(FILE* f, int* n, int capacity)
{
    if (!readInt(f, n)) return 0;
    if (*n < 0) *n = 0;
    return *n <= capacity;
}

static int readHeader(FILE* f)
{
    if (fread(stTitle, 1, 256, f) != 256) return 0;
    stTitle[255] = 0;
    int skipI;
    float skipF;
    for (int i = 0; i < 13; i++) {
        int isFloat = (i >= 1 && i <= 3) || (i >= 7 && i <= 9);
        if (!(isFloat ? readFloat(f, &skipF) : readInt(f, &skipI))) return 0;
    }
    return readInt(f, &stBombs) && readFloats(f, stSpot, 3) && readFloats(f, stNeige, 3) &&
           readFloat(f, &stDepart) && readFloat(f, &stArrivee);
}

static int readMesh(FILE* f)
{
    if (!readCount(f, &stNbPoints, maxTrackVertices)) return 0;
    for (int i = 0; i < stNbPoints; i++)
        if (!readFloats(f, stPoints[i], 3)) return 0;
    if (!readCount(f, &stNbFaces, maxTrackFaces)) return 0;
    for (int i = 0; i < stNbFaces; i++)
        for (int k = 0; k < 3; k++) {
            int v;
            if (!readInt(f, &v) || v < 0 || v >= maxTrackVertices) return 0;
            stFaces[i][k] = (unsigned int)v;
        }
    if (!readCount(f, &stNbNormales, maxTrackVertices)) return 0;
    for (int i = 0; i < stNbNormales; i++)
        if (!readFloats(f, stNormales[i], 3)) return 0;
    if (!readCount(f, &stNbTextures, maxTrackFaces)) return 0;
    for (int i = 0; i < stNbTextures; i++)
        if (!readFloats(f, &stTextures[i].coord[0][0], 6) || !readInt(f, &stTextures[i].texIndex) ||
            !readInt(f, &stTextures[i].surface))
            return 0;
    return 1;
}

static int readObstaclesAndRescue(FILE* f)
{
    if (!readCount(f, &stNbObstacles, maxObstacles)) return 0;
    for (int i = 0; i < stNbObstacles; i++) {
        ObstacleRecord& o = stObstacles[i];
        int a, b;
        if (!readFloat(f, &o.x) || !readFloat(f, &o.y) || !readFloat(f, &o.z) || !readInt(f, &o.reservedLong) ||
            !readInt(f, &o.type) || !readInt(f, &a) || !readInt(f, &b) || !readFloat(f, &o.reservedFloat))
            return 0;
        o.reservedA = (short)a;
        o.reservedB = (short)b;
        o.taken = 0;
    }
    if (!readCount(f, &stNbReplace, maxReplacePoints)) return 0;
    for (int i = 0; i < stNbReplace; i++)
        if (!readFloats(f, stReplace[i], 3)) return 0;
    return 1;
}

// Faces may name only vertices the file gave.
static int facesInsideVertices()
{
    for (int i = 0; i < stNbFaces; i++)
        for (int k = 0; k < 3; k++)
            if (stFaces[i][k] >= (unsigned int)stNbPoints) return 0;
    return 1;
}

static void commitStaging()
{
    memcpy(nomPiste, stTitle, sizeof nomPiste);
    bombsQty = stBombs;
    rgbSpotR = stSpot[0], rgbSpotG = stSpot[1], rgbSpotB = stSpot[2];
    rgbNeigeR = stNeige[0], rgbNeigeG = stNeige[1], rgbNeigeB = stNeige[2];
    depart = stDepart;
    arrivee = stArrivee;
    memcpy(points, stPoints, sizeof(float) * 3 * stNbPoints);
    memcpy(faces, stFaces, sizeof(unsigned int) * 3 * stNbFaces);
    memcpy(normalesPiste, stNormales, sizeof(float) * 3 * stNbNormales);
    memcpy(textures, stTextures, sizeof(TexData) * stNbTextures);
    initObstacles();
    for (int i = 0; i < stNbObstacles; i++) containerObstacles[i] = stObstacles[i];
    for (int i = stNbObstacles; i < maxObstacles; i++) containerObstacles[i].taken = 0;
    initReplaceSkier();
    memcpy(replaceSkier, stReplace, sizeof(float) * 3 * stNbReplace);
}

int importTrackFromBinaryFile(const char* path)
{
    FILE* f = fopen(path, "rb");
    if (!f) {
        fprintf(stderr, "Impossible d'ouvrir un fichier en lecture (piste)...\n");
        return trackLoadCantOpen;
    }
    int ok = readHeader(f) && readMesh(f) && readObstaclesAndRescue(f) && facesInsideVertices();
    fclose(f);
    if (!ok) {
        fprintf(stderr, "Track file %s is damaged (truncated, too large or with bad indices): not loaded\n", path);
        return trackLoadCorrupt;
    }
    commitStaging();
    return trackLoadOk;
}
