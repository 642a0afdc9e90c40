// The sounds of a run frame's events, played after the frame.
#pragma once

#include "platform/soundLayer.h"
#include "run/runEvents.h"

void playRunEventSounds(const RunEventList& events);
// The sample an event plays (null for the effects-only events, and before the bank is loaded).
SndSample* runEventSample(RunEventKind kind);
