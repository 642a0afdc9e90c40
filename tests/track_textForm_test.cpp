// Both forms of a track file: the same track loads identically, damaged files of either form are refused.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fileio/swapthings.h"
#include "shell/prefs.h"
#include "support/testFiles.h"
#include "support/trackFiles.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"

namespace {

// Everything a load writes, compared value by value (obstacle records have padding).
struct ModelSnapshot {
    std::string title;
    std::vector<float> floats;
    std::vector<unsigned int> ints;

    static ModelSnapshot take(const TrackModel& track = loadedTrack)
    {
        ModelSnapshot s;
        s.title = track.nomPiste;
        s.floats.assign(&track.points[0][0], &track.points[0][0] + 3 * maxTrackVertices);
        s.floats.insert(s.floats.end(), &track.normalesPiste[0][0], &track.normalesPiste[0][0] + 3 * maxTrackVertices);
        s.floats.insert(s.floats.end(), &track.replaceSkier[0][0], &track.replaceSkier[0][0] + 3 * maxReplacePoints);
        for (float v : {track.rgbSpotR, track.rgbSpotG, track.rgbSpotB, track.rgbNeigeR, track.rgbNeigeG, track.rgbNeigeB, track.depart, track.arrivee})
            s.floats.push_back(v);
        s.ints.assign(&track.faces[0][0], &track.faces[0][0] + 3 * maxTrackFaces);
        for (const TexData& t : track.textures) {
            for (int k = 0; k < 6; k++) s.floats.push_back((&t.coord[0][0])[k]);
            s.ints.push_back(t.texIndex);
            s.ints.push_back(t.surface);
        }
        for (const ObstacleRecord& o : track.containerObstacles) {
            for (float v : {o.x, o.y, o.z, o.reservedFloat}) s.floats.push_back(v);
            for (int v : {o.reservedLong, o.type, (int)o.reservedA, (int)o.reservedB})
                s.ints.push_back(v);
        }
        s.ints.push_back(track.bombsQty);
        return s;
    }
    bool operator==(const ModelSnapshot& o) const
    {
        return title == o.title && floats == o.floats && ints == o.ints;
    }
};

void scramble()
{
    TrackModel& track = loadedTrack;
    memset(track.points, 0x5a, sizeof track.points);
    memset(track.normalesPiste, 0x11, sizeof track.normalesPiste);
    memset(track.faces, 0, sizeof track.faces);
    memset(track.textures, 0x22, sizeof track.textures);
    for (ObstacleRecord& o : track.containerObstacles) o.x = 1;
    track.nomPiste[0] = 0;
    track.bombsQty = -1;
}

struct TrackForms : ::testing::Test {
    TempDir dir;
    TrackFileBuilder builder = planeTrackFileBuilder(2);
    std::string binPath = dir.file("plane.btrk");
    std::string txtPath = dir.file("plane.trk");
    void SetUp() override { storeByteOrder(0); }
    int loadBinary(const std::vector<unsigned char>& b)
    {
        writeBytes(binPath, b);
        return importTrackFromBinaryFile(loadedTrack, binPath.c_str());
    }
    int loadText(const std::string& t)
    {
        writeText(txtPath, t);
        return importTrackFromTextFile(loadedTrack, txtPath.c_str());
    }
};

TEST_F(TrackForms, BinaryAndTextFormsLoadIdentically)
{
    const TrackModel& track = loadedTrack;
    viewChoice = 1;
    scramble();
    ASSERT_EQ(loadBinary(builder.binary()), trackLoadOk);
    ModelSnapshot fromBinary = ModelSnapshot::take();
    EXPECT_EQ(viewChoice, 1);  // the binary header has no effect
    EXPECT_EQ(fromBinary.title, "Plane_Track");
    EXPECT_EQ(track.bombsQty, 4);
    EXPECT_EQ(track.containerObstacles[5].reservedA, (short)(70005 & 0xffff));
    EXPECT_EQ(track.containerObstacles[39].type, obstacleRail);
    EXPECT_TRUE(isObstacleListEnd(track.containerObstacles[40]));
    EXPECT_EQ(track.replaceSkier[5][0], emptyObstacleCoord);

    scramble();
    ASSERT_EQ(loadText(builder.text()), trackLoadOk);
    EXPECT_TRUE(ModelSnapshot::take() == fromBinary);
    EXPECT_EQ(viewChoice, 2);
}

TEST_F(TrackForms, FilesCutAtEverySectionBoundaryAreRefused)
{
    std::vector<size_t> binCuts, txtCuts;
    std::vector<unsigned char> bin = builder.binary(&binCuts);
    std::string txt = builder.text(&txtCuts);
    ASSERT_EQ(binCuts.size(), 22u);
    ASSERT_EQ(loadBinary(bin), trackLoadOk);
    ModelSnapshot loaded = ModelSnapshot::take();
    viewChoice = 3;
    binCuts.back()--;  // the full file, one byte short
    txtCuts.back() = txt.rfind(' ', txt.size() - 3);  // without the last value
    binCuts.insert(binCuts.begin(), 0);
    txtCuts.insert(txtCuts.begin(), 0);
    for (size_t cut : binCuts) {
        EXPECT_EQ(loadBinary(std::vector<unsigned char>(bin.begin(), bin.begin() + cut)), trackLoadCorrupt) << cut;
        EXPECT_EQ(loadBinary(std::vector<unsigned char>(bin.begin(), bin.begin() + cut / 2)), trackLoadCorrupt)
            << cut / 2;
    }
    for (size_t i = 0; i + 1 < txtCuts.size(); i++) {
        EXPECT_EQ(loadText(txt.substr(0, txtCuts[i])), trackLoadCorrupt) << txtCuts[i];
        // a cut inside a section, on a token boundary
        size_t mid = txt.find(' ', (txtCuts[i] + txtCuts[i + 1]) / 2);
        if (mid < txtCuts[i + 1]) EXPECT_EQ(loadText(txt.substr(0, mid)), trackLoadCorrupt) << mid;
    }
    EXPECT_TRUE(ModelSnapshot::take() == loaded);
    EXPECT_EQ(viewChoice, 3);
}

// The builder's sections: 0-8 header, then the counts at 9, 11, 13, 15, 17 and 19, each followed
// by its records (faces at 12).
TEST_F(TrackForms, CountsOverTheCapacitiesAndBadIndicesAreRefusedInBothForms)
{
    struct Change {
        size_t section, value;
        int to;
    };
    const Change changes[] = {
        {9, 0, maxTrackVertices + 1}, {11, 0, maxTrackFaces + 1}, {13, 0, maxTrackVertices + 1},
        {15, 0, maxTrackFaces + 1},   {17, 0, maxObstacles + 1},  {19, 0, maxReplacePoints + 1},
        {12, 7, maxTrackVertices},    {12, 8, -1},
    };
    ASSERT_EQ(loadBinary(builder.binary()), trackLoadOk);
    ModelSnapshot loaded = ModelSnapshot::take();
    for (const Change& c : changes) {
        TrackFileBuilder bad = builder;
        bad.sections[c.section][c.value].i = c.to;
        EXPECT_EQ(loadBinary(bad.binary()), trackLoadCorrupt) << c.section;
        EXPECT_EQ(loadText(bad.text()), trackLoadCorrupt) << c.section;
    }
    EXPECT_TRUE(ModelSnapshot::take() == loaded);
}

TEST_F(TrackForms, TextTokensThatAreNoNumbersOrTooLongAreRefused)
{
    ASSERT_EQ(loadText(builder.text()), trackLoadOk);
    ModelSnapshot loaded = ModelSnapshot::take();
    std::string txt = builder.text();
    std::string notANumber = txt;
    notANumber.replace(notANumber.find("\n4 \n"), 4, "\nfour \n");  // the bomb count
    EXPECT_EQ(loadText(notANumber), trackLoadCorrupt);
    EXPECT_EQ(loadText(std::string(300, 'x') + txt.substr(txt.find('\n'))), trackLoadCorrupt);
    EXPECT_TRUE(ModelSnapshot::take() == loaded);
    EXPECT_EQ(importTrackFromTextFile(loadedTrack, dir.file("missing.trk").c_str()), trackLoadCantOpen);
    EXPECT_EQ(importTrackFromBinaryFile(loadedTrack, dir.file("missing.btrk").c_str()), trackLoadCantOpen);
}

TEST_F(TrackForms, NegativeCountsMeanNoRecords)
{
    const TrackModel& track = loadedTrack;
    TrackFileBuilder none = builder;
    none.sections[17] = {{false, -3, 0}};
    none.sections[18].clear();
    none.sections[19] = {{false, 0, 0}};
    none.sections[20].clear();
    ASSERT_EQ(loadText(none.text()), trackLoadOk);
    EXPECT_TRUE(isObstacleListEnd(track.containerObstacles[0]));
    EXPECT_EQ(track.replaceSkier[0][0], emptyObstacleCoord);
    EXPECT_EQ(track.findFirstReplace(5000, 0, 0), -1);
}

}  // namespace
