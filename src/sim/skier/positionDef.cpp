// Poses: takes position files and pose vectors, returns the trick table and sets the pose variables.
#include "skier/positionDef.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/graphicLib.h"
#include "skier/skierLib.h"
#include "fileio/safeOpen.h"

// Stepping counts are taken on angles up to this size, so absurd file values cannot stall a frame.
const float plusGrandAngleAnime = 1.0e6f;
const int pointsParBouton = 1000;
const int boutonsComptes = 5;

static SkiPosition positionsDispo[nbPositionsMax];

// Vector order: right leg (hip x y z, knee, ankle x y z), left leg, lower spine x y z, mid spine
// x y z, right arm (shoulder x y z, elbow, wrist x y z), left arm, head x y z.
const BuiltInPoses builtInPoses = {
    // reposPosition
    {
        -6, 0, 0, 8, 0, 0, 0,
        -4, 0, 0, 6, 0, 0, 0,
        0, 0, 0, 0, 0, 0,
        0, 0, -74, 52, 82, -2, 0,
        0, 0, 72, -56, 90, 0, 0,
        0, 0, 0},

    // oneGrabPosition
    {
        -94, 0, 0, 112, 0, 15, 0,
        -94, -8, 0, 120, 0, -15, 0,
        24, 0, 0, 20, 4, 0,
        0, 36, 0, 36, 0, 0, 0,
        22, -8, 4, -24, 0, 0, 0,
        -18, -16, -10},

    // okPosition1
    {
        -114, 0, 0, 112, 0, 0, 0,
        -114, 0, 0, 112, 0, 0, 0,
        26, -10, 0, -14, -30, 0,
        0, 66, -40, 46, 72, -40, -16,
        4, -26, 60, -36, 102, 0, 0,
        -2, -62, 0},

    // okPosition2
    {
        0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0,
        0, -4, 6, 0, 0, 12,
        -38, 0, 68, 22, 0, 0, 0,
        46, 4, 64, -12, 0, 0, 0,
        -18, -56, 0},

    // normalPosition
    {
        -58, 0, 0, 60, 0, 0, 0,
        -58, 0, 0, 60, 0, 0, 0,
        20, 0, 0, 6, 0, 0,
        28, 2, -24, 40, 28, 0, 0,
        22, 0, 24, -32, 36, 0, 0,
        -14, 0, 0},

    // virGauchePosition
    {
        -64, 0, 50, 62, 2, -4, -2,
        -78, 2, 40, 76, 2, -4, 0,
        6, 0, 48, 18, 10, 0,
        42, 64, -48, 52, 56, -20, 4,
        4, -4, 26, -32, 58, 10, 0,
        -14, 2, -30},

    // virDroitePosition
    {
        -80, 0, -32, 78, 0, -4, 0,
        -64, 12, -40, 66, -2, -8, 0,
        8, 0, -44, 6, -4, 0,
        0, -6, -26, 20, 58, 0, 0,
        4, -70, 22, -44, 58, 10, 0,
        0, -4, 24},

    // receptionPosition
    {
        -118, 0, 0, 118, 0, 0, 0,
        -122, 0, 0, 122, 0, 0, 0,
        6, 0, 0, 26, 0, 0,
        0, 64, 0, 24, 48, 0, 0,
        0, -64, 0, -28, 58, 0, 0,
        32, 0, 0},

    // fakiePosition
    {
        -20, -6, 0, 22, 0, 2, 0,
        -20, 2, 0, 22, 0, 0, 0,
        16, 0, 0, 0, 0, 0,
        82, 22, -74, 6, 0, 0, 0,
        40, -24, 86, -92, 94, 0, 0,
        14, -44, 0},

    // virFakieGauchePosition
    {
        -24, -2, -12, 34, -8, 0, 10,
        16, 4, -16, 6, -20, 0, 12,
        22, -2, -22, -4, 34, 0,
        46, 44, -68, 70, 82, -24, 0,
        -12, 46, 54, -34, 50, 0, 0,
        12, 42, 0},

    // virFakieDroitePosition
    {
        22, -8, 24, 6, -26, 0, 12,
        -28, 6, 20, 46, -18, 0, 8,
        22, 0, 18, 0, -18, 0,
        4, -18, -42, 48, 62, 6, 0,
        96, -62, 70, -40, -8, 2, -8,
        4, -54, 0},

    // fakieReceptionPosition
    {
        -30, 0, 0, 30, 0, 0, 0,
        -30, -2, 0, 30, 0, 0, 0,
        44, 0, 0, 34, 0, 0,
        0, 0, -64, 18, 62, 0, 0,
        0, 0, 38, -26, 42, 0, 0,
        62, 0, 0},

    // simpleJumpFakie
    {
        0, 0, 6, 8, 0, 0, 0,
        0, 0, -6, 12, 0, 0, 0,
        14, 0, 0, 12, -14, 0,
        0, 14, 0, 42, 0, 0, 0,
        0, 0, 0, -26, 0, 0, 0,
        -8, -24, 0},

    // simpleJump
    {
        0, 0, 6, 8, 0, 0, 0,
        0, 0, -6, 12, 0, 0, 0,
        14, 0, 0, 12, -2, 0,
        0, 14, 0, 42, 38, -10, -28,
        0, 0, 0, -26, 44, 4, 0,
        -8, 4, 0},

    // freinagePGauchePosition
    {
        -66, 58, 46, 10, 4, 16, 10,
        -30, 64, -10, 36, -6, 18, 34,
        -6, 48, 0, 0, -26, 0,
        14, 0, -46, 42, 76, 0, 0,
        6, 0, 34, -30, 76, 0, 0,
        -2, -30, 4},

    // freinagePDroitePosition
    {
        -82, -70, -42, 38, 0, 4, -10,
        -80, -52, -46, 36, 0, 0, 0,
        8, -10, 0, 0, 10, 0,
        0, 18, -12, 58, 64, 0, 0,
        34, 2, 64, -52, 70, 0, 0,
        -4, -2, 0},

    // freinageFakiePosition
    {
        12, -22, 12, 10, -18, 14, 0,
        18, 22, -16, -8, -6, -16, 0,
        10, 0, 0, 4, 10, 0,
        32, 6, -64, 60, 66, 0, 0,
        12, 26, 50, -18, 62, 0, 0,
        -4, -74, 0},

    // bouleChutePosition
    {
        -76, 0, 0, 54, 0, 28, 0,
        -76, 0, 0, 122, -20, -18, 0,
        42, 0, 0, 32, 22, 0,
        6, 48, -24, 114, 62, 0, 0,
        -6, -96, 0, -26, 62, 0, 0,
        58, 10, -18},

    // chutePosition
    {
        92, 0, 0, 66, 0, -40, 0,
        84, 0, 0, 72, 0, 0, 0,
        66, 0, 0, 0, 0, 0,
        0, 0, 0, 70, 0, 0, 0,
        0, -4, 46, -38, 84, 36, 0,
        10, 48, 0},

    // grindPosition
    {
        6, -50, 0, 0, 4, 0, 0,
        -6, -54, -6, 0, -6, 8, 2,
        4, -40, 0, -2, 18, 0,
        58, -24, -32, 26, 0, 0, 0,
        36, -26, 0, -10, 0, 0, 0,
        0, 28, 0},

    // normalCrouchPosition
    {
        -94, 0, 0, 118, -22, 0, 0,
        -96, 0, 0, 120, -22, 0, 0,
        10, 0, 0, 20, 0, 0,
        64, 50, -50, 40, 28, 0, 0,
        62, -38, 66, -32, 36, 0, 0,
        -26, 0, 0},

    // fakieCrouchPosition
    {
        -52, 0, 0, 76, -22, -2, 0,
        -56, 0, 0, 80, -22, 4, 0,
        10, 0, 0, 20, 12, 0,
        30, -26, -76, 40, 28, 0, 0,
        62, 24, 38, -32, 36, 0, 0,
        4, 30, -10},
};

void initPositions()
{
    for (int i = 0; i < nbPositionsMax; i++) {
        memset(&positionsDispo[i], 0, sizeof positionsDispo[i]);
        for (int b = 0; b < nbBoutonsPosition; b++) positionsDispo[i].boutons[b] = -2;
    }
}

SkiPosition* getPositionsDispo() { return positionsDispo; }

static int scorePosition(const int* boutons)
{
    int score = 0;
    for (int i = 0; i < boutonsComptes && boutons[i] != -1; i++) score += pointsParBouton * boutons[i];
    return score;
}

// Codes outside the trick buttons could never be matched, and would overflow the score.
static int boutonsValides(const int* boutons)
{
    for (int i = 0; i < nbBoutonsPosition; i++)
        if (boutons[i] < -1 || boutons[i] >= nbBoutonsPosition) return 0;
    return 1;
}

static int readPositionTokens(FILE* in, SkiPosition* p)
{
    char buffer[256];
    if (fscanf(in, "%255s", buffer) != 1) return 0;
    strcpy(p->name, buffer);
    for (int i = 0; i < nbBoutonsPosition; i++) {
        if (fscanf(in, "%255s", buffer) != 1) return 0;
        p->boutons[i] = atoi(buffer);
    }
    for (int i = 0; i < nbJointsPose; i++) {
        if (fscanf(in, "%255s", buffer) != 1) return 0;
        p->position[i] = (float)atof(buffer);
    }
    return 1;
}

int importPosition(const char* fileName, SkiPosition* p)
{
    FILE* in = openBoundedOrSay(fileName, CONTENT_FILE_BOUND);
    if (!in) {
        fprintf(stderr, "Can't open the trick pose %s\n", fileName);
        return 1;
    }
    // Read aside: a short file must not leave a half-filled trick that could be matched.
    SkiPosition read;
    memset(&read, 0, sizeof read);
    int complete = readPositionTokens(in, &read);
    fclose(in);
    if (!complete) {
        fprintf(stderr, "position %s refused: file ends too early\n", fileName);
        return 1;
    }
    if (!boutonsValides(read.boutons)) {
        fprintf(stderr, "position %s refused: trick buttons are 0 to 5, or -1 when free\n", fileName);
        return 1;
    }
    read.score = scorePosition(read.boutons);
    *p = read;
    return 0;
}

static int positionPath(const char* dir, int n, char* out, size_t size)
{
    int len = snprintf(out, size, "%s%d", dir, n);
    return len > 0 && (size_t)len < size;
}

int numberOfPositionsInDir(const char* dir)
{
    char path[1024];
    int n = 0;
    for (;; n++) {
        if (!positionPath(dir, n, path, sizeof path)) return n;
        FILE* f = openBoundedOrSay(path, CONTENT_FILE_BOUND);
        if (!f) return n;
        fclose(f);
    }
}

void loadPositions(const char* dir)
{
    initPositions();
    int count = numberOfPositionsInDir(dir);
    if (count > nbPositionsMax) count = nbPositionsMax;
    char path[1024];
    for (int i = 0; i < count; i++)
        if (positionPath(dir, i, path, sizeof path)) importPosition(path, &positionsDispo[i]);
}

void changePosition(RiderPose& pose, const float* angles)
{
    for (int i = 0; i < nbJointsPose; i++) pose.angles[i] = angles[i];
}

void changePositionDbl(float* dst, const float* src) { memmove(dst, src, nbJointsPose * sizeof(float)); }
void changePositionFakie(float* dst, const float* src) { memmove(dst, src, nbJointsPose * sizeof(float)); }

void lirePoseCourante(const RiderPose& pose, float* angles)
{
    for (int i = 0; i < nbJointsPose; i++) angles[i] = pose.angles[i];
}

static long long wholeDegrees(float angle)
{
    if (!(angle < plusGrandAngleAnime)) return (long long)plusGrandAngleAnime;
    return (long long)truncf(angle);
}

void animPosition(RiderPose& pose, const float* from, const float* to, float percent, int step)
{
    if (step < 1) step = 1;
    if (percent > 100) percent = 100;
    // Taken before the pose variables change, in case from or to is one of them.
    float start[nbJointsPose], target[nbJointsPose], d[nbJointsPose];
    memcpy(start, from, sizeof start);
    memcpy(target, to, sizeof target);
    changePosition(pose, start);
    for (int i = 0; i < nbJointsPose; i++) d[i] = fabsf(target[i] - start[i]);
    float longest = max37(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], d[9], d[10], d[11], d[12],
                          d[13], d[14], d[15], d[16], d[17], d[18], d[19], d[20], d[21], d[22], d[23], d[24],
                          d[25], d[26], d[27], d[28], d[29], d[30], d[31], d[32], d[33], d[34], d[35], d[36]);
    long long share = percent > 0 ? (long long)truncf(percent) : 0;
    long long passes = (wholeDegrees(longest) / step) * share / 100;
    for (int i = 0; i < nbJointsPose; i++) {
        long long steps = wholeDegrees(d[i]) / step;
        if (steps > passes) steps = passes;
        float s = start[i] > target[i] ? (float)-step : (float)step;
        pose.angles[i] = start[i] + s * (float)steps;
    }
}

void animPositionActu(RiderPose& pose, const float* to, float percent, int step)
{
    float current[nbJointsPose];
    lirePoseCourante(pose, current);
    animPosition(pose, current, to, percent, step);
}

// Groups end after the right leg, left leg, spine, right arm and left arm.
static int finDeGroupe(int i) { return i == 6 || i == 13 || i == 19 || i == 26 || i == 33; }

void printPositionCFile(const RiderPose& pose)
{
    float angles[nbJointsPose];
    lirePoseCourante(pose, angles);
    printf("//******** fichier C **********************\n");
    printf("static GLfloat position [37]={\n\n");
    for (int i = 0; i < nbJointsPose; i++) {
        if (i == nbJointsPose - 1) printf("%f\n", angles[i]);
        else if (finDeGroupe(i)) printf("%f,\n", angles[i]);
        else printf("%f, ", angles[i]);
    }
    printf("}\n");
}

void affichePosition(const RiderPose& pose)
{
    float angles[nbJointsPose];
    lirePoseCourante(pose, angles);
    for (int i = 0; i < nbJointsPose; i++) {
        if (i == 0) printf("posdeb: %f\n", angles[i]);
        else if (i == nbJointsPose - 1) printf("posfin: %f\n\n", angles[i]);
        else if (finDeGroupe(i)) printf("pos: %f\n\n", angles[i]);
        else printf("pos: %f\n", angles[i]);
    }
}
