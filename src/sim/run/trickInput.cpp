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


void empileBouton(int code)
{
    if (tickRun->trickKeys.indexPileBouton < 0 || tickRun->trickKeys.indexPileBouton >= taillePreBuffer) tickRun->trickKeys.indexPileBouton = taillePreBuffer - 1;
    tickRun->trickKeys.preBufferBoutons[tickRun->trickKeys.indexPileBouton] = code;
    if (tickRun->trickKeys.indexPileBouton < taillePreBuffer - 1) tickRun->trickKeys.indexPileBouton++;
}

void initBufferBoutons()
{
    for (int i = 0; i < nbBoutonsPosition; i++) tickRun->trickKeys.bufferBoutons[i] = noButton;
    for (int i = 0; i < taillePreBuffer; i++) tickRun->trickKeys.preBufferBoutons[i] = noButton;
}

void videPileBoutons()
{
    initBufferBoutons();
    tickRun->trickKeys.indexPileBouton = 0;
}

void resetAirPoses()
{
    memset(tickRun->pose.figureAerialCourante, 0, sizeof(float) * nbJointsPose);
    tickRun->pose.rotBrasDroit = tickRun->pose.rotBrasGauche = 0;
    tickRun->pose.jeuRotBD = tickRun->pose.jeuRotBG = -1;
}

void prepareBufferBoutons()
{
    short seen[nbBoutonsPosition] = {0, 0, 0, 0, 0, 0};
    int previous = beforeFirst, n = 0;
    for (int i = 0; i < taillePreBuffer; i++) {
        int code = tickRun->trickKeys.preBufferBoutons[i];
        if (code == noButton) break;
        if (code >= 0 && code < nbBoutonsPosition && seen[code]) break;
        if (code != previous && n < nbBoutonsPosition) tickRun->trickKeys.bufferBoutons[n++] = code;
        if (code >= 0 && code < nbBoutonsPosition) seen[code] = 1;
        previous = code;
    }
    for (int i = n; i < nbBoutonsPosition; i++) tickRun->trickKeys.bufferBoutons[i] = noButton;
}

int thereIsTrickButtonsPressed()
{
    for (int i = 0; i < nbBoutonsPosition; i++)
        if (tickRun->trickKeys.bufferBoutons[i] != noButton) return 1;
    return 0;
}

int compareBoutons(int* boutons)
{
    for (int i = 0; i < nbBoutonsPosition; i++)
        if (boutons[i] != tickRun->trickKeys.bufferBoutons[i]) return 0;
    return 1;
}

int recherchePosition()
{
    SkiPosition* p = getPositionsDispo();
    for (int i = 0; i < nbPositionsMax; i++)
        if (compareBoutons(p[i].boutons)) return i;
    return -1;
}

static const float* fakieCopy(float* buf, const float* normal, const float* fakieVariant)
{
    if (!tickRun->phases.fakie) return normal;
    changePositionFakie(buf, fakieVariant);
    return buf;
}

const float* fakieOrNotNorm(float* buf) { return fakieCopy(buf, builtInPoses.normalPosition, builtInPoses.fakiePosition); }
const float* fakieOrNotDroite(float* buf) { return fakieCopy(buf, builtInPoses.virDroitePosition, builtInPoses.virFakieDroitePosition); }
const float* fakieOrNotGauche(float* buf) { return fakieCopy(buf, builtInPoses.virGauchePosition, builtInPoses.virFakieGauchePosition); }
const float* fakieOrNotCrouch(float* buf) { return fakieCopy(buf, builtInPoses.normalCrouchPosition, builtInPoses.fakieCrouchPosition); }
const float* fakieOrNotSJ() { return tickRun->phases.fakie ? builtInPoses.simpleJumpFakie : builtInPoses.simpleJump; }
const float* fakieOrNotReception() { return tickRun->phases.fakie ? builtInPoses.fakieReceptionPosition : builtInPoses.receptionPosition; }
const float* fakieOrNotOG() { return fakieCopy(tickRun->pose.posInterFak, builtInPoses.oneGrabPosition, builtInPoses.oneGrabPosition); }
const float* fakieOrNotPos(const float* pose) { return fakieCopy(tickRun->pose.posInterFak, pose, pose); }

static int keyOfTrick(int k)
{
    return runHeld((RunButton)(RB_TRICK1 + k));
}

void trickInputStep()
{
    int air = getContact() != 1;
    videPileBoutons();
    if (air)
        for (int k = 0; k < nbBoutonsPosition; k++)
            if (keyOfTrick(k)) empileBouton(k);
    prepareBufferBoutons();
    tickRun->told.trickHeld = -1;
    if (!air) return;
    if (!thereIsTrickButtonsPressed()) {
        videPileBoutons();
        return;
    }
    int i = recherchePosition();
    tickRun->told.trickHeld = i;
    if (i == -1) {
        changePositionDbl(tickRun->pose.figureAerialCourante, fakieOrNotOG());
        tickRun->scores.figScore = unmatchedTrickScore;
    } else {
        changePositionDbl(tickRun->pose.figureAerialCourante, fakieOrNotPos(getPositionsDispo()[i].position));
        tickRun->scores.figScore = getPositionsDispo()[i].score;
    }
}

static void blendIntoFigure(const float* target)
{
    tickRun->tricks.deroulementFigureSJ = 0;
    tickRun->tricks.animationFigureFinieSJ = 0;
    if (!tickRun->tricks.animationFigureFinie) tickRun->tricks.deroulementFigure += perTunedStep(trickBlendStep);
    animPosition(fakieOrNotSJ(), target, tickRun->tricks.deroulementFigure);
    if (tickRun->tricks.deroulementFigure > 99) tickRun->tricks.animationFigureFinie = 1;
}

static void swingArm(float& counter, int& direction)
{
    if (counter <= armSwingLow) direction = 1;
    if (counter >= 0) direction = -1;
    counter += direction * perTunedStep(1.0f);
}

static void backToJumpPose()
{
    if (tickRun->tricks.figureEnCours) {
        tickRun->tricks.deroulementFigureSJ = takeOffBlendStart;
        tickRun->tricks.figureEnCours = 0;
    }
    if (!tickRun->tricks.animationFigureFinieSJ) tickRun->tricks.deroulementFigureSJ += perTunedStep(trickBlendStep);
    if (tickRun->rider.collision.usingYRail) animPosition(builtInPoses.grindPosition, builtInPoses.grindPosition, tickRun->tricks.deroulementFigureSJ);
    else animPosition(tickRun->pose.figureAerialCourante, fakieOrNotSJ(), tickRun->tricks.deroulementFigureSJ);
    if (tickRun->tricks.deroulementFigureSJ > 99) tickRun->tricks.animationFigureFinieSJ = 1;
    tickRun->tricks.deroulementFigure = 0;
    tickRun->tricks.animationFigureFinie = 0;
    swingArm(tickRun->pose.rotBrasDroit, tickRun->pose.jeuRotBD);
    swingArm(tickRun->pose.rotBrasGauche, tickRun->pose.jeuRotBG);
    plusRotEpauleXL(-tickRun->pose.rotBrasDroit);
    plusRotEpauleXR(-tickRun->pose.rotBrasGauche);
}

void airPoseSteps()
{
    int tricks = thereIsTrickButtonsPressed();
    if (getContact() == 1) {
        // the arms swing from straight again at the next jump
        tickRun->pose.rotBrasDroit = tickRun->pose.rotBrasGauche = 0;
        return;
    }
    if (tricks && !tickRun->rider.collision.usingYRail) {
        blendIntoFigure(tickRun->pose.figureAerialCourante);
        addJumpPoints(tickRun->scores.figScore * tickRun->timing.diffTemps);
    } else if (tickRun->rider.collision.usingYRail) {
        blendIntoFigure(builtInPoses.grindPosition);
    }
    if (!tricks) backToJumpPose();
}
