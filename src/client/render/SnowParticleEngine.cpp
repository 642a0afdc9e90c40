// Snow spray emitter: particles born at the origin, slowed by gravity each frame, fading out.
#include <GL/gl.h>
#include <math.h>
#include <stdlib.h>

#include "platform/gameClock.h"
#include "render/SnowParticleEngine.h"
#include "render/graphImage.h"

SnowSprays snowSprays;

static const float BURST_GRAVITY_SCALE = 200.0f;
static const float BURST_SPEED[3] = {4, 8, 3};
static const float EYE_NEAR = 10.0f;  // closer than this a sprite is not drawn at all

SnowParticle::SnowParticle()
    : textured(0), alpha(0), x(0), y(0), z(0), bx(0), by(0), bz(0), vx(0), vy(0), vz(0), gx(0), gy(0), gz(0),
      size(0), texture(0)
{
}

void SnowParticle::setTexture(unsigned int t)
{
    texture = t;
    textured = 1;
}

float boundedSpriteSize(float size, float depth, float share)
{
    if (depth <= EYE_NEAR) return 0;
    return size < share * depth ? size : share * depth;
}

void SnowParticle::draw(float angle) { draw(angle, SPRAY_SCREEN_SHARE); }

// Depth before the eye of the point (0, y, 0) under the current modelview matrix.
static float eyeDepth(float y)
{
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    return -(m[6] * y + m[14]);
}

void SnowParticle::draw(float angle, float share)
{
    glPushMatrix();
    glColor4f(1, 1, 1, alpha);
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glEnable(GL_BLEND);
        glDisable(GL_LIGHTING);
        glBindTexture(GL_TEXTURE_2D, texture);
    }
    glTranslatef(0, 0, z);
    glTranslatef(x, 0, 0);
    glRotatef(-angle, 0, 1, 0);
    float h = boundedSpriteSize(size, eyeDepth(y), share) / 2;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-h, y - h, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-h, y + h, 0);
    glTexCoord2f(1, 1);
    glVertex3f(h, y + h, 0);
    glTexCoord2f(1, 0);
    glVertex3f(h, y - h, 0);
    glEnd();
    if (textured) {
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glEnable(GL_LIGHTING);
        glBlendFunc(GL_ONE, GL_ZERO);
    }
    glColor4f(1, 1, 1, 1);
    glPopMatrix();
}

SnowParticleEngine::SnowParticleEngine(int count_, short burst_, float ox, float oy, float oz, float sx, float sy,
                                       float sz, float gravityY, float fade_, float growth_, float spread_)
    : restartClock(1), count(count_), burst(burst_), continuousBurst(0), fade(fade_), growth(growth_),
      spread(spread_), continuousEmission(1), clockNow(0), clockPrev(0), dt(0), screenShare(SPRAY_SCREEN_SHARE)
{
    origin[0] = ox, origin[1] = oy, origin[2] = oz;
    baseSpeed[0] = sx, baseSpeed[1] = sy, baseSpeed[2] = sz;
    gravity[0] = 0, gravity[1] = gravityY, gravity[2] = 0;
    particles = new SnowParticle[count];
    initParticlesProps();
}

SnowParticleEngine::~SnowParticleEngine() { delete[] particles; }

float SnowParticleEngine::randomSpeedScaleGenerator()
{
    float r = (rand() % 10) * 0.1f;
    int sign = rand() % 4;
    return (sign == 2 || sign == 3) ? -r : r;
}

void SnowParticleEngine::initAParticle(SnowParticle* p)
{
    p->x = p->bx = origin[0];
    p->y = p->by = origin[1];
    p->z = p->bz = origin[2];
    p->vx = baseSpeed[0] + spread * randomSpeedScaleGenerator();
    p->vy = baseSpeed[1] + spread * randomSpeedScaleGenerator();
    p->vz = baseSpeed[2] + spread * randomSpeedScaleGenerator();
    p->gx = gravity[0], p->gy = gravity[1], p->gz = gravity[2];
    p->size = 0;
    p->alpha = 1.0f - fabsf(0.5f * randomSpeedScaleGenerator());
}

void SnowParticleEngine::initParticlesProps()
{
    for (int i = 0; i < count; i++) initAParticle(&particles[i]);
    restartClock = 1;
}

void SnowParticleEngine::setTexture(unsigned int t)
{
    for (int i = 0; i < count; i++) particles[i].setTexture(t);
}

static void speedUp(SnowParticle* p)
{
    p->vx *= BURST_SPEED[0];
    p->vy *= BURST_SPEED[1];
    p->vz *= BURST_SPEED[2];
}

void SnowParticleEngine::moveParticlesToNextFrameState(float speedFactor)
{
    if (held) return;
    if (restartClock) {
        clockPrev = gameClockLessPauses();
        restartClock = 0;
    } else {
        clockPrev = clockNow;
    }
    clockNow = gameClockLessPauses();
    dt = (clockNow - clockPrev) * 0.001;
    float g = burst ? BURST_GRAVITY_SCALE : 1.0f;
    for (int i = 0; i < count; i++) {
        SnowParticle* p = &particles[i];
        p->x += (float)(speedFactor * p->vx * dt);
        p->y += (float)(speedFactor * p->vy * dt);
        p->z += (float)(speedFactor * p->vz * dt);
        p->vx -= g * gravity[0];
        p->vy -= g * gravity[1];
        p->vz -= g * gravity[2];
        p->size = (1 - p->alpha) * speedFactor * growth;
        p->alpha -= fabsf(fade * randomSpeedScaleGenerator());
        if (continuousEmission && p->alpha < 0) {
            initAParticle(p);
            if (continuousBurst) speedUp(p);
        }
        if (burst) {
            initAParticle(p);
            speedUp(p);
        }
    }
    burst = 0;
}

int particleComp(const void* a, const void* b)
{
    SnowParticle* pa = (SnowParticle*)a;
    const SnowParticle* pb = (const SnowParticle*)b;
    if (pb->z > pa->z) return 1;
    if (pb->z < pa->z) return -1;
    // ties are pushed apart so the order stays stable from frame to frame
    pa->z = pb->z + 1.0f;
    return -1;
}

void SnowParticleEngine::sortParticlesToDraw() { qsort(particles, count, sizeof(SnowParticle), particleComp); }

void SnowParticleEngine::draw(float angle, float speedFactor, short backwards)
{
    moveParticlesToNextFrameState(speedFactor);
    sortParticlesToDraw();
    if (backwards)
        for (int i = count - 1; i >= 0; i--) particles[i].draw(angle, screenShare);
    else
        for (int i = 0; i < count; i++) particles[i].draw(angle, screenShare);
}

void createParticleEngines()
{
    snowSprays.particleEngineSkier = new SnowParticleEngine(20, 0, 0, 0, 0, 0, 200, -600, 55, 0.08f, 400, 200);
    snowSprays.particleEngineBomb = new SnowParticleEngine(2, 0, 0, 0, 0, 0, 400, 100, 420, 0.08f, 4000, 200);
    snowSprays.particleEngineBomb->setContinuousEmission(0);
    snowSprays.particleEngineBomb->setScreenShare(BOMB_SCREEN_SHARE);
    snowSprays.particleEngineSkier->setTexture(gameTextures.texGui[texGuiSnow]);
    snowSprays.particleEngineBomb->setTexture(gameTextures.texGui[texGuiSnow]);
    snowSprays.particleEngineSkier->initParticlesProps();
    snowSprays.particleEngineBomb->initParticlesProps();
}

void deleteParticleEngines()
{
    delete snowSprays.particleEngineSkier;
    delete snowSprays.particleEngineBomb;
    snowSprays.particleEngineSkier = snowSprays.particleEngineBomb = nullptr;
}
