// Track file readers (binary and text form): take a path, fill a track model or leave it untouched on refusal.
#include "track/trackLoader.h"

#include <cerrno>
#include <cstdarg>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fileio/swapthings.h"
#include "track/trackModel.h"
#include "fileio/safeOpen.h"

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
static int stViewChoice;
static short stHasViewChoice;

// The same sequence of values comes either as big-endian binary numbers or as text tokens.
struct TrackSource {
    FILE* f;
    short text;
};

static const int tokenSize = 256;

int viewChoice = 1;

// One white-space separated token; a longer one than the buffer holds is a damaged file.
static int readToken(FILE* f, char* token)
{
    if (fscanf(f, "%255s", token) != 1) return 0;
    int next = fgetc(f);
    if (next != EOF && !strchr(" \t\r\n\v\f", next)) return 0;
    return 1;
}

static int tokenInt(const char* token, int* v)
{
    char* end;
    errno = 0;
    long l = strtol(token, &end, 10);
    if (end == token) return 0;
    if (l > INT_MAX || (errno == ERANGE && l > 0)) l = INT_MAX;
    if (l < INT_MIN || (errno == ERANGE && l < 0)) l = INT_MIN;
    *v = (int)l;
    return 1;
}

static int tokenFloat(const char* token, float* v)
{
    char* end;
    *v = strtof(token, &end);
    return end != token;
}

static int readInt(TrackSource& src, int* v)
{
    if (src.text) {
        char token[tokenSize];
        return readToken(src.f, token) && tokenInt(token, v);
    }
    long l = 0;
    if (!readLong(src.f, &l)) return 0;
    *v = (int)l;
    return 1;
}

static int readFloat(TrackSource& src, float* v)
{
    if (src.text) {
        char token[tokenSize];
        return readToken(src.f, token) && tokenFloat(token, v);
    }
    return readFloat(src.f, v);
}

static int readFloats(TrackSource& src, float* v, int n)
{
    for (int i = 0; i < n; i++)
        if (!readFloat(src, &v[i])) return 0;
    return 1;
}

// A count must fit its array; 0 or less means no records.
static int readCount(TrackSource& f, int* n, int capacity)
{
    if (!readInt(f, n)) return 0;
    if (*n < 0) *n = 0;
    return *n <= capacity;
}

static const int headerValues = 13;

static int readBinaryTitleAndHeader(FILE* f)
{
    if (fread(stTitle, 1, sizeof stTitle, f) != sizeof stTitle) return 0;
    stTitle[sizeof stTitle - 1] = 0;
    TrackSource src = {f, 0};
    int skipI;
    float skipF;
    for (int i = 0; i < headerValues; i++) {
        int isFloat = (i >= 1 && i <= 3) || (i >= 7 && i <= 9);
        if (!(isFloat ? readFloat(src, &skipF) : readInt(src, &skipI))) return 0;
    }
    stHasViewChoice = 0;
    return 1;
}

// The text form names the camera view in its last header value.
static int readTextTitleAndHeader(FILE* f)
{
    memset(stTitle, 0, sizeof stTitle);
    if (!readToken(f, stTitle)) return 0;
    char token[tokenSize];
    for (int i = 0; i < headerValues - 1; i++)
        if (!readToken(f, token)) return 0;
    if (!readToken(f, token) || !tokenInt(token, &stViewChoice)) return 0;
    stHasViewChoice = 1;
    return 1;
}

static int readHeader(TrackSource& f)
{
    if (!(f.text ? readTextTitleAndHeader(f.f) : readBinaryTitleAndHeader(f.f))) return 0;
    return readInt(f, &stBombs) && readFloats(f, stSpot, 3) && readFloats(f, stNeige, 3) &&
           readFloat(f, &stDepart) && readFloat(f, &stArrivee);
}

static int readMesh(TrackSource& f)
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

static int readObstaclesAndRescue(TrackSource& f)
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

// The staging copy holds the loaded track as its file had it until the next load begins.
static short stagingIsLoaded = 0;

static void commitTrackModel(TrackModel& track)
{
    memcpy(track.nomPiste, stTitle, sizeof track.nomPiste);
    track.bombsQty = stBombs;
    track.rgbSpotR = stSpot[0], track.rgbSpotG = stSpot[1], track.rgbSpotB = stSpot[2];
    track.rgbNeigeR = stNeige[0], track.rgbNeigeG = stNeige[1], track.rgbNeigeB = stNeige[2];
    track.depart = stDepart;
    track.arrivee = stArrivee;
    memcpy(track.points, stPoints, sizeof(float) * 3 * stNbPoints);
    memcpy(track.faces, stFaces, sizeof(unsigned int) * 3 * stNbFaces);
    memcpy(track.normalesPiste, stNormales, sizeof(float) * 3 * stNbNormales);
    memcpy(track.textures, stTextures, sizeof(TexData) * stNbTextures);
    track.initObstacles();
    for (int i = 0; i < stNbObstacles; i++) track.containerObstacles[i] = stObstacles[i];
    track.initReplaceSkier();
    memcpy(track.replaceSkier, stReplace, sizeof(float) * 3 * stNbReplace);
}

static void commitStaging(TrackModel& track)
{
    commitTrackModel(track);
    if (stHasViewChoice) viewChoice = stViewChoice;
    stagingIsLoaded = 1;
}

int restoreLoadedTrack(TrackModel& track)
{
    if (!stagingIsLoaded) return 0;
    commitTrackModel(track);
    return 1;
}

static int readWholeTrack(FILE* f, short text)
{
    TrackSource src = {f, text};
    return readHeader(src) && readMesh(src) && readObstaclesAndRescue(src) && facesInsideVertices();
}

char trackRefusal[TRACK_REFUSAL_CHARS];

void noteTrackRefusal(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vsnprintf(trackRefusal, sizeof trackRefusal, format, args);
    va_end(args);
    fprintf(stderr, "%s\n", trackRefusal);
}

static const char* fileNameOf(const char* path)
{
    const char* slash = strrchr(path, '/');
    return slash ? slash + 1 : path;
}

// A mesh and a start and finish line a rider can go from one to the other on.
static const char* runProblem()
{
    if (stNbFaces == 0) return "it has no faces";
    if (!(stArrivee > stDepart)) return "its finish is not after its start";
    if (stDepart < 0 || stArrivee > (float)(longueurPisteEnFaces * longueurFace)) return "its start or finish is off the grid";
    return nullptr;
}

static int importTrack(TrackModel& track, const char* path, short text)
{
    trackRefusal[0] = '\0';
    stagingIsLoaded = 0;
    char why[OPEN_WHY_CHARS];
    FILE* f = openBounded(path, CONTENT_FILE_BOUND, nullptr, why);
    if (!f) {
        noteTrackRefusal("Can't open the track file %s (%s)", fileNameOf(path), why);
        return trackLoadCantOpen;
    }
    int ok = readWholeTrack(f, text);
    fclose(f);
    if (!ok) {
        noteTrackRefusal("Track file %s is damaged (truncated, too large or with bad indices): not loaded",
                         fileNameOf(path));
        return trackLoadCorrupt;
    }
    if (const char* problem = runProblem()) {
        noteTrackRefusal("Track file %s cannot be ridden: %s", fileNameOf(path), problem);
        return trackLoadNoRun;
    }
    commitStaging(track);
    return trackLoadOk;
}

int importTrackFromBinaryFile(TrackModel& track, const char* path) { return importTrack(track, path, 0); }
int importTrackFromTextFile(TrackModel& track, const char* path) { return importTrack(track, path, 1); }
