// Rider skinning: takes the pose variables and a rider model, returns the model's posed triangle list,
// the height offset of the supporting ankle and the ski end points. No drawing here.
#include <cmath>
#include <cstring>

#include "core/graphicLib.h"
#include "run/runState.h"
#include "skier/skierLib.h"
#include "track/planLib.h"

const float noseSkiGauchePos[3] = {40.106f, -184.517f, 87.7f};
const float tailSkiGauchePos[3] = {40.106f, -184.517f, -147.3f};
const float noseSkiDroitPos[3] = {-38.894f, -186.517f, 87.7f};
const float tailSkiDroitPos[3] = {-38.894f, -186.517f, -147.3f};
// In SkiEnd order, with the ankle each turns about.
static const float* const skiEndsModel[nbSkiEnds] = {noseSkiGauchePos, tailSkiGauchePos, noseSkiDroitPos, tailSkiDroitPos};
static const int skiEndAnkle[nbSkiEnds] = {jointChevilleGauche, jointChevilleGauche, jointChevilleDroite, jointChevilleDroite};

float* getOutNoseSkiGauchePos(RiderPose& pose) { return pose.skiEnds[noseSkiGauche]; }
float* getOutTailSkiGauchePos(RiderPose& pose) { return pose.skiEnds[tailSkiGauche]; }
float* getOutNoseSkiDroitPos(RiderPose& pose) { return pose.skiEnds[noseSkiDroit]; }
float* getOutTailSkiDroitPos(RiderPose& pose) { return pose.skiEnds[tailSkiDroit]; }

// Pivot of each joint; joints that are never rotated have none (0 0 0).
static const float centresJoints[nbJointsSquelette][3] = {
    {0.177f, -69.399f, -34.972f},    // pelvis
    {-0.108f, -64.473f, -34.972f},   // lower spine
    {13.686f, -69.027f, -35.054f},   // left hip
    {-14.314f, -69.027f, -35.054f},  // right hip
    {-14.314f, -125.027f, -34.054f}, // right knee
    {13.686f, -124.742f, -35.054f},  // left knee
    {15.543f, -176.456f, -34.963f},  // left ankle
    {-15.6f, -177.742f, -33.145f},   // right ankle
    {0, 0, 0},                       // right foot
    {0, 0, 0},                       // left foot
    {-0.108f, -34.33f, -34.972f},    // mid spine
    {0, 0, 0},                       // neck
    {0.177f, 10.955f, -36.336f},     // head
    {0, 0, 0},                       // top of head
    {41.115f, -5.313f, -35.972f},    // left shoulder
    {65.528f, -8.313f, -35.063f},    // left elbow
    {89.686f, -8.599f, -34.664f},    // left wrist
    {0, 0, 0},                       // left hand
    {-40.965f, -5.616f, -36.063f},   // right shoulder
    {-65.171f, -8.742f, -35.154f},   // right elbow
    {-89.314f, -9.599f, -34.517f},   // right wrist
    {0, 0, 0},                       // right hand
};

void centreJoint(int joint, float* out)
{
    bool known = joint >= 0 && joint < nbJointsSquelette;
    for (int k = 0; k < 3; k++) out[k] = known ? centresJoints[joint][k] : 0;
}

static void setRotation(Bone* bones, int joint, float x, float y, float z)
{
    bones[joint].rotation[0] = x;
    bones[joint].rotation[1] = y;
    bones[joint].rotation[2] = z;
}

void majRotationsBones(const RiderPose& pose, RiderModel& model)
{
    Bone* b = model.bones;
    const float* a = pose.angles;
    setRotation(b, 0, a[rotBassinX], a[rotBassinY], a[rotBassinZ]);
    setRotation(b, 1, a[rotBaseColonneX], a[rotBaseColonneY], a[rotBaseColonneZ]);
    setRotation(b, 2, a[rotHancheXL], a[rotHancheYL], a[rotHancheZL]);
    setRotation(b, 3, a[rotHancheXR], a[rotHancheYR], a[rotHancheZR]);
    b[4].rotation[0] = a[rotGenouR];
    b[5].rotation[0] = a[rotGenouL];
    setRotation(b, 6, a[rotChevilleXL], a[rotChevilleYL], a[rotChevilleZL]);
    setRotation(b, 7, a[rotChevilleXR], a[rotChevilleYR], a[rotChevilleZR]);
    setRotation(b, 10, a[rotMidColonneX], a[rotMidColonneY], a[rotMidColonneZ]);
    setRotation(b, 12, a[rotHeadX], a[rotHeadY], a[rotHeadZ]);
    setRotation(b, 14, a[rotEpauleXL], a[rotEpauleYL], a[rotEpauleZL]);
    b[15].rotation[1] = a[rotCoudeL];
    setRotation(b, 16, a[rotPoignetXL], a[rotPoignetYL], a[rotPoignetZL]);
    setRotation(b, 18, a[rotEpauleXR], a[rotEpauleYR], a[rotEpauleZR]);
    b[19].rotation[1] = a[rotCoudeR];
    setRotation(b, 20, a[rotPoignetXR], a[rotPoignetYR], a[rotPoignetZR]);
}

// Same table entry as the angle itself (the remainder keeps its sign and fraction), but never an
// integer overflow in the table lookup for huge or broken angles from a position file.
static float angleTable(float a) { return std::isfinite(a) ? fmodf(a, 360) : 0; }

static void rotateX(float* p, float a)
{
    float c = pcos(a), s = psin(a);
    float y = p[1] * c - p[2] * s;
    float z = p[1] * s + p[2] * c;
    p[1] = y;
    p[2] = z;
}

static void rotateY(float* p, float a)
{
    float c = pcos(a), s = psin(a);
    float x = p[0] * c + p[2] * s;
    float z = p[2] * c - p[0] * s;
    p[0] = x;
    p[2] = z;
}

static void rotateZ(float* p, float a)
{
    float c = pcos(a), s = psin(a);
    float x = p[0] * c + p[1] * s;
    float y = p[1] * c - p[0] * s;
    p[0] = x;
    p[1] = y;
}

static void rotateByBone(const Bone& b, float* d, float* n)
{
    if (b.rotation[0] != 0) {
        rotateX(d, angleTable(b.rotation[0]));
        rotateX(n, angleTable(b.rotation[0]));
    }
    if (b.rotation[1] != 0) {
        rotateY(d, angleTable(b.rotation[1]));
        rotateY(n, angleTable(b.rotation[1]));
    }
    if (b.rotation[2] != 0) {
        rotateZ(d, angleTable(b.rotation[2]));
        rotateZ(n, angleTable(b.rotation[2]));
    }
}

// The walk is bounded by the skeleton size, so a bad chain can never loop or leave the tables.
void transformeBoneCoords(const RiderModel& model, const float* vertex, const float* normal, int joint,
                          float* outVertex, float* outNormal)
{
    float p[3] = {vertex[0], vertex[1], vertex[2]};
    float n[3] = {normal[0], normal[1], normal[2]};
    int j = joint;
    for (int steps = 0; j >= 0 && j < nbJointsSquelette && steps < nbJointsSquelette; steps++) {
        float c[3];
        centreJoint(j, c);
        for (int k = 0; k < 3; k++) p[k] -= c[k];
        rotateByBone(model.bones[j], p, n);
        j = model.bones[j].parent;
        if (j == -1) break;
        for (int k = 0; k < 3; k++) p[k] += c[k];
    }
    memcpy(outVertex, p, sizeof p);
    memcpy(outNormal, n, sizeof n);
}


// The same walk as transformeBoneCoords, on the offset and the three axes.
static void foldChain(const RiderModel& model, int joint, ChainTransform& out)
{
    float* t = out.offset;
    for (int a = 0; a < 3; a++)
        for (int k = 0; k < 3; k++) out.col[a][k] = a == k ? 1.0f : 0.0f;
    t[0] = t[1] = t[2] = 0;
    int j = joint;
    for (int steps = 0; j >= 0 && j < nbJointsSquelette && steps < nbJointsSquelette; steps++) {
        float c[3];
        centreJoint(j, c);
        for (int k = 0; k < 3; k++) t[k] -= c[k];
        rotateByBone(model.bones[j], t, out.col[0]);
        rotateByBone(model.bones[j], out.col[1], out.col[2]);
        j = model.bones[j].parent;
        if (j == -1) break;
        for (int k = 0; k < 3; k++) t[k] += c[k];
    }
}

void prepareSkinning(RiderPose& pose, const RiderModel& model)
{
    for (int j = 0; j < nbJointsSquelette; j++) foldChain(model, j, pose.chains[j]);
}

void skinWithChain(const RiderPose& pose, const float* vertex, const float* normal, int joint, float* outVertex, float* outNormal)
{
    if (joint < 0 || joint >= nbJointsSquelette) {
        memcpy(outVertex, vertex, 3 * sizeof(float));
        memcpy(outNormal, normal, 3 * sizeof(float));
        return;
    }
    const ChainTransform& m = pose.chains[joint];
    for (int k = 0; k < 3; k++) {
        outVertex[k] = m.col[0][k] * vertex[0] + m.col[1][k] * vertex[1] + m.col[2][k] * vertex[2] + m.offset[k];
        outNormal[k] = m.col[0][k] * normal[0] + m.col[1][k] * normal[1] + m.col[2][k] * normal[2];
    }
}

void feedListeTriangleToDraw(RiderModel& model, int record, int corner, const float* position, const float* uv,
                             const float* normal)
{
    if (record < 0 || record >= maxTrianglesToDraw || corner < 0 || corner > 2) return;
    TriangleToDraw& t = model.triangles[record];
    memcpy(t.position[corner], position, 3 * sizeof(float));
    memcpy(t.uv[corner], uv, 2 * sizeof(float));
    memcpy(t.normale[corner], normal, 3 * sizeof(float));
}

static void skinCorner(const RiderPose& pose, const RiderModel& model, const Mesh& m, int vertex, int normale, float* position, float* uv,
                       float* normal)
{
    const Vertex& v = model.vertices[m.firstVertex + vertex];
    const Normale& nr = model.normales[m.firstNormale + normale];
    float p[3] = {v.x, v.y, v.z};
    float n[3] = {nr.x, nr.y, nr.z};
    skinWithChain(pose, p, n, v.boneId, position, normal);
    uv[0] = v.u;
    uv[1] = v.v;
}

int transformGroup(RiderPose& pose, RiderModel& model, int group, int firstRecord)
{
    const Mesh& m = model.meshes[group];
    for (int k = 0; k < m.nbFaces; k++) {
        int r = firstRecord + k;
        if (r >= maxTrianglesToDraw) return maxTrianglesToDraw;
        const Face& f = model.faces[m.firstFace + k];
        const int vertices[3] = {f.vertex1, f.vertex2, f.vertex3};
        const int normales[3] = {f.normale1, f.normale2, f.normale3};
        model.triangles[r].groupIndex = group;
        for (int c = 0; c < 3; c++) {
            float p[3], uv[2], n[3];
            skinCorner(pose, model, m, vertices[c], normales[c], p, uv, n);
            feedListeTriangleToDraw(model, r, c, p, uv, n);
        }
    }
    return firstRecord + m.nbFaces;
}

void transformObj(RiderPose& pose, RiderModel& model)
{
    prepareSkinning(pose, model);
    int next = 0;
    for (int g = 0; g < model.nbMeshes; g++) next = transformGroup(pose, model, g, next);
    model.nbTriangles = next;
}

int chevilleSupport(short isFakie, float heading)
{
    if (isFakie) return heading < 0 ? jointChevilleGauche : jointChevilleDroite;
    return heading > 0 ? jointChevilleGauche : jointChevilleDroite;
}

static void skinPoint(const RiderModel& model, const float* in, int joint, float* out)
{
    const float zero[3] = {0, 0, 0};
    float n[3];
    transformeBoneCoords(model, in, zero, joint, out, n);
}

static void skinSkiEnds(RiderPose& pose, const RiderModel& model)
{
    for (int e = 0; e < nbSkiEnds; e++) skinPoint(model, skiEndsModel[e], skiEndAnkle[e], pose.skiEnds[e]);
}

static void placeSupportingAnkle(RiderPose& pose, const RiderModel& model, short isFakie, float heading)
{
    int ankle = chevilleSupport(isFakie, heading);
    float centre[3], out[3];
    centreJoint(ankle, centre);
    skinPoint(model, centre, ankle, out);
    pose.transTotalSkier = -out[1];
}

static void placeSkiEnd(RiderPose& pose, float* p, float yaw)
{
    ThreeDPoint q(p[0], p[1] + pose.transTotalSkier + hauteurPiedSkier, p[2]);
    applyRotationToPoint(&q, 0, 90, 0);
    applyRotationToPoint(&q, 0, yaw, 0);
    applyRotationToPoint(&q, 0, 0, pose.angleZTemp);
    q.toVec(p);
}

void placeSkisEtCheville(RiderPose& pose, const RiderModel& model, short isFakie, float heading)
{
    skinSkiEnds(pose, model);
    placeSupportingAnkle(pose, model, isFakie, heading);
}

void transformSkierEtat(RiderPose& pose, RiderModel& model, float lean, float heading, short isFakie, int contact)
{
    if (contact) pose.angleZTemp = isFakie ? lean : -lean;
    placeSkisEtCheville(pose, model, isFakie, heading);
    transformObj(pose, model);
    float yaw = !contact ? heading : (isFakie ? 180 - heading : -heading);
    for (int e = 0; e < nbSkiEnds; e++) placeSkiEnd(pose, pose.skiEnds[e], yaw);
}

void transformSkier(RunState& run, RiderModel& model, float lean, float heading)
{
    transformSkierEtat(run.pose, model, lean, heading, run.phases.fakie, getContact(run));
}

void getVectorBassinSkier(float* v)
{
    v[0] = 0;
    v[1] = 1;
    v[2] = 0;
}

void getVectorFrontSkier(float* v)
{
    v[0] = 1;
    v[1] = 0;
    v[2] = 0;
}
