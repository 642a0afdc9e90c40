// Rescue: takes the rider's position, puts him back standing on the track at the nearest rescue point.
#include "track/rescue.h"

#include "run/runEvents.h"
#include "run/runState.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackModel.h"

void replaceSkierOperation()
{
    const TrackModel& track = loadedTrack;
    // A track without rescue points: the rider gets up where he is.
    int i = track.findFirstReplace(tickRun->motion.Xobjet, tickRun->motion.Yobjet, tickRun->motion.Zobjet);
    if (i >= 0 && i < maxReplacePoints) {
        tickRun->motion.Zobjet = track.replaceSkier[i][2];
        tickRun->motion.Xobjet = track.replaceSkier[i][0];
    }
    tickRun->phases.replacement = 1;
    tickRun->motion.vitessePrecedente = 0.0f;
    setXobjet_inc(tickRun->motion.Xobjet);
    tickRun->motion.Xprec = tickRun->rider.collision.xPrecCol = tickRun->motion.Xobjet;
    tickRun->rider.collision.zPrecCol = tickRun->motion.Zobjet;
    tickRun->orientation.angleCourant = placeObjetAndGetAngle(track.points, track.faces, tickRun->motion.Xobjet, tickRun->motion.Zobjet, maxTrackFaces, 0.0f, tickRun->orientation.faceUpVector);
    tickRun->motion.Yobjet = getYobjetCour();
    tickRun->phases.numFaceCour = getNumeroFaceCourante();
    tickRun->phases.angleFaceCour = 0.0f;
    tickRun->rider.collision.yPrecCol = tickRun->motion.Yobjet;
    setYobjetCour(tickRun->motion.Yobjet);
    tickRun->orientation.rotSkierY = 0.0f;
    tickRun->phases.chute = 0;
    emitRunEvent(RUN_EV_PUT_BACK);
}
