#include "platform/soundLayer.h"

const SoundDevice* soundDevice = allegroSoundDevice();

void setSoundDevice(const SoundDevice* device)
{
    soundDevice = device ? device : allegroSoundDevice();
}
