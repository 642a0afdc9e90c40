// Takes the drawn state of a moment of the run (the last two ticks blended, or the run as it is);
// draws the frame (scene, rider, spray, traces, rescue, fade, HUD), and flips it.
#include <allegro.h>
#include <alleggl.h>
#include <GL/gl.h>
#include <math.h>

#include <vector>

#include "platform/displaySize.h"
#include "render/SnowParticleEngine.h"
#include "render/drawnState.h"
#include "render/gameFrameDraw.h"
#include "render/ghostDraw.h"
#include "render/graphImage.h"
#include "render/guistuff.h"
#include "render/helpanim.h"
#include "render/renderSettings.h"
#include "render/replayCameras.h"
#include "render/scene.h"
#include "render/sceneWorld.h"
#include "render/skiTraces.h"
#include "render/skierDraw.h"
#include "render/viewFrame.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "skier/ghostRider.h"
#include "skier/skierLib.h"
#include "track/planLib.h"
#include "track/trackModel.h"

static const float SPRAY_MIN_SPEED = 300.0f;
static const float RESCUE_X = 200.0f;
// The fade after a put-back darkens the scene by at most this much: it stays in view under the
// message that says why (it went nearly black).
static const float FADE_DARKEST = 0.45f;

// The rescue shows up to its last tick: the run puts the rider back in the tick after it.
static void placeWorldAroundRider(const DrawnState& d)
{
    if (d.rescue) glTranslatef(0, -d.rescueLift, 0);
    glTranslatef(0, -d.pos[1], 0);
    glTranslatef(-d.pos[0], 0, 0);
    glTranslatef(0, 0, -d.pos[2]);
}

static void applyViewTurn(const DrawnState& d)
{
    glRotatef(d.viewHeading, 0, 1, 0);
    glRotatef(d.viewBank, 1, 0, 0);
}

static void drawGround(const TrackModel& track, RiderPose& pose, const DrawnState& d, long tick)
{
    const GLfloat snow[4] = {track.rgbNeigeR, track.rgbNeigeG, track.rgbNeigeB, 0};
    const GLfloat none[4] = {0, 0, 0, 0};
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, snow);
    drawPlan(d.pos[0], track.points, track.faces, track.normalesPiste, track.textures, gameTextures.texName);
    drawTraces(track, pose, d.pos, tick);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, none);
}

static void riderTurns(const DrawnState& d)
{
    glRotatef(-d.yaw, 0, 1, 0);
    if (d.halfTurn != 0) glRotatef(-d.halfTurn, 0, 1, 0);
    if (d.airPitch != 0) glRotatef(d.airPitch, 0, 0, 1);
    if (d.airRoll != 0) glRotatef(d.airRoll, 1, 0, 0);
}

static void drawSpray(const DrawnState& d)
{
    if (!snowSprays.particleEngineSkier) return;
    if (!(d.contact && d.speed > SPRAY_MIN_SPEED)) {
        snowSprays.particleEngineSkier->initParticlesProps();
        return;
    }
    glPushMatrix();
    glRotatef(90, 0, 1, 0);
    if (d.braking) glRotatef(180, 0, 1, 0);
    if (d.fakie) glRotatef(180, 0, 1, 0);
    float speed = shownRun().motion.vitesseMax != 0 ? fabsf(d.speed / shownRun().motion.vitesseMax) : 0;
    snowSprays.particleEngineSkier->draw(d.braking ? 180.0f : 0.0f, speed, d.braking);
    glPopMatrix();
}

static void drawRider(const TrackModel& track, RiderPose& pose, const DrawnState& d, const WorldView* view = nullptr)
{
    glTranslatef(d.pos[0], d.pos[1], d.pos[2]);
    glPushMatrix();
    riderTurns(d);
    glPushMatrix();
    if (d.fakie) glRotatef(180, 0, 1, 0);
    if (d.tumble != 0) glRotatef(d.tumble, 0, 0, 1);
    if (shadowState.ombre < 2) drawShadow(track, pose, d, view);
    glColor4f(1, 1, 1, 1);
    drawSkierAfterTransformEtat(pose, riddenModel(), 1, d.contact);
    drawSpray(d);
    glPopMatrix();
    glPopMatrix();
}

static void drawRescueAndStars(const DrawnState& d)
{
    if (d.rescue) drawRescueFlight(RESCUE_X, 0, 0, gameTextures.texGui[texGuiFont2], gameTextures.texTrackStuff[texStuffCylinder]);
    if (d.stars) drawStars(d.pos[1], 0);
}

// The simulation steps the fade; this only darkens the whole window by it.
static void drawReplacementFade(const DrawnState& d)
{
    const OverlayFrame& f = currentOverlayFrame();
    if (d.replacement) drawFondFondu(f.left, f.top, f.right - f.left, f.top - f.bottom, FADE_DARKEST * d.fadeAlpha);
}

// With the world round the track the sky comes after everything solid, drawn only where nothing
// stands (it filled the whole window before, most of it to be covered), and what is see-through after
// the sky. Without it, the sky first as it always was. windows: the terrain windows drawn.
static void drawSolidsThenSky(const TrackModel& track, const std::vector<int>& windows, float obstaclesTo, float riderX, const float* skyView)
{
    drawWorldAroundWindows(track, windows, obstaclesTo);
    drawObstaclesOfPass(track, riderX, solidObstacles);
    glPushMatrix();
    glLoadMatrixf(skyView);
    drawSkyBehindWorld();
    glPopMatrix();
    drawObstaclesOfPass(track, riderX, seeThroughObstacles);
}

// The chase camera: the eye in the rider frame, the view turned by his heading, the world round him.
static void drawChaseScene(const TrackModel& track, RiderPose& pose, const DrawnState& d, long tick)
{
    bool world = trackWorldShown();
    glPushMatrix();
    placeCameraAt(d.eyeBack, d.eyeUp);
    glPushMatrix();
    applyViewTurn(d);
    float viewTurned[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, viewTurned);
    if (!world) {
        glPushMatrix();
        drawFond();
        glPopMatrix();
        drawSoleil(d.sunAngle);
    }
    placeWorldAroundRider(d);
    if (!world) beginDistanceHaze();
    drawGround(track, pose, d, tick);
    placeLumiere();
    if (world) {
        drawSolidsThenSky(track, {getNumeroFaceCourante(shownRun())}, d.pos[0] + obstacleViewAhead, d.pos[0], viewTurned);
        drawSnowfall(d.sceneSeconds, displayDesc().height);
    } else {
        drawObstaclesAt(track, d.pos[0]);
    }
    glPushMatrix();
    drawRider(track, pose, d);
    drawRescueAndStars(d);
    glPopMatrix();
    if (d.ghostShown) drawGhost(d.ghost);  // see-through: after everything it may stand in front of
    endDistanceHaze();
    glPopMatrix();
    drawReplacementFade(d);
    glPopMatrix();
}

// The sky box is made to be seen ahead (it has no face behind the rider): it is turned with the
// camera's heading, as the chase turns it, so the camera looks at its front whichever way it looks.
// It neither tests nor writes depth: the world beyond it (the far terrain windows) is drawn over it.
static float skyHeading(const WorldView& v);

static void drawSkyAhead(const WorldView& v, float sunAngle)
{
    float heading = skyHeading(v);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glPushMatrix();
    glRotatef(-heading, 0, 1, 0);
    glPushMatrix();
    drawFond();
    glPopMatrix();
    drawSoleil(sunAngle);
    glPopMatrix();
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
}

// The terrain window is 14 rows round a triangle: as many windows as the view's rows need, the
// run's own triangle given back afterwards. Their triangles are kept in windows.
static void drawGroundRows(const TrackModel& track, RiderPose& pose, const DrawnState& d, long tick, const WorldView& v, std::vector<int>& windows)
{
    const int windowRows = terrainRowsBehind + terrainRowsAhead + 1;
    int first, last;
    viewRows(v, &first, &last);
    int column = findCurrentFace(track.points, track.faces, v.target[0], v.target[2], (float)maxTrackFaces) % facesParRangee;
    int runFace = getNumeroFaceCourante(shownRun());
    const GLfloat snow[4] = {track.rgbNeigeR, track.rgbNeigeG, track.rgbNeigeB, 0};
    const GLfloat none[4] = {0, 0, 0, 0};
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, snow);
    for (int row = first; row <= last; row += windowRows) {
        windows.push_back((row + terrainRowsBehind) * facesParRangee + column);
        setNumeroFaceCourante(playerRun, windows.back());
        drawPlan(d.pos[0], track.points, track.faces, track.normalesPiste, track.textures, gameTextures.texName);
    }
    setNumeroFaceCourante(playerRun, runFace);
    drawTraces(track, pose, d.pos, tick);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, none);
}

// The obstacles of the view's rows; the X their windows reach to.
static float drawObstacleRows(const TrackModel& track, const WorldView& v, ObstaclePass pass)
{
    const float windowLength = obstacleViewAhead;  // the obstacles' window ahead of its X
    int first, last;
    viewRows(v, &first, &last);
    float x = (float)first * longueurFace;
    for (; x < (float)(last + 1) * longueurFace; x += windowLength) drawObstaclesOfPass(track, x, pass);
    return x;
}

// The heading the sky is turned by for a camera standing in the world, as the chase turns it.
static float skyHeading(const WorldView& v)
{
    return (float)(atan2(v.target[2] - v.eye[2], v.target[0] - v.eye[0]) * 180.0 / M_PI);
}

// A camera standing in the world: the eye turned toward its aim, the sky round the eye. With the
// world round the track, the sky goes behind everything solid as for the chase.
static void drawWorldScene(const TrackModel& track, RiderPose& pose, const DrawnState& d, long tick, const WorldView& v)
{
    bool world = trackWorldShown();
    glPushMatrix();
    placeWorldCamera(v);
    float skyView[16];
    glPushMatrix();
    glRotatef(-skyHeading(v), 0, 1, 0);
    glGetFloatv(GL_MODELVIEW_MATRIX, skyView);
    glPopMatrix();
    if (!world) drawSkyAhead(v, d.sunAngle);
    glTranslatef(-v.eye[0], -v.eye[1], -v.eye[2]);
    if (!world) beginDistanceHaze();
    std::vector<int> windows;
    drawGroundRows(track, pose, d, tick, v, windows);
    placeLumiere();
    if (world) {
        float obstaclesTo = drawObstacleRows(track, v, solidObstacles);
        drawWorldAroundWindows(track, windows, obstaclesTo);
        glPushMatrix();
        glLoadMatrixf(skyView);
        drawSkyBehindWorld();
        glPopMatrix();
        drawObstacleRows(track, v, seeThroughObstacles);
        drawSnowfall(d.sceneSeconds, displayDesc().height);
    } else {
        drawObstacleRows(track, v, allObstacles);
    }
    glPushMatrix();
    drawRider(track, pose, d, &v);
    drawRescueAndStars(d);
    glPopMatrix();
    if (d.ghostShown) drawGhost(d.ghost);
    endDistanceHaze();
    drawReplacementFade(d);
    glPopMatrix();
}

void drawRunSceneAt(const DrawnState& d, long tick, WorldViewFn view)
{
    const TrackModel& track = loadedTrack;
    RiderPose drawnPose;
    poseRiderForDrawing(d, drawnPose);
    WorldView v;
    // beneath the sky's faces, where the land leaves a gap, the haze shows
    if (trackWorldShown()) clearToWorldHaze();
    if (view && view(d, &v)) drawWorldScene(track, drawnPose, d, tick, v);
    else drawChaseScene(track, drawnPose, d, tick);
    restoreRiderPose();
}

void drawRunScene() { drawRunSceneAt(captureDrawnState(), -1); }

static void drawFrameAt(const DrawnState& d, long tick, void (*overlay)(), WorldViewFn view, short shown)
{
    glClearDepth(1.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    drawRunSceneAt(d, tick, view);
    drawRunHud();
    if (overlay) overlay();
    glFlush();
    if (shown && gfx_driver) allegro_gl_flip();
}

void drawGameFrame(void (*overlay)(), WorldViewFn view) { drawFrameAt(captureDrawnState(), -1, overlay, view, 1); }

void drawRunFrame(float fraction, long tick, void (*overlay)(), WorldViewFn view)
{
    drawFrameAt(drawnMoment(drawnTicks, fraction), tick, overlay, view, 1);
}

void drawFilmFrame(float fraction, long tick, WorldViewFn view)
{
    drawFrameAt(drawnMoment(drawnTicks, fraction), tick, nullptr, view, 0);
}

void drawFilmFrameAsItStands(WorldViewFn view) { drawFrameAt(captureDrawnState(), -1, nullptr, view, 0); }
