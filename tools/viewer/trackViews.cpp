// Tracks: each generated track loaded as for a run, its terrain and obstacles drawn from above in
// four overlapping pieces (start line green, finish red, rescue points blue), and the run's own
// scene seen by the chase camera at the start, before the first kicker lips and mid-track.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "platform/dirList.h"
#include "render/gameFrameDraw.h"
#include "render/graphImage.h"
#include "render/scene.h"
#include "render/sceneWorld.h"
#include "render/skiTraces.h"
#include "run/runFrame.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "skier/positionDef.h"
#include "skier/skierCar.h"
#include "skier/skierLib.h"
#include "shell/initGame.h"
#include "track/planLib.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"
#include "viewer.h"

static const int TOP_PIECES = 4;
static const float TRACK_LENGTH = (float)(longueurPisteEnFaces * longueurFace);
static const float TRACK_HALF_WIDTH = largeurPisteEnFaces * largeurFace / 2.0f;
static const float TOP_EYE_LIFT = 100000.0f;
static const float OBSTACLE_WINDOW = 20000.0f;  // shorter than the drawing's window ahead
static const float LIP_DEGREES = 40.0f;
static const int LIP_ROWS_APART = 8, CHASE_ROWS_BEFORE_LIP = 2, CHASE_VIEWS = 4;
static const int VERTEX_COLUMNS = largeurPisteEnFaces + 1;
static const int SIDE_VIEWS = 2;
static const float AIR_HEIGHT = 1500.0f, AIR_ROWS_PAST_LIP = 1.5f;
static const float SKY[3] = {0.45f, 0.6f, 0.8f};
static const int TREE_VIEWS = 2;
static const float TREE_VIEW_BACK = 4000.0f, TREE_VIEW_ASIDE = 900.0f, TREES_APART = 10000.0f;
static const float SIDE_FOV = 35.0f, SIDE_BACK = 1500.0f, SIDE_UP = 700.0f, SIDE_ACROSS = 9000.0f;
static const float FINISH_ROWS_BEFORE = 2.5f;
static const char* const SHOT_RIDER = "tolvek";  // the one the game loads at start-up

// The terrain drawing covers a window round the rider's triangle; tiling it covers the grid. Drawn
// without the run's snow glow, so that the light shows the relief.
static void drawWholeTerrain()
{
    const TrackModel& track = loadedTrack;
    const GLfloat none[4] = {0, 0, 0, 0};
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, none);
    for (int row = terrainRowsBehind; row < longueurPisteEnFaces; row += terrainRowsBehind + terrainRowsAhead)
        for (int cell = terrainHalfWidth / 2; cell < largeurPisteEnFaces + terrainHalfWidth / 2; cell += terrainHalfWidth) {
            int c = cell < largeurPisteEnFaces ? cell : largeurPisteEnFaces - 1;
            setNumeroFaceCourante(playerRun, row * facesParRangee + 2 * c);
            drawPlan(0, track.points, track.faces, track.normalesPiste, track.textures, gameTextures.texName);
        }
}

static void drawAllObstacles(float fromX, float toX)
{
    const TrackModel& track = loadedTrack;
    for (float x = fromX - OBSTACLE_WINDOW; x < toX; x += OBSTACLE_WINDOW) {
        playerRun.motion.Xobjet = x;
        drawObstacles(track);
    }
}

static void drawMarks(float fromX, float toX)
{
    const TrackModel& track = loadedTrack;
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glLineWidth(3);
    glBegin(GL_LINES);
    glColor3f(0, 0.7f, 0);
    glVertex3f(track.depart, 0, -TRACK_HALF_WIDTH), glVertex3f(track.depart, 0, TRACK_HALF_WIDTH);
    glColor3f(0.9f, 0, 0);
    glVertex3f(track.arrivee, 0, -TRACK_HALF_WIDTH), glVertex3f(track.arrivee, 0, TRACK_HALF_WIDTH);
    glEnd();
    glPointSize(9);
    glColor3f(0.1f, 0.2f, 1);
    glBegin(GL_POINTS);
    for (int i = 0; i < maxReplacePoints && track.replaceSkier[i][0] != emptyObstacleCoord; i++)
        if (track.replaceSkier[i][0] >= fromX && track.replaceSkier[i][0] <= toX) glVertex3fv(track.replaceSkier[i]);
    glEnd();
    glColor3f(1, 1, 1);
    glEnable(GL_DEPTH_TEST);
}

static void drawTrackWorld(float fromX, float toX)
{
    glClearColor(SKY[0], SKY[1], SKY[2], 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    placeLumiere();
    drawWholeTerrain();
    drawAllObstacles(fromX, toX);
    drawMarks(fromX, toX);
}

static void perspective(float fovY, float nearZ, float farZ)
{
    glViewport(0, 0, viewerWidth, viewerHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fovY, (double)viewerWidth / viewerHeight, nearZ, farZ);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Seen from straight above: X (downhill) to the right, +Z (cell 0) at the bottom.
static void topPiece(const std::string& out, const std::string& track, int piece)
{
    float spanX = 2 * TRACK_HALF_WIDTH * viewerWidth / viewerHeight;
    float x0 = piece * (TRACK_LENGTH - spanX) / (TOP_PIECES - 1), cx = x0 + spanX / 2;
    glViewport(0, 0, viewerWidth, viewerHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-spanX / 2, spanX / 2, -TRACK_HALF_WIDTH, TRACK_HALF_WIDTH, 1, 40 * TOP_EYE_LIFT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // a quarter turn about X: X stays to the right, +Z goes down the picture, height towards the eye
    glRotatef(90, 1, 0, 0);
    glTranslatef(-cx, -TOP_EYE_LIFT, 0);
    drawTrackWorld(x0, x0 + spanX);
    savePicture(out, "track_" + track + "_top" + std::to_string(piece + 1));
}

// A kicker seen from the side, low, with what stands round it.
static void sideView(const std::string& out, const std::string& name, float x, float z)
{
    const TrackModel& track = loadedTrack;
    float y = yTheoObj(track.points, track.faces, x, z, (float)maxTrackFaces);
    perspective(SIDE_FOV, 50, 200000);
    gluLookAt(x - SIDE_BACK, y + SIDE_UP, z + SIDE_ACROSS, x + SIDE_BACK, y, z, 0, 1, 0);
    drawTrackWorld(x - 3 * SIDE_ACROSS, x + 3 * SIDE_ACROSS);
    savePicture(out, name);
}

// Rows a few cells before the first kicker lips (the slope down X drops by more than 40 degrees
// from one row to the next), with the column they are on.
static std::vector<std::pair<int, int>> kickerLips()
{
    const TrackModel& track = loadedTrack;
    std::vector<std::pair<int, int>> lips;
    auto drop = [](int row, int col) {
        float dy = track.points[row * VERTEX_COLUMNS + col][1] - track.points[(row + 1) * VERTEX_COLUMNS + col][1];
        return std::atan2(dy, (float)longueurFace) * 57.29f;
    };
    for (int row = 1; row + 2 < longueurPisteEnFaces; row++) {
        int first = -1, last = -1;
        for (int col = 0; col < VERTEX_COLUMNS; col++)
            if (drop(row + 1, col) - drop(row, col) > LIP_DEGREES) last = col, first = first < 0 ? col : first;
        // the middle of the first run of lip columns, for side-by-side kickers
        int end = first;
        while (end >= 0 && end + 1 <= last && drop(row + 1, end + 1) - drop(row, end + 1) > LIP_DEGREES) end++;
        if (first >= 0 && (lips.empty() || row - lips.back().first >= LIP_ROWS_APART))
            lips.push_back({row, (first + end) / 2});
    }
    return lips;
}

void placeChaseRider(float x, float z)
{
    const TrackModel& track = loadedTrack;
    reinitGameVar(playerRun, loadedTrack);
    skiTraces.reset();  // a mark from the last place would stretch across the track to this one
    playerRun.motion.Xobjet = x;
    playerRun.motion.Zobjet = z;
    setXobjet_inc(playerRun, x);
    setContact(playerRun, 1);
    playerRun.orientation.angleDePlacementEffectif = placeObjetAndGetAngle(playerRun.rider.ground, track.points, track.faces, x, z, (float)maxTrackFaces, 0, playerRun.orientation.faceUpVector);
    playerRun.motion.Yobjet = getYobjetCour(playerRun);
    changePosition(playerRun.pose, builtInPoses.normalPosition);
    majRotationsBones(playerRun.pose, playerRider);
    transformSkier(playerRun, playerRider, playerRun.orientation.angleDePlacementEffectif, 0);
}

void drawChaseFrame()
{
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    reshape();
    glViewport(0, 0, viewerWidth, viewerHeight);
    drawRunScene();
}

static void chaseView(const std::string& out, const std::string& name, float x, float z)
{
    placeChaseRider(x, z);
    drawChaseFrame();
    savePicture(out, name);
}

// Over the first kicker's landing, as high as a flight off it goes.
static void airView(const std::string& out, const std::string& name, float x, float z)
{
    placeChaseRider(x, z);
    playerRun.motion.Yobjet += AIR_HEIGHT;
    setContact(playerRun, 0);
    changePosition(playerRun.pose, builtInPoses.oneGrabPosition);
    majRotationsBones(playerRun.pose, playerRider);
    transformSkier(playerRun, playerRider, playerRun.orientation.angleDePlacementEffectif, 0);
    drawChaseFrame();
    savePicture(out, name);
}

// The trees standing nearest the middle of the track, each a few cells away down the slope from
// where the rider is put: the trees as a player meets them.
static void treeViews(const std::string& out, const std::string& track)
{
    const TrackModel& model = loadedTrack;
    std::vector<const ObstacleRecord*> near;
    for (int i = 0; i < maxObstacles && !isObstacleListEnd(model.containerObstacles[i]); i++) {
        const ObstacleRecord& o = model.containerObstacles[i];
        if (o.type != obstacleSapin || o.x < model.depart + TREE_VIEW_BACK) continue;
        bool apart = true;
        for (const ObstacleRecord* n : near) apart = apart && std::fabs(n->x - o.x) > TREES_APART;
        if (apart) near.push_back(&o);
    }
    std::sort(near.begin(), near.end(),
              [](const ObstacleRecord* a, const ObstacleRecord* b) { return std::fabs(a->z) < std::fabs(b->z); });
    for (size_t i = 0; i < near.size() && (int)i < TREE_VIEWS; i++) {
        float z = near[i]->z + (near[i]->z > 0 ? -TREE_VIEW_ASIDE : TREE_VIEW_ASIDE);
        chaseView(out, "track_" + track + "_trees" + std::to_string(i + 1), near[i]->x - TREE_VIEW_BACK, z);
    }
}

static void chaseViews(const std::string& out, const std::string& track)
{
    const TrackModel& model = loadedTrack;
    std::vector<std::pair<float, float>> at = {{model.depart, 0}};
    std::vector<std::pair<int, int>> lips = kickerLips();
    for (size_t i = 0; i < lips.size() && (int)i < SIDE_VIEWS; i++)
        sideView(out, "track_" + track + "_kicker" + std::to_string(i + 1), lips[i].first * (float)longueurFace,
                 (largeurPisteEnFaces / 2 - lips[i].second) * (float)largeurFace);
    for (const auto& lip : lips) {
        if ((int)at.size() >= CHASE_VIEWS - 1) break;
        at.push_back({(float)(lip.first - CHASE_ROWS_BEFORE_LIP) * longueurFace,
                      (largeurPisteEnFaces / 2 - lip.second) * (float)largeurFace});
    }
    // and the middle of the track, with more between the start and the finish while views are missing
    for (int k = 2; (int)at.size() < CHASE_VIEWS; k++) at.push_back({model.depart + (model.arrivee - model.depart) / k, 0});
    for (size_t i = 0; i < at.size(); i++)
        chaseView(out, "track_" + track + "_chase" + std::to_string(i + 1), at[i].first, at[i].second);
    if (!lips.empty())
        airView(out, "track_" + track + "_air", (lips[0].first + AIR_ROWS_PAST_LIP) * (float)longueurFace,
                (largeurPisteEnFaces / 2 - lips[0].second) * (float)largeurFace);
}

// Z of the riding line near x: the rescue points lie on it.
static float lineZNear(float x)
{
    const TrackModel& track = loadedTrack;
    float best = 0, gap = -1;
    for (int i = 0; i < maxReplacePoints && track.replaceSkier[i][0] != emptyObstacleCoord; i++)
        if (gap < 0 || std::fabs(track.replaceSkier[i][0] - x) < gap) gap = std::fabs(track.replaceSkier[i][0] - x), best = track.replaceSkier[i][2];
    return best;
}

// The places are all taken first: placing the rider resets the run, the start and finish lines too.
static void trackShots(const std::string& out, const std::string& track)
{
    const TrackModel& model = loadedTrack;
    std::string base = "shot_" + track + "_";
    float mid = (model.depart + model.arrivee) / 2, finish = model.arrivee - FINISH_ROWS_BEFORE * longueurFace;
    std::vector<std::pair<int, int>> lips = kickerLips();
    float airX = lips.empty() ? mid : (lips[0].first + AIR_ROWS_PAST_LIP) * (float)longueurFace;
    float airZ = lips.empty() ? lineZNear(mid) : (largeurPisteEnFaces / 2 - lips[0].second) * (float)largeurFace;
    float startX = model.depart, startZ = lineZNear(model.depart), midZ = lineZNear(mid), finishZ = lineZNear(finish);
    chaseView(out, base + "start", startX, startZ);
    chaseView(out, base + "mid", mid, midZ);
    airView(out, base + "air", airX, airZ);
    chaseView(out, base + "finish", finish, finishZ);
}

// Process time (every thread's) of drawing `frames` frames of the scene where the rider stands, in ms a
// frame: with LP_NUM_THREADS=0 the software renderer draws in this thread, and the figure hardly moves
// with the machine's load.
static double cpuMsPerFrame(int frames)
{
    timespec a, b;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &a);
    for (int i = 0; i < frames; i++) {
        drawChaseFrame();
        glFinish();
    }
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &b);
    return ((b.tv_sec - a.tv_sec) * 1e3 + (b.tv_nsec - a.tv_nsec) / 1e6) / frames;
}

// The run drawn without its world and with it, timed in turn ten frames at a time, so that the
// machine's load weighs alike on both: ms a frame of each.
static void cpuMsWithoutAndWithWorld(int frames, double* without, double* with)
{
    *without = *with = 0;
    int rounds = std::max(1, frames / 10);
    for (int k = 0; k < rounds; k++) {
        hideTrackWorld(true);
        *without += cpuMsPerFrame(10);
        hideTrackWorld(false);
        *with += cpuMsPerFrame(10);
    }
    *without /= rounds, *with /= rounds;
}

static void benchTrack(const std::string& track, int frames, bool compare)
{
    const TrackModel& model = loadedTrack;
    float mid = (model.depart + model.arrivee) / 2, finish = model.arrivee - FINISH_ROWS_BEFORE * longueurFace;
    float places[3][2] = {{model.depart, lineZNear(model.depart)}, {mid, lineZNear(mid)}, {finish, lineZNear(finish)}};
    static const char* const names[3] = {"start", "mid", "finish"};
    printf("%-12s", track.c_str());
    for (int k = 0; k < 3; k++) {
        placeChaseRider(places[k][0], places[k][1]);
        if (!compare) {
            printf("  %s %6.2f", names[k], cpuMsPerFrame(frames));
            continue;
        }
        double without, with;
        cpuMsWithoutAndWithWorld(frames, &without, &with);
        printf("  %s %6.2f -> %6.2f (%+.0f%%)", names[k], without, with, 100 * (with - without) / without);
    }
    printf("  ms a frame\n");
    fflush(stdout);
}

static bool loadTrackForViews(const std::string& t)
{
    reinitGameVar(playerRun, loadedTrack);
    if (initGame(loadedTrack, t.c_str()) != trackLoadOk) return false;
    libereTexturesTrack(gameTextures.texName);
    libereTexturesTrackStuff();
    initGL(t.c_str());
    placeSkierAtStart(playerRun, loadedTrack, 0);
    return true;
}

void viewTrackShots(const std::string& out)
{
    std::vector<std::string> tracks;
    listDirectory("./data/tracks", tracks, 50);
    std::sort(tracks.begin(), tracks.end());
    initGuiGL();
    if (chargeSkierGui(SHOT_RIDER) != 0) fprintf(stderr, "kesview: no rider %s, the shots show none\n", SHOT_RIDER);
    for (const std::string& t : tracks)
        if (loadTrackForViews(t)) trackShots(out, t);
}

void viewTrackEffects(const std::string& out)
{
    std::vector<std::string> tracks;
    listDirectory("./data/tracks", tracks, 50);
    std::sort(tracks.begin(), tracks.end());
    initGuiGL();
    chargeSkierGui(SHOT_RIDER);
    for (const std::string& t : tracks)
        if (loadTrackForViews(t)) viewEffects(out, t);
}

void benchTrackScenes(int frames, bool compare)
{
    std::vector<std::string> tracks;
    listDirectory("./data/tracks", tracks, 50);
    std::sort(tracks.begin(), tracks.end());
    initGuiGL();
    chargeSkierGui(SHOT_RIDER);
    for (const std::string& t : tracks)
        if (loadTrackForViews(t)) benchTrack(t, frames, compare);
}

void viewTracks(const std::string& out)
{
    std::vector<std::string> tracks;
    listDirectory("./data/tracks", tracks, 50);
    initGuiGL();
    for (const std::string& t : tracks) {
        if (!loadTrackForViews(t)) continue;
        for (int piece = 0; piece < TOP_PIECES; piece++) topPiece(out, t, piece);
        chaseViews(out, t);
        treeViews(out, t);
        viewEffects(out, t);
    }
}
