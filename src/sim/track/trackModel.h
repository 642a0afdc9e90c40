// The in-memory track: the terrain grid, its surfaces, the obstacles and the rescue points.
// The game's track is loadedTrack; each load overwrites it in place.
#pragma once

// The grid is fixed by the game, not by the file.
const int longueurPisteEnFaces = 200;  // rows along X
const int largeurPisteEnFaces = 72;    // cells across Z
const int longueurFace = 1684;         // cell length along X
const int largeurFace = 1123;          // cell width along Z

const int maxTrackVertices = (longueurPisteEnFaces + 1) * (largeurPisteEnFaces + 1);  // 14673
const int maxTrackFaces = longueurPisteEnFaces * largeurPisteEnFaces * 2;            // 28800
const int facesParRangee = largeurPisteEnFaces * 2;                                  // 144
const int maxObstacles = 1000;
const int maxReplacePoints = 100;

const float emptyObstacleCoord = -99999.0f;  // sentinel of the obstacle and rescue lists

// Obstacle types
const int obstacleSapin = 0;
const int obstacleCollectable = 1;
const int obstacleBomb = 2;
const int obstacleRail = 3;

// Surface codes of a triangle
const int surfaceNeige = 0;
const int surfaceRepousse = 1;
const int surfaceHorsPiste = 2;
const int surfaceBooster = 3;
const int surfaceHalfPipeDroite = 4;
const int surfaceHalfPipeGauche = 5;
const int surfaceHalfPipeFond = 6;

struct TexData {
    float coord[3][2];  // (s, t) of vertex 0, 1, 2
    int texIndex;       // into texName
    int surface;        // surface code
};

struct ObstacleRecord {
    float x, y, z;
    int reservedLong;
    int type;
    short reservedA;
    short reservedB;
    float reservedFloat;
};

// One loaded track: the terrain grid and its pictures, the run's line, the obstacles and the rescue points.
// About 1.5 MB: keep instances static or on the heap, never on the stack.
struct TrackModel {
    char nomPiste[256];
    float points[maxTrackVertices][3];
    unsigned int faces[maxTrackFaces][3];
    float normalesPiste[maxTrackVertices][3];
    TexData textures[maxTrackFaces];
    ObstacleRecord containerObstacles[maxObstacles];
    float replaceSkier[maxReplacePoints][3];
    int bombsQty;
    float rgbSpotR, rgbSpotG, rgbSpotB;
    float rgbNeigeR, rgbNeigeG, rgbNeigeB;
    float depart;
    float arrivee;

    // Empty lists: every record the sentinel.
    void initObstacles();
    void initReplaceSkier();
    // Index of the rescue point for a rider at (x, y, z); -1 when the track has none.
    int findFirstReplace(float x, float y, float z) const;
};

short isObstacleListEnd(const ObstacleRecord& o);

// The game's track. Only the track loader (trackLoader.h) fills it, and only a fired bomb's kicker
// (addJumpTwdIntrack) changes it during a run; every other reader takes it as a const TrackModel&.
extern TrackModel loadedTrack;
