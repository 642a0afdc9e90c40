// Takes the trick keys held in the air; returns the combination, the trick pose and its points, and the air poses.
#include "run/trickInput.h"

#include <cstring>

#include "run/newton.h"
#include "run/physics.h"
#include "run/runFeedback.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "run/runTick.h"
#include "skier/positionDef.h"
#include "skier/skierLib.h"
#include "track/collision.h"
#include "track/planLib.h"

static const int noButton = -1;
static const int beforeFirst = -2;
static const int unmatchedTrickScore = 10;
static const float trickBlendStep = 25.0f;  // percent of a trick pose every 1/60 s
static const float takeOffBlendStart = 110.0f;
static const float armSwingLow = -42.0f;  // the arms swing a degree every 1/60 s between this and 0


void empileBouton(RunState& run, int code)
{
    if (run.trickKeys.indexPileBouton < 0 || run.trickKeys.indexPileBouton >= taillePreBuffer) run.trickKeys.indexPileBouton = taillePreBuffer - 1;
    run.trickKeys.preBufferBoutons[run.trickKeys.indexPileBouton] = code;
    if (run.trickKeys.indexPileBouton < taillePreBuffer - 1) run.trickKeys.indexPileBouton++;
}

void initBufferBoutons(RunState& run)
{
    for (int i = 0; i < nbBoutonsPosition; i++) run.trickKeys.bufferBoutons[i] = noButton;
    for (int i = 0; i < taillePreBuffer; i++) run.trickKeys.preBufferBoutons[i] = noButton;
}

void videPileBoutons(RunState& run)
{
    initBufferBoutons(run);
    run.trickKeys.indexPileBouton = 0;
}

void resetAirPoses(RunState& run)
{
    memset(run.pose.figureAerialCourante, 0, sizeof(float) * nbJointsPose);
    run.pose.rotBrasDroit = run.pose.rotBrasGauche = 0;
    run.pose.jeuRotBD = run.pose.jeuRotBG = -1;
}

void prepareBufferBoutons(RunState& run)
{
    short seen[nbBoutonsPosition] = {0, 0, 0, 0, 0, 0};
    int previous = beforeFirst, n = 0;
    for (int i = 0; i < taillePreBuffer; i++) {
        int code = run.trickKeys.preBufferBoutons[i];
        if (code == noButton) break;
        if (code >= 0 && code < nbBoutonsPosition && seen[code]) break;
        if (code != previous && n < nbBoutonsPosition) run.trickKeys.bufferBoutons[n++] = code;
        if (code >= 0 && code < nbBoutonsPosition) seen[code] = 1;
        previous = code;
    }
    for (int i = n; i < nbBoutonsPosition; i++) run.trickKeys.bufferBoutons[i] = noButton;
}

int thereIsTrickButtonsPressed(const RunState& run)
{
    for (int i = 0; i < nbBoutonsPosition; i++)
        if (run.trickKeys.bufferBoutons[i] != noButton) return 1;
    return 0;
}

int compareBoutons(const RunState& run, int* boutons)
{
    for (int i = 0; i < nbBoutonsPosition; i++)
        if (boutons[i] != run.trickKeys.bufferBoutons[i]) return 0;
    return 1;
}

int recherchePosition(const RunState& run)
{
    SkiPosition* p = getPositionsDispo();
    for (int i = 0; i < nbPositionsMax; i++)
        if (compareBoutons(run, p[i].boutons)) return i;
    return -1;
}

static const float* fakieCopy(const RunState& run, float* buf, const float* normal, const float* fakieVariant)
{
    if (!run.phases.fakie) return normal;
    changePositionFakie(buf, fakieVariant);
    return buf;
}

const float* fakieOrNotNorm(const RunState& run, float* buf) { return fakieCopy(run, buf, builtInPoses.normalPosition, builtInPoses.fakiePosition); }
const float* fakieOrNotDroite(const RunState& run, float* buf) { return fakieCopy(run, buf, builtInPoses.virDroitePosition, builtInPoses.virFakieDroitePosition); }
const float* fakieOrNotGauche(const RunState& run, float* buf) { return fakieCopy(run, buf, builtInPoses.virGauchePosition, builtInPoses.virFakieGauchePosition); }
const float* fakieOrNotCrouch(const RunState& run, float* buf) { return fakieCopy(run, buf, builtInPoses.normalCrouchPosition, builtInPoses.fakieCrouchPosition); }
const float* fakieOrNotSJ(const RunState& run) { return run.phases.fakie ? builtInPoses.simpleJumpFakie : builtInPoses.simpleJump; }
const float* fakieOrNotReception(const RunState& run) { return run.phases.fakie ? builtInPoses.fakieReceptionPosition : builtInPoses.receptionPosition; }
const float* fakieOrNotOG(RunState& run) { return fakieCopy(run, run.pose.posInterFak, builtInPoses.oneGrabPosition, builtInPoses.oneGrabPosition); }
const float* fakieOrNotPos(RunState& run, const float* pose) { return fakieCopy(run, run.pose.posInterFak, pose, pose); }

static int keyOfTrick(const RunState& run, int k)
{
    return runHeld(run, (RunButton)(RB_TRICK1 + k));
}

void trickInputStep(RunState& run)
{
    int air = getContact(run) != 1;
    videPileBoutons(run);
    if (air)
        for (int k = 0; k < nbBoutonsPosition; k++)
            if (keyOfTrick(run, k)) empileBouton(run, k);
    prepareBufferBoutons(run);
    run.told.trickHeld = -1;
    if (!air) return;
    if (!thereIsTrickButtonsPressed(run)) {
        videPileBoutons(run);
        return;
    }
    int i = recherchePosition(run);
    run.told.trickHeld = i;
    if (i == -1) {
        changePositionDbl(run.pose.figureAerialCourante, fakieOrNotOG(run));
        run.scores.figScore = unmatchedTrickScore;
    } else {
        changePositionDbl(run.pose.figureAerialCourante, fakieOrNotPos(run, getPositionsDispo()[i].position));
        run.scores.figScore = getPositionsDispo()[i].score;
    }
}

static void blendIntoFigure(RunState& run, const float* target)
{
    run.tricks.deroulementFigureSJ = 0;
    run.tricks.animationFigureFinieSJ = 0;
    if (!run.tricks.animationFigureFinie) run.tricks.deroulementFigure += perTunedStep(trickBlendStep);
    animPosition(run.pose, fakieOrNotSJ(run), target, run.tricks.deroulementFigure);
    if (run.tricks.deroulementFigure > 99) run.tricks.animationFigureFinie = 1;
}

static void swingArm(float& counter, int& direction)
{
    if (counter <= armSwingLow) direction = 1;
    if (counter >= 0) direction = -1;
    counter += direction * perTunedStep(1.0f);
}

static void backToJumpPose(RunState& run)
{
    if (run.tricks.figureEnCours) {
        run.tricks.deroulementFigureSJ = takeOffBlendStart;
        run.tricks.figureEnCours = 0;
    }
    if (!run.tricks.animationFigureFinieSJ) run.tricks.deroulementFigureSJ += perTunedStep(trickBlendStep);
    if (run.rider.collision.usingYRail) animPosition(run.pose, builtInPoses.grindPosition, builtInPoses.grindPosition, run.tricks.deroulementFigureSJ);
    else animPosition(run.pose, run.pose.figureAerialCourante, fakieOrNotSJ(run), run.tricks.deroulementFigureSJ);
    if (run.tricks.deroulementFigureSJ > 99) run.tricks.animationFigureFinieSJ = 1;
    run.tricks.deroulementFigure = 0;
    run.tricks.animationFigureFinie = 0;
    swingArm(run.pose.rotBrasDroit, run.pose.jeuRotBD);
    swingArm(run.pose.rotBrasGauche, run.pose.jeuRotBG);
    plusRotEpauleXL(run.pose, -run.pose.rotBrasDroit);
    plusRotEpauleXR(run.pose, -run.pose.rotBrasGauche);
}

void airPoseSteps(RunState& run)
{
    int tricks = thereIsTrickButtonsPressed(run);
    if (getContact(run) == 1) {
        // the arms swing from straight again at the next jump
        run.pose.rotBrasDroit = run.pose.rotBrasGauche = 0;
        return;
    }
    if (tricks && !run.rider.collision.usingYRail) {
        blendIntoFigure(run, run.pose.figureAerialCourante);
        addJumpPoints(run, run.scores.figScore * run.timing.diffTemps);
    } else if (run.rider.collision.usingYRail) {
        blendIntoFigure(run, builtInPoses.grindPosition);
    }
    if (!tricks) backToJumpPose(run);
}
