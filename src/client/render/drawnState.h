// What the drawing of a run needs of one tick (the rider's place, turns and pose, the camera, the
// shadow, the spray, the fade, the ghost), kept for the last two ticks so that a frame drawn
// between them shows the moment it is drawn at rather than the last tick.
#pragma once

#include "run/runRecording.h"

struct RiderPose;

struct DrawnState {
    // the rider
    float pos[3];
    float yaw;                 // heading
    float halfTurn;            // a ground half-turn under way, 0 otherwise
    float airPitch, airRoll;   // the flip and side-flip turns, 0 on the snow
    float tumble;              // the fall's roll, 0 when none is drawn
    float lean;                // the displayed slope pitch
    float pose[poseAngles];
    short contact, fakie, fallen, replacement, rescue, stars;
    // the chase camera: eye in the rider frame, the view's heading and bank, the sun's turn
    float eyeBack, eyeUp, viewHeading, viewBank, sunAngle, rescueLift;
    // the shadow: the triangle under the rider, the ground's height there, its slopes
    int face;
    float groundY, slope, lateral;
    // the spray and the fade after a rescue
    float speed;
    short braking;
    float fadeAlpha;
    // the ghost at the same moment
    short ghostShown;
    RunSample ghost;
    // the scene's own time (falling snow): ticks drawn since the run was loaded, the start's wait
    // too; it stands still while no tick passes (a pause)
    float sceneSeconds;
};

// The drawn state of the run as it is now. Steps the camera's own heading and bank (they creep by
// so much a call): the run calls it once a tick.
DrawnState captureDrawnState();
// The state at fraction f of the way from a to b: a itself at 0, b at 1; positions and angles in
// between (angles the short way round), flags and the triangle of the nearer one.
DrawnState interpolateDrawn(const DrawnState& a, const DrawnState& b, float f);

// The rider skinned for the drawn moment (pose, lean, heading) in drawn, a copy of his run's pose, the
// run's own left as the tick made it; restoreRiderPose turns the model's bones back to the run's pose.
void poseRiderForDrawing(const DrawnState& d, RiderPose& drawn);
void restoreRiderPose();

// The last two ticks' drawn states.
struct DrawnTicks {
    DrawnState previous, current;
    short count;        // 0 before the run's first tick
    float rocketClimb;  // the rescue rocket's climb at the last tick, for the next one's camera
};
extern DrawnTicks drawnTicks;

// A new run: nothing to draw between yet.
void resetDrawnTicks(DrawnTicks* t);
// After a tick: its state becomes the current one, the one before it the previous. A teleport (the
// rider put back on the track, the first tick of a run) is not drawn between: both are the new one.
void noteTickDrawn(DrawnTicks* t, short teleported);
// Whether this tick's events hold a teleport.
short tickTeleported();
// The moment a fraction of a tick past the last one, in the ticks' terms (the last tick itself
// before there is a previous one, the run as it is now before any tick).
DrawnState drawnMoment(const DrawnTicks& t, float fraction);
