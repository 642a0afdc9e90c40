// Snow spray of the skis and the burst of a bomb: a small sprite emitter.
#pragma once

class SnowParticle {
public:
    short textured;
    float alpha;
    float x, y, z;
    float bx, by, bz;
    float vx, vy, vz;
    float gx, gy, gz;
    float size;
    unsigned int texture;

    SnowParticle();
    void setTexture(unsigned int t);
    void draw(float angle);
    // As draw(angle), the sprite's side kept within `share` of its distance from the eye.
    void draw(float angle, float share);
};

// Largest share of its distance from the eye a spray sprite's side may take, so that a burst near the
// camera stays a puff instead of covering the picture; the bomb's burst may be bigger.
const float SPRAY_SCREEN_SHARE = 0.12f;
const float BOMB_SCREEN_SHARE = 0.45f;
// A sprite's side bounded by share x its depth before the eye; 0 when it is at the eye or behind it.
float boundedSpriteSize(float size, float depth, float share);

class SnowParticleEngine {
public:
    short restartClock;
    short held = 0;  // a paused replay: the spray stands still, and takes up its clock afresh after
    int count;
    short burst;
    short continuousBurst;
    float origin[3];
    float baseSpeed[3];
    float gravity[3];
    float fade;
    float growth;
    float spread;
    short continuousEmission;
    SnowParticle* particles;
    long clockNow, clockPrev;
    double dt;
    float screenShare;  // bound of each sprite's side, see boundedSpriteSize

    SnowParticleEngine(int count, short burst, float ox, float oy, float oz, float sx, float sy, float sz,
                       float gravityY, float fade, float growth, float spread);
    ~SnowParticleEngine();
    SnowParticleEngine(const SnowParticleEngine&) = delete;
    SnowParticleEngine& operator=(const SnowParticleEngine&) = delete;

    void initParticlesProps();
    void initAParticle(SnowParticle* p);
    void setTexture(unsigned int t);
    void setBurst(short b) { burst = b; }
    void setContinuousBurst(short b) { continuousBurst = b; }
    void setXGravity(float g) { gravity[0] = g; }
    void setContinuousEmission(short e) { continuousEmission = e; }
    void setScreenShare(float s) { screenShare = s; }
    void hold(short h)
    {
        if (held && !h) restartClock = 1;
        held = h;
    }
    void moveParticlesToNextFrameState(float speedFactor);
    void sortParticlesToDraw();
    void draw(float angle, float speedFactor, short backwards);
    void draw(float angle, float speedFactor) { draw(angle, speedFactor, 0); }
    static float randomSpeedScaleGenerator();
};

// The two sprays, made together by createParticleEngines (null before and after).
struct SnowSprays {
    SnowParticleEngine* particleEngineSkier = nullptr;  // under the rider's skis
    SnowParticleEngine* particleEngineBomb = nullptr;   // a bomb's burst
};
extern SnowSprays snowSprays;

// qsort comparator: decreasing z, ties pushed apart by 1.0
int particleComp(const void* a, const void* b);

// The game loop's start-up and exit: new / delete of both emitters (given texGui slot 8).
void createParticleEngines();
void deleteParticleEngines();
