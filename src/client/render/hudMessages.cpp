// Takes the pickups of the run's ticks and the drawing's time; gives how long "BONUS!" and
// "Explosive!" still show.
#include "render/guistuff.h"

static const float BONUS_SECONDS = 1.0f;  // the same at any frame rate

HudState hudState;

void startBonusMessage(BonusMessage* m) { m->secondsLeft = BONUS_SECONDS; }

short bonusMessageShown(const BonusMessage& m) { return m.secondsLeft > 0; }

void ageBonusMessage(BonusMessage* m, float seconds)
{
    if (m->secondsLeft <= 0) return;
    m->secondsLeft -= seconds;
    if (m->secondsLeft < 0) m->secondsLeft = 0;
}
