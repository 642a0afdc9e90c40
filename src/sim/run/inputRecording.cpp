// Takes the buttons of each tick; returns them as spans of equal ticks, and gives them back tick by tick.
#include "run/inputRecording.h"

void clearInputRecording(InputRecording* rec)
{
    *rec = InputRecording();
}

int wholeInput(const InputRecording& rec) { return rec.ticks > 0 && rec.closed && !rec.full; }

unsigned short heldBits(const RunInput& in)
{
    unsigned bits = 0;
    for (int b = 0; b < RB_COUNT; b++)
        if (in.held[b]) bits |= 1u << b;
    return (unsigned short)bits;
}

void setHeldBits(unsigned short bits, RunInput* in)
{
    for (int b = 0; b < RB_COUNT; b++) in->held[b] = (bits >> b) & 1;
}

void appendHeldSpan(InputRecording* rec, unsigned short held, unsigned long ticks)
{
    if (ticks == 0) return;
    if (!rec->spans.empty() && rec->spans.back().held == held) rec->spans.back().ticks += ticks;
    else rec->spans.push_back({held, ticks});
    rec->ticks += ticks;
}

void recordTickInput(InputRecording* rec, unsigned short held, const RideConditions& now)
{
    if (rec->full || rec->closed) return;
    if (rec->ticks >= maxRecordedTicks) {
        rec->full = 1;
        return;
    }
    if (rec->ticks == 0) rec->ridden = now;
    appendHeldSpan(rec, held, 1);
}

void startInputCursor(InputCursor* c, const InputRecording& rec)
{
    c->rec = &rec;
    c->span = 0;
    c->inSpan = 0;
}

int nextTickInput(InputCursor* c, unsigned short* held)
{
    const std::vector<HeldSpan>& s = c->rec->spans;
    while (c->span < s.size() && c->inSpan >= s[c->span].ticks) {
        c->span++;
        c->inSpan = 0;
    }
    if (c->span >= s.size()) return 0;
    *held = s[c->span].held;
    c->inSpan++;
    return 1;
}
