#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "skier/Generic3dObject.h"
#include "skier/skierLib.h"
#include "support/modelTexts.h"
#include "support/testFiles.h"

// Two groups whose triangles index their own group from 0, one untextured and one textured
// material, and bones with a "sans" root, a named joint out of order and an unknown name.
static const char* twoGroupsText =
    "// MilkShape 3D ASCII\n\n\n"
    "Frames: 30\nFrame: 1\n\n"
    "Meshes: 2\n"
    "\"head\" 0 0\n"
    "3\n"
    "0 1.0 2.0 3.0 0.0 0.5 0\n"
    "0 4.0 5.0 6.0 1.0 0.5 0\n"
    "0 7.0 8.0 9.0 0.5 1.0 1\n"
    "1\n0.0 0.0 1.0\n"
    "1\n0 0 1 2 0 0 0 1\n"
    "\"legs\" 0x10 1\n"
    "4\n"
    "0 10 0 0 0 0 2\n"
    "0 11 0 0 0 0 2\n"
    "0 12 0 0 0 0 2\n"
    "0 13 0 0 0 0 2\n"
    "2\n1 0 0\n0 1 0\n"
    "2\n0 0 1 2 0 1 0 1\n0 3 2 1 1 1 1 1\n\n"
    "Materials: 2\n"
    "\"plain\"\n0.2 0.2 0.2 1\n0.8 0.8 0.8 1\n0 0 0 1\n0 0 0 1\n0\n1\n\"\"\n\"\"\n"
    "\"skin\"\n0.2 0.2 0.2 1\n0.7 0.6 0.5 1\n0 0 0 1\n0 0 0 1\n12\n1\n:data:models:x:skin.bmp\n\"\"\n\n"
    "Bones: 3\n"
    "jcoudedroite\nsans\n8 1 2 3 10 20 30\n0\n0\n"
    "jbassin\nsans\n8 0 0 0 0 0 0\n0\n0\n"
    "jquelconque\njbassin\n8 0 0 0 0 0 0\n0\n0\n";

static void loadRider(const std::string& path)
{
    reinitSkierData(playerRider);
    ASSERT_EQ(0, loadMs3d(playerRider, path.c_str()));
}

TEST(SkierModelLoad, GroupsMaterialsAndBonesAsWritten)
{
    TempDir dir;
    writeText(dir.file("two.3d"), twoGroupsText);
    loadRider(dir.file("two.3d"));

    EXPECT_EQ(30, playerRider.nbFrames);
    EXPECT_EQ(1, playerRider.currentFrame);
    ASSERT_EQ(2, playerRider.nbMeshes);
    EXPECT_STREQ("\"head\"", playerRider.meshes[0].name);
    EXPECT_EQ(16, playerRider.meshes[1].flag);  // integer read accepts 0x
    EXPECT_EQ(0, playerRider.meshes[0].firstVertex);
    EXPECT_EQ(3, playerRider.meshes[1].firstVertex);
    EXPECT_EQ(1, playerRider.meshes[1].firstNormale);
    EXPECT_EQ(1, playerRider.meshes[1].firstFace);
    EXPECT_EQ(7, playerRider.nbVertices);
    EXPECT_EQ(3, playerRider.nbFaces);

    // The second group's triangle 0 3 2 addresses that group's own vertices.
    const Face& f = playerRider.faces[playerRider.meshes[1].firstFace + 1];
    EXPECT_EQ(1, f.groupIndex);
    EXPECT_EQ(0, playerRider.faces[0].groupIndex);
    EXPECT_FLOAT_EQ(13, playerRider.vertices[playerRider.meshes[1].firstVertex + f.vertex1].x);
    EXPECT_EQ(2, playerRider.vertices[playerRider.meshes[1].firstVertex].boneId);

    ASSERT_EQ(2, playerRider.nbMaterials);
    EXPECT_STREQ("\"\"", playerRider.materials[0].texture);
    EXPECT_STREQ(":data:models:x:skin.bmp", playerRider.materials[1].texture);
    EXPECT_FLOAT_EQ(0.6f, playerRider.materials[1].diffuse[1]);
    EXPECT_FLOAT_EQ(12, playerRider.materials[1].shininess);
    EXPECT_EQ(1, materialTextureSkier(playerRider));

    ASSERT_EQ(3, playerRider.nbBones);
    EXPECT_EQ(19, playerRider.bones[0].number);
    EXPECT_EQ(-1, playerRider.bones[0].parent);
    EXPECT_EQ(0, playerRider.bones[1].number);
    EXPECT_EQ(-1, playerRider.bones[2].number);
    EXPECT_EQ(0, playerRider.bones[2].parent);
    EXPECT_FLOAT_EQ(0, playerRider.bones[0].rotation[2]);  // file rotations are not kept
    EXPECT_FLOAT_EQ(3, playerRider.bones[0].position[2]);
}

TEST(SkierModelLoad, JointNamesAreExactAndCaseSensitive)
{
    EXPECT_EQ(0, determineNumberBone("jbassin"));
    EXPECT_EQ(13, determineNumberBone("jsommettete"));
    EXPECT_EQ(21, determineNumberBone("jmaindroite"));
    EXPECT_EQ(-1, determineNumberBone("JBASSIN"));
    EXPECT_EQ(-1, determineNumberBone("jbassin2"));
    EXPECT_EQ(-1, determineNumberBone("sans"));
    EXPECT_EQ(12, litInt("12abc"));
    EXPECT_EQ(0, litInt("abc"));
    EXPECT_FLOAT_EQ(-2.5f, litFloat("-2.5"));
}

static std::string replaced(std::string s, const std::string& from, const std::string& to)
{
    size_t at = s.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos) s.replace(at, from.size(), to);
    return s;
}

static std::string manyVertices(int n)
{
    std::string s = std::to_string(n) + "\n";
    for (int i = 0; i < n; i++) s += "0 1 2 3 0 0 0\n";
    return s;
}

TEST(SkierModelLoad, RefusedFilesNameThemselvesAndKeepTheResidentRider)
{
    TempDir dir;
    writeText(dir.file("good.3d"), twoGroupsText);
    const std::string good = twoGroupsText;
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"truncated", good.substr(0, good.find("0 12 0 0"))},
        {"no bones", good.substr(0, good.find("Bones:"))},
        {"too many groups", replaced(good, "Meshes: 2", "Meshes: 101")},
        {"negative vertex count", replaced(good, "\"head\" 0 0\n3\n", "\"head\" 0 0\n-3\n")},
        {"too many vertices in all", replaced(good, "\"legs\" 0x10 1\n4\n0 10 0 0 0 0 2\n0 11 0 0 0 0 2\n"
                                                    "0 12 0 0 0 0 2\n0 13 0 0 0 0 2\n",
                                              "\"legs\" 0x10 1\n" + manyVertices(1998))},
        {"too many materials", replaced(good, "Materials: 2", "Materials: 41")},
        {"too many bones", replaced(good, "Bones: 3", "Bones: 101")},
        {"vertex outside group", replaced(good, "0 3 2 1 1 1 1 1", "0 4 2 1 1 1 1 1")},
        {"negative vertex index", replaced(good, "0 3 2 1 1 1 1 1", "0 -1 2 1 1 1 1 1")},
        {"normal outside group", replaced(good, "0 3 2 1 1 1 1 1", "0 3 2 1 2 1 1 1")},
        {"material outside table", replaced(good, "\"legs\" 0x10 1", "\"legs\" 0x10 2")},
        {"vertex bone outside bones", replaced(good, "0 13 0 0 0 0 2", "0 13 0 0 0 0 3")},
        {"parent outside bones", replaced(good, "jquelconque\njbassin", "jquelconque\njtete")},
        {"parent loop", replaced(good, "jcoudedroite\nsans", "jcoudedroite\njbassin")},
        {"key frames", replaced(good, "10 20 30\n0\n0", "10 20 30\n1\n0")},
        {"token too long", replaced(good, "\"skin\"", std::string(300, 'k'))},
    };
    for (const auto& c : cases) {
        loadRider(dir.file("good.3d"));
        std::string path = dir.file(std::string(c.what) + ".3d");
        writeText(path, c.text);
        testing::internal::CaptureStderr();
        EXPECT_EQ(1, loadMs3d(playerRider, path.c_str())) << c.what;
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(std::string::npos, err.find(path)) << c.what << ": " << err;
        EXPECT_EQ(2, playerRider.nbMeshes) << c.what;
        EXPECT_EQ(7, playerRider.nbVertices) << c.what;
        EXPECT_EQ(3, playerRider.nbBones) << c.what;
        EXPECT_FLOAT_EQ(13, playerRider.vertices[6].x) << c.what;
        EXPECT_STREQ(":data:models:x:skin.bmp", playerRider.materials[1].texture) << c.what;
    }
}

TEST(SkierModelLoad, MissingFileIsReportedNotFatal)
{
    TempDir dir;
    std::string path = dir.file("absent.3d");
    testing::internal::CaptureStderr();
    EXPECT_EQ(1, loadMs3d(playerRider, path.c_str()));
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find(path));
}

TEST(SkierModelLoad, CapacitiesThemselvesAreAccepted)
{
    TempDir dir;
    std::string text = "Frames: 1 Frame: 1 Meshes: 1 g 0 -1 " + manyVertices(2000) + "1 0 0 1 2000 ";
    for (int i = 0; i < 2000; i++) text += "0 0 1 2 0 0 0 0 ";
    text += "Materials: 0 Bones: 1 jbassin sans 0 0 0 0 0 0 0 0 0";
    writeText(dir.file("full.3d"), text);
    loadRider(dir.file("full.3d"));
    EXPECT_EQ(2000, playerRider.nbVertices);
    EXPECT_EQ(2000, playerRider.nbFaces);
    EXPECT_EQ(-1, materialTextureSkier(playerRider));
}

TEST(StaticObjectLoad, SameGrammarWithoutSkeleton)
{
    TempDir dir;
    writeText(dir.file("tree.3d"), twoGroupsText);
    auto obj = std::make_unique<Generic3DObject>();
    obj->init();
    ASSERT_EQ(0, obj->load(dir.file("tree.3d").c_str()));
    EXPECT_EQ(2, obj->nbMeshes);
    EXPECT_EQ(3, obj->listeMeshesObj[1].firstVertex);
    EXPECT_EQ(1, obj->listeFacesObj[2].groupIndex);
    EXPECT_EQ(3, obj->nbBones);
    EXPECT_EQ(0, obj->listeBonesObj[0].number);  // names are not looked up
    EXPECT_EQ(0, obj->listeBonesObj[0].parent);

    // Long track paths do not overflow the object's short name.
    std::string longName = dir.file(std::string(60, 'x') + ".3d");
    writeText(longName, twoGroupsText);
    obj->init();
    ASSERT_EQ(0, obj->load(longName.c_str()));
    EXPECT_EQ(39u, strlen(obj->nomFic));
}

TEST(StaticObjectLoad, RefusedObjectIsLeftEmpty)
{
    TempDir dir;
    std::string good = twoGroupsText;
    auto obj = std::make_unique<Generic3DObject>();
    std::string noBones = dir.file("nobones.3d");
    writeText(noBones, good.substr(0, good.find("Bones:")));
    obj->init();
    testing::internal::CaptureStderr();
    EXPECT_EQ(1, obj->load(noBones.c_str()));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, err.find("unable to find number of bones")) << err;
    EXPECT_NE(std::string::npos, err.find(noBones)) << err;
    EXPECT_EQ(0, obj->nbMeshes);
    EXPECT_EQ(0, obj->indexFaceDernierGroupe);

    // Object tables are smaller than the rider's.
    std::string big = dir.file("big.3d");
    writeText(big, "Frames: 1 Frame: 1 Meshes: 1 g 0 -1 " + manyVertices(501) + "0 0 Materials: 0 Bones: 0");
    obj->init();
    testing::internal::CaptureStderr();
    EXPECT_EQ(1, obj->load(big.c_str()));
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find(big));
    EXPECT_EQ(0, obj->nbMeshes);
}

TEST(StaticObjectLoadDeathTest, MissingFileEndsTheProgram)
{
    TempDir dir;
    std::string path = dir.file("rail.3d");
    Generic3DObject* obj = new Generic3DObject();
    obj->init();
    EXPECT_EXIT(obj->load(path.c_str()), testing::ExitedWithCode(2), "can't open .*rail.3d");
    delete obj;
}
