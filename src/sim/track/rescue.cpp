// Rescue: takes the rider's position, puts him back standing on the track at the nearest rescue point.
#include "track/rescue.h"

#include "run/runEvents.h"
#include "run/runState.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackModel.h"

void replaceSkierOperation(RunState& run, const TrackModel& track)
{
    // A track without rescue points: the rider gets up where he is.
    int i = track.findFirstReplace(run.motion.Xobjet, run.motion.Yobjet, run.motion.Zobjet);
    if (i >= 0 && i < maxReplacePoints) {
        run.motion.Zobjet = track.replaceSkier[i][2];
        run.motion.Xobjet = track.replaceSkier[i][0];
    }
    run.phases.replacement = 1;
    run.motion.vitessePrecedente = 0.0f;
    setXobjet_inc(run, run.motion.Xobjet);
    run.motion.Xprec = run.rider.collision.xPrecCol = run.motion.Xobjet;
    run.rider.collision.zPrecCol = run.motion.Zobjet;
    run.orientation.angleCourant = placeObjetAndGetAngle(run.rider.ground, track.points, track.faces, run.motion.Xobjet, run.motion.Zobjet, maxTrackFaces, 0.0f, run.orientation.faceUpVector);
    run.motion.Yobjet = getYobjetCour(run);
    run.phases.numFaceCour = getNumeroFaceCourante(run);
    run.phases.angleFaceCour = 0.0f;
    run.rider.collision.yPrecCol = run.motion.Yobjet;
    setYobjetCour(run, run.motion.Yobjet);
    run.orientation.rotSkierY = 0.0f;
    run.phases.chute = 0;
    emitRunEvent(run, RUN_EV_PUT_BACK);
}
