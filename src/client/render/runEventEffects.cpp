// Takes the run frame's events and the spray drift; starts and stops the snow emitters and the traces,
// and the pickups' messages.
#include "render/runEventEffects.h"

#include "render/SnowParticleEngine.h"
#include "render/guistuff.h"
#include "render/skiTraces.h"
#include "run/runState.h"
#include "shell/playerRun.h"

long bombBlastTicks = -1;
static const long BLAST_TICKS = 100;  // how long a bomb's blast is seen

static void skierSnow(RunEventKind kind)
{
    SnowParticleEngine* e = snowSprays.particleEngineSkier;
    if (!e) return;
    if (kind == RUN_EV_LANDING || kind == RUN_EV_SPRAY_BURST) e->setBurst(1);
    if (kind == RUN_EV_SPRAY_STOP || kind == RUN_EV_PUT_BACK) e->setBurst(0);
    if (kind == RUN_EV_PUT_BACK) e->initParticlesProps();
}

static void bombSnow()
{
    if (!snowSprays.particleEngineBomb) return;
    snowSprays.particleEngineBomb->initParticlesProps();
    snowSprays.particleEngineBomb->setBurst(1);
}

void applyRunEventEffects(const RunEventList& events)
{
    if (bombBlastTicks >= 0 && ++bombBlastTicks > BLAST_TICKS) bombBlastTicks = -1;
    for (int i = 0; i < events.count; i++) {
        RunEventKind kind = events.items[i].kind;
        if (kind == RUN_EV_PUT_BACK) skiTraces.reset();
        if (kind == RUN_EV_BOMB_FIRED) bombSnow(), bombBlastTicks = 0;
        if (kind == RUN_EV_COLLECTABLE) startBonusMessage(&hudState.collectableMessage);
        if (kind == RUN_EV_BOMB_PICKED) startBonusMessage(&hudState.bombMessage);
        skierSnow(kind);
    }
    if (!snowSprays.particleEngineSkier) return;
    snowSprays.particleEngineSkier->setXGravity(shownRun().phases.sprayDrift);
    snowSprays.particleEngineSkier->setContinuousBurst(shownRun().phases.sprayDrift != 0.0f);
}
