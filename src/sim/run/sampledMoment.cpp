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
    tickRun->motion.Xobjet = s.pos[0], tickRun->motion.Yobjet = s.pos[1], tickRun->motion.Zobjet = s.pos[2];
    tickRun->orientation.rotSkierY = tickRun->orientation.rotSkierYAvantSaut = s.yaw;
    tickRun->orientation.rotSkierZ = s.pitch, tickRun->orientation.rotSkierX = s.roll;
    tickRun->orientation.angleCourant = tickRun->orientation.angleDePlacementEffectif = s.lean;
    tickRun->phases.fakie = (s.flags & sampleFakie) != 0;
    tickRun->phases.chute = (s.flags & sampleFallen) != 0;
    tickRun->phases.rotationChute = s.tumble;
    setContact((s.flags & sampleContact) != 0);
    const TrackModel& track = loadedTrack;
    setNumeroFaceCourante(findCurrentFace(track.points, track.faces, tickRun->motion.Xobjet, tickRun->motion.Zobjet, (float)maxTrackFaces));
    setYobjetCour(tickRun->motion.Yobjet);
    tickRun->phases.changementContact = tickRun->phases.changementFakieSolRight = tickRun->phases.changementFakieSolLeft = 0;
    tickRun->phases.askForRescue = 0, tickRun->phases.replacement = 0, tickRun->motion.vitessePrecedente = 0, tickRun->phases.tempsChute = lyingTime;
    tickRun->timing.LETSGO = 0, tickRun->timing.DEPART = 1, tickRun->motion.skieurArrive = 0;
    tickRun->timing.totalTime = s.runTime;
    tickRun->scores.totalScore = finalScore;
    changePosition(s.pose);
    majRotationsBones(riddenModel());
    transformSkierEtat(riddenModel(), s.lean, s.yaw, tickRun->phases.fakie, 1);
}
