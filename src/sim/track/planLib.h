// Geometric queries on the terrain grid; the placing ones leave the rider's ground contact in the run state.
#pragma once

struct TrackModel;

typedef float TrackPoint[3];
typedef unsigned int TrackFace[3];

// degrees per radian as the game counts it
const float convRad = 57.29f;

struct GroundContact;
struct RunState;

int getNumeroFaceCourante(const RunState& run);
void setNumeroFaceCourante(RunState& run, int f);
float getYobjetCour(const RunState& run);
void setYobjetCour(RunState& run, float y);
float getXobjet_inc(const RunState& run);
void setXobjet_inc(RunState& run, float x);
int getContact(const RunState& run);
void setContact(RunState& run, int c);
int getAncienContact(const RunState& run);
void setAncienContact(RunState& run, int c);
int getNbTrackTextures();
void setNbTrackTextures(int n);

// First (even) triangle of the grid cell holding (x, z); positions off the grid are clamped onto it.
int findCurrentFace(const TrackPoint* pts, const TrackFace* fcs, float x, float z, float nbFaces);
float yPlan(float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2, float z2,
            float x, float z);
float yTheoObjSettingFaceNumber(GroundContact& ground, const TrackPoint* pts, const TrackFace* fcs, float x, float z,
                                float nbFaces, short setFace);
// The terrain's height at (x, z), read only; off the grid, the height at its edge.
float yTheoObj(const TrackPoint* pts, const TrackFace* fcs, float x, float z, float nbFaces);
float placeObjetAndGetAngle(GroundContact& ground, const TrackPoint* pts, const TrackFace* fcs, float x, float z, float nbFaces,
                            float headingDeg, float* normalOut);
void computeNormalForFace(int face, const TrackPoint* pts, const TrackFace* fcs, float* out);
// Raises a kicker ahead (the triangle chosen by the heading) and gives its cell the bomb ramp picture
// when the track has one: the one change a run makes to the ground. The index of the raised vertex 0,
// -1 when none is raised.
int addJumpTwdIntrack(const GroundContact& ground, TrackModel& groundRaisedByBomb, float angleDeg);
// Cross-slope angle of a ground triangle in degrees (0 outside the mesh).
float angleLateral(const TrackModel& track, int face);
