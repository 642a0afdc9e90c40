// Rescue: takes the rider's position, puts him back standing on the track at the nearest rescue point.
#include "track/rescue.h"

#include "run/runEvents.h"
#include "run/runState.h"
#include "track/collision.h"
#include "track/planLib.h"
#include "track/trackModel.h"

void replaceSkierOperation()
{
    // A track without rescue points: the rider gets up where he is.
    int i = findFirstReplace(Xobjet, Yobjet, Zobjet);
    if (i >= 0 && i < maxReplacePoints) {
        Zobjet = replaceSkier[i][2];
        Xobjet = replaceSkier[i][0];
    }
    replacement = 1;
    vitessePrecedente = 0.0f;
    setXobjet_inc(Xobjet);
    Xprec = riderState.collision.xPrecCol = Xobjet;
    riderState.collision.zPrecCol = Zobjet;
    angleCourant = placeObjetAndGetAngle(points, faces, Xobjet, Zobjet, maxTrackFaces, 0.0f, faceUpVector);
    Yobjet = getYobjetCour();
    numFaceCour = getNumeroFaceCourante();
    angleFaceCour = 0.0f;
    riderState.collision.yPrecCol = Yobjet;
    setYobjetCour(Yobjet);
    rotSkierY = 0.0f;
    chute = 0;
    emitRunEvent(RUN_EV_PUT_BACK);
}
