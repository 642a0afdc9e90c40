#include "support/trackFiles.h"

#include <cstdio>
#include <cstring>

#include "support/planeTrack.h"
#include "track/trackModel.h"

static void putBigEndian(std::vector<unsigned char>& b, unsigned int u)
{
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back((unsigned char)(u >> shift));
}

std::vector<unsigned char> TrackFileBuilder::binary(std::vector<size_t>* boundaries) const
{
    std::vector<unsigned char> b(256, 0);
    memcpy(b.data(), title.c_str(), title.size() < 255 ? title.size() : 255);
    if (boundaries) boundaries->push_back(b.size());
    for (const auto& section : sections) {
        for (const TrackValue& v : section) {
            unsigned int u;
            if (v.isFloat)
                memcpy(&u, &v.f, 4);
            else
                u = (unsigned int)v.i;
            putBigEndian(b, u);
        }
        if (boundaries) boundaries->push_back(b.size());
    }
    return b;
}

std::string TrackFileBuilder::text(std::vector<size_t>* boundaries) const
{
    std::string t = title + "\n";
    if (boundaries) boundaries->push_back(t.size());
    char buf[64];
    for (const auto& section : sections) {
        for (const TrackValue& v : section) {
            if (v.isFloat)
                snprintf(buf, sizeof buf, "%.9g ", v.f);
            else
                snprintf(buf, sizeof buf, "%d ", v.i);
            t += buf;
        }
        t += "\n";
        if (boundaries) boundaries->push_back(t.size());
    }
    return t;
}

static void addHeader(TrackFileBuilder& b, int viewValue)
{
    // value 1, values 2-4, 5-7, 8-10, 11-13, as the file groups them
    b.begin();
    b.addInt(11);
    b.begin();
    for (int i = 0; i < 3; i++) b.addFloat(2.5f + i);
    b.begin();
    for (int i = 0; i < 3; i++) b.addInt(5 + i);
    b.begin();
    for (int i = 0; i < 3; i++) b.addFloat(-8.25f - i);
    b.begin();
    b.addInt(11);
    b.addInt(12);
    b.addInt(viewValue);
    b.begin();
    b.addInt(4);  // bombs
    b.begin();
    for (float c : {0.9f, 0.8f, 0.7f}) b.addFloat(c);
    b.begin();
    for (float c : {0.95f, 0.96f, 1.0f}) b.addFloat(c);
    b.begin();
    b.addFloat(1500.0f);
    b.addFloat(330000.0f);
}

static void addMesh(TrackFileBuilder& b)
{
    const TrackModel& track = loadedTrack;
    b.begin();
    b.addInt(maxTrackVertices);
    b.begin();
    for (int i = 0; i < maxTrackVertices; i++)
        for (int k = 0; k < 3; k++) b.addFloat(track.points[i][k]);
    b.begin();
    b.addInt(maxTrackFaces);
    b.begin();
    for (int i = 0; i < maxTrackFaces; i++)
        for (int k = 0; k < 3; k++) b.addInt((int)track.faces[i][k]);
    b.begin();
    b.addInt(maxTrackVertices);
    b.begin();
    for (int i = 0; i < maxTrackVertices; i++) {
        b.addFloat(0.1f * (i % 7));
        b.addFloat(0.97f);
        b.addFloat(-0.003f * (i % 11));
    }
    b.begin();
    b.addInt(maxTrackFaces);
    b.begin();
    for (int i = 0; i < maxTrackFaces; i++) {
        for (int k = 0; k < 6; k++) b.addFloat((i % 5) * 0.25f + k * 0.125f);
        b.addInt(i % 13);
        b.addInt(i % 7);
    }
}

static void addObstaclesAndRescue(TrackFileBuilder& b)
{
    const int nbObstacles = 40;
    b.begin();
    b.addInt(nbObstacles);
    b.begin();
    for (int i = 0; i < nbObstacles; i++) {
        b.addFloat(3000.0f + 1000.0f * i);
        b.addFloat(-300.5f * i);
        b.addFloat((i % 9 - 4) * 400.0f);
        b.addInt(-99999 + i);
        b.addInt(i % 4);
        b.addInt(70000 + i);  // only the low 16 bits are kept
        b.addInt(1);
        b.addFloat(200.0f + i);
    }
    const int nbRescue = 5;
    b.begin();
    b.addInt(nbRescue);
    b.begin();
    for (int i = 0; i < nbRescue; i++) {
        b.addFloat(1000.0f + 60000.0f * i);
        b.addFloat(-1.0f * i);
        b.addFloat(100.0f * i);
    }
}

TrackFileBuilder planeTrackFileBuilder(int viewValue)
{
    buildPlaneTrack(false);
    TrackFileBuilder b;
    b.title = "Plane_Track";
    addHeader(b, viewValue);
    addMesh(b);
    addObstaclesAndRescue(b);
    return b;
}
