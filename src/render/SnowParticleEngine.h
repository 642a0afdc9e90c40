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
};

class SnowParticleEngine {
public:
    short restartClock;
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
    void moveParticlesToNextFrameState(float speedFactor);
    void sortParticlesToDraw();
    void draw(float angle, float speedFactor, short backwards);
    void draw(float angle, float speedFactor) { draw(angle, speedFactor, 0); }
    static float randomSpeedScaleGenerator();
};

extern SnowParticleEngine* particleEngineSkier;
extern SnowParticleEngine* particleEngineBomb;

// qsort comparator: decreasing z, ties pushed apart by 1.0
int particleComp(const void* a, const void* b);

// The game loop's start-up and exit: new / delete of both emitters (given texGui slot 8).
void createParticleEngines();
void deleteParticleEngines();
