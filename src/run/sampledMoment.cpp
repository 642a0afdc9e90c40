// Takes one recorded sample; sets the run state and the rider's pose the drawing reads from it.
#include "run/sampledMoment.h"

#include "run/fall.h"
#include "run/runState.h"
#include "skier/positionDef.h"
#include "skier/skierLib.h"
#include "track/planLib.h"
#include "track/trackModel.h"

void placeRunAtSample(const RunSample& s, int finalScore)
{
    Xobjet = s.pos[0], Yobjet = s.pos[1], Zobjet = s.pos[2];
    rotSkierY = rotSkierYAvantSaut = s.yaw;
    rotSkierZ = s.pitch, rotSkierX = s.roll;
    angleCourant = angleDePlacementEffectif = s.lean;
    fakie = (s.flags & sampleFakie) != 0;
    chute = (s.flags & sampleFallen) != 0;
    rotationChute = s.tumble;
    setContact((s.flags & sampleContact) != 0);
    setNumeroFaceCourante(findCurrentFace(points, faces, Xobjet, Zobjet, (float)maxTrackFaces));
    setYobjetCour(Yobjet);
    changementContact = changementFakieSolRight = changementFakieSolLeft = 0;
    askForRescue = 0, replacement = 0, vitessePrecedente = 0, tempsChute = lyingTime;
    LETSGO = 0, DEPART = 1, skieurArrive = 0;
    totalTime = s.runTime;
    totalScore = finalScore;
    changePosition(s.pose);
    majRotationsBones();
    transformSkierEtat(s.lean, s.yaw, fakie, 1);
}
