// Takes one recorded sample; sets the run state and the rider's pose the drawing reads from it.
#include "run/sampledMoment.h"

#include "run/fall.h"
#include "run/runState.h"
#include "skier/positionDef.h"
#include "skier/skierLib.h"
#include "track/planLib.h"
#include "track/trackModel.h"

void placeRunAtSample(RunState& run, const TrackModel& track, const RunSample& s, int finalScore)
{
    run.motion.Xobjet = s.pos[0], run.motion.Yobjet = s.pos[1], run.motion.Zobjet = s.pos[2];
    run.orientation.rotSkierY = run.orientation.rotSkierYAvantSaut = s.yaw;
    run.orientation.rotSkierZ = s.pitch, run.orientation.rotSkierX = s.roll;
    run.orientation.angleCourant = run.orientation.angleDePlacementEffectif = s.lean;
    run.phases.fakie = (s.flags & sampleFakie) != 0;
    run.phases.chute = (s.flags & sampleFallen) != 0;
    run.phases.rotationChute = s.tumble;
    setContact(run, (s.flags & sampleContact) != 0);
    setNumeroFaceCourante(run, findCurrentFace(track.points, track.faces, run.motion.Xobjet, run.motion.Zobjet, (float)maxTrackFaces));
    setYobjetCour(run, run.motion.Yobjet);
    run.phases.changementContact = run.phases.changementFakieSolRight = run.phases.changementFakieSolLeft = 0;
    run.phases.askForRescue = 0, run.phases.replacement = 0, run.motion.vitessePrecedente = 0, run.phases.tempsChute = lyingTime;
    run.timing.LETSGO = 0, run.timing.DEPART = 1, run.motion.skieurArrive = 0;
    run.timing.totalTime = s.runTime;
    run.scores.totalScore = finalScore;
    changePosition(run.pose, s.pose);
    majRotationsBones(run.pose, riddenModel());
    transformSkierEtat(run.pose, riddenModel(), s.lean, s.yaw, run.phases.fakie, 1);
}
