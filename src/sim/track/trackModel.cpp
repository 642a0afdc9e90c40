// The game's loaded track, a track model's empty lists and the choice of a rescue point for a position.
#include "track/trackModel.h"

#include "core/graphicLib.h"

TrackModel loadedTrack;

void TrackModel::initObstacles()
{
    for (int i = 0; i < maxObstacles; i++) {
        ObstacleRecord& o = containerObstacles[i];
        o.x = o.y = o.z = emptyObstacleCoord;
        o.reservedLong = -99999;
        o.type = obstacleSapin;
        o.reservedA = 0;
        o.reservedB = 1;
        o.reservedFloat = 200.0f;
    }
}

void TrackModel::initReplaceSkier()
{
    for (int i = 0; i < maxReplacePoints; i++)
        replaceSkier[i][0] = replaceSkier[i][1] = replaceSkier[i][2] = emptyObstacleCoord;
}

short isObstacleListEnd(const ObstacleRecord& o)
{
    return o.x == emptyObstacleCoord && o.y == emptyObstacleCoord && o.z == emptyObstacleCoord;
}

int TrackModel::findFirstReplace(float x, float y, float z) const
{
    float best = -1.0f;
    int result = 0;
    for (int i = 0; i < maxReplacePoints; i++) {
        const float* p = replaceSkier[i];
        if (p[0] == emptyObstacleCoord) break;
        if (p[0] > x) continue;
        float d = computeDistance(x, y, z, p[0], p[1], p[2]);
        if (best < 0 || d <= best) {
            best = d;
            result = i;
        } else {
            break;
        }
    }
    if (best >= 0) return result;
    // A rider above every point (a fall just past the start) goes to the first one, the nearest down the
    // track, not to the last one by the finish; an empty list gives -1, "where he is".
    return replaceSkier[0][0] == emptyObstacleCoord ? -1 : 0;
}
