#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <sys/stat.h>

#include "skier/skierCar.h"
#include "skier/skierLib.h"
#include "support/modelTexts.h"
#include "support/testFiles.h"

static void putText(std::vector<unsigned char>& b, size_t at, const char* text)
{
    memcpy(b.data() + at, text, strlen(text));
}

static void putFloat(std::vector<unsigned char>& b, size_t at, float v)
{
    unsigned int u;
    memcpy(&u, &v, 4);
    for (int k = 0; k < 4; k++) b[at + k] = (unsigned char)(u >> (24 - 8 * k));
}

static std::vector<unsigned char> card(const char* nickname, float weight)
{
    std::vector<unsigned char> b(tailleFichierCarte, 0);
    putText(b, 0, "id-0042");
    putText(b, 256, nickname);
    putText(b, 512, "Tolvek Andersson");
    putFloat(b, 768, weight);
    putFloat(b, 772, 1.82f);
    putText(b, 776, "Norway");
    putFloat(b, 1032, 27.5f);
    return b;
}

TEST(SkierCard, FieldsAtTheirOffsetsBigEndian)
{
    TempDir dir;
    writeBytes(dir.file("t.car"), card("Tol", 71.25f));
    SkierCar c;
    ASSERT_EQ(0, importCarac(dir.file("t.car").c_str(), &c));
    EXPECT_STREQ("id-0042", c.id);
    EXPECT_STREQ("Tol", c.nickname);
    EXPECT_STREQ("Tolvek Andersson", c.name);
    EXPECT_FLOAT_EQ(71.25f, c.weight);
    EXPECT_FLOAT_EQ(1.82f, c.size);
    EXPECT_STREQ("Norway", c.country);
    EXPECT_FLOAT_EQ(27.5f, c.age);

    // A text of 255 characters and its NUL still fits.
    std::vector<unsigned char> full = card("x", 60);
    memset(full.data() + 776, 'N', 255);
    writeBytes(dir.file("full.car"), full);
    ASSERT_EQ(0, importCarac(dir.file("full.car").c_str(), &c));
    EXPECT_EQ(255u, strlen(c.country));
}

TEST(SkierCard, DamagedCardsLeaveThePreviousCard)
{
    TempDir dir;
    writeBytes(dir.file("good.car"), card("Good", 80));
    SkierCar c;
    ASSERT_EQ(0, importCarac(dir.file("good.car").c_str(), &c));

    std::vector<unsigned char> shortCard = card("Short", 50);
    shortCard.pop_back();
    std::vector<unsigned char> noNulName = card("NoNul", 50);
    memset(noNulName.data() + 512, 'a', 256);
    std::vector<unsigned char> noNulCountry = card("NoNul", 50);
    memset(noNulCountry.data() + 776, 'a', 256);
    const struct {
        const char* file;
        std::vector<unsigned char> bytes;
    } cases[] = {{"short.car", shortCard}, {"name.car", noNulName}, {"country.car", noNulCountry}};
    for (const auto& k : cases) {
        writeBytes(dir.file(k.file), k.bytes);
        testing::internal::CaptureStderr();
        EXPECT_EQ(1, importCarac(dir.file(k.file).c_str(), &c)) << k.file;
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(std::string::npos, err.find("Can't open " + dir.file(k.file))) << err;
        EXPECT_STREQ("Good", c.nickname) << k.file;
        EXPECT_FLOAT_EQ(80, c.weight) << k.file;
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(1, importCarac(dir.file("absent.car").c_str(), &c));
    EXPECT_EQ("Can't open " + dir.file("absent.car") + "\n", testing::internal::GetCapturedStderr());
    EXPECT_STREQ("Good", c.nickname);
}

// Runs the body in a scratch game directory and comes back.
class SkierRiderLoading : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, getcwd(back, sizeof back));
        ASSERT_EQ(0, chdir(dir.path().c_str()));
        mkdir("data", 0755);
        mkdir("data/models", 0755);
    }
    void TearDown() override { ASSERT_EQ(0, chdir(back)); }

    void rider(const std::string& name, const std::string& model, const std::vector<unsigned char>* carte)
    {
        std::string d = "data/models/" + name;
        mkdir(d.c_str(), 0755);
        if (!model.empty()) writeText(d + "/" + name + ".3d", model);
        if (carte) writeBytes(d + "/" + name + ".car", *carte);
    }

    TempDir dir;
    char back[1024];
};

TEST_F(SkierRiderLoading, BadRidersKeepThePreviousOne)
{
    std::vector<TestVertex> one = {{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}};
    std::vector<TestVertex> two = {{0, 0, 0, 3}, {1, 0, 0, 3}, {0, 1, 0, 3}, {0, 0, 1, 4}, {1, 0, 1, 4}, {0, 1, 1, 4}};
    std::vector<unsigned char> cardA = card("Alpha", 70), cardC = card("Gamma", 90);
    rider("alpha", riderModelText(one), &cardA);
    rider("beta", "", &cardC);                                           // no model
    rider("delta", riderModelText(one).substr(0, 80), &cardC);           // cut short
    rider("gamma", riderModelText(two, ":data:models:gamma:skin.bmp"), nullptr);  // no card

    ASSERT_EQ(0, chargeSkierGui("alpha"));
    EXPECT_EQ(3, playerRider.nbVertices);
    EXPECT_STREQ("Alpha", theTrasher->nickname);

    testing::internal::CaptureStderr();
    EXPECT_EQ(1, chargeSkierGui("beta"));
    EXPECT_EQ(1, chargeSkierGui("delta"));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, err.find("./data/models/beta/beta.3d")) << err;
    EXPECT_NE(std::string::npos, err.find("./data/models/delta/delta.3d")) << err;
    EXPECT_EQ(1, playerRider.nbMeshes);
    EXPECT_EQ(3, playerRider.nbVertices);
    EXPECT_EQ(22, playerRider.nbBones);
    EXPECT_STREQ("Alpha", theTrasher->nickname);

    // A rider without card rides with the previous card's weight.
    testing::internal::CaptureStderr();
    EXPECT_EQ(0, chargeSkierGui("gamma"));
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("gamma.car"));
    EXPECT_EQ(6, playerRider.nbVertices);
    EXPECT_EQ(0, materialTextureSkier(playerRider));
    EXPECT_FLOAT_EQ(70, theTrasher->weight);
}
