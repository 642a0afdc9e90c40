// The replay's cameras besides the chase: a far view, trackside cameras the rider passes one after
// another, and a free camera the player moves while the replay is paused. Each gives a view of the
// world (an eye and the point it looks at), kept inside the world: over the track's grid, above
// the snow and under the sky.
#pragma once

#include "run/runRecording.h"
#include "track/planLib.h"
#include "track/trackModel.h"

enum ReplayCamera { replayChaseCamera, replayFarCamera, replayTracksideCamera, replayFreeCamera, replayCameraCount };
// How the replay names each camera.
extern const char* const replayCameraNames[replayCameraCount];

struct WorldView {
    float eye[3];
    float target[3];
};

// The chase camera's eye and aim in the world, for a rider at pos with the view turned by heading
// and the eye (back, up) of the rider frame: what the chase shows, as a world view.
void chaseWorldView(const float pos[3], float headingDeg, float back, float up, WorldView* out);

// High behind the rider and to one side, looking at him.
void farView(const TrackPoint* pts, const TrackFace* fcs, const float riderPos[3], WorldView* out);

// Trackside cameras stand beside the line the rider took, one every tracksideSpacing along the
// track; the one in use is the next the rider comes to, until he is tracksidePassBy past it.
const float tracksideSpacing = 8.0f * longueurFace;
const float tracksidePassBy = 2000.0f;
int tracksideStation(float riderX);
float tracksideStationX(int station);
// Where the recorded path crossed x across the track (its last point's when it never got there,
// fallbackZ when it holds none).
float pathZAt(const RunRecording& path, float x, float fallbackZ);
void tracksideView(const TrackPoint* pts, const TrackFace* fcs, const RunRecording& path, const float riderPos[3],
                   WorldView* out);

// The free camera: an eye, its heading (degrees, 0 down the track, the chase camera's sense) and
// pitch (degrees, up positive).
struct FreeCamera {
    float eye[3];
    float yaw, pitch;
};
// Each from -1 to 1: the keys held (forward, to the right, up, turn to the right, look up).
struct FreeCameraMove {
    float forward, right, up, turn, tilt;
};
const float freeCameraSpeed = 3000.0f;      // world units a second
const float freeCameraTurnSpeed = 60.0f;    // degrees a second
const float freeCameraMaxPitch = 80.0f;
void freeCameraFrom(const WorldView& v, FreeCamera* c);
void moveFreeCamera(const TrackPoint* pts, const TrackFace* fcs, FreeCamera* c, const FreeCameraMove& m,
                    double seconds);
void freeCameraView(const FreeCamera& c, WorldView* out);

// The eye moved inside the world: over the grid by a cell's margin, between the snow's clearance
// and the highest an eye may be over it.
const float worldEyeClearance = 120.0f;
const float worldEyeHighest = 8000.0f;
void keepEyeInWorld(const TrackPoint* pts, const TrackFace* fcs, float eye[3]);

// The rows of the terrain a world view needs drawn: from the eye and the aim, further on in the
// direction it looks. Rows counted along X from the track's first.
void viewRows(const WorldView& v, int* firstRow, int* lastRow);
