// A rider recipe as read from recipes/riders/NAME.rider, and the colour areas of the rider's texture.
#pragma once

#include "modelBuilder.h"

#include <string>

const int RIDER_TEXTURE_SIZE = 128;
const int RIDER_REGIONS_PER_SIDE = 4;

// Texture regions, one colour area each, in rows of four from the texture's bottom.
enum Region { JACKET, ACCENT, PANTS, SKIN, FACE, HELMET, GOGGLES, GLOVES, BOOTS, SKIS, POLES, WOOL, HAIR, EYES,
              RIDER_COLOURS };

struct RiderRecipe {
    std::string id, nickname, name, country, headwear = "helmet", gear;
    float weight = 70, size = 1.75f, age = 25, build = 1.0f;
    float colours[RIDER_COLOURS][3] = {};
};

UvRect riderRegion(Region r);
// A joint's rotation centre, or for the joints that have none, where the file places it.
Vec3 riderJoint(int j);
// Limbs, body, hands, head and face, skis and poles, every vertex bound to its joint.
void buildRiderBody(ModelBuilder& m, const RiderRecipe& r);
// The 128 x 128 texture: each region's colour with its folds, seams and painted light.
void writeRiderSkin(const std::string& path, const RiderRecipe& r);
