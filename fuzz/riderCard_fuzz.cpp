// Rider cards: any bytes are refused or give a card whose texts are terminated.
#include <cstring>

#include "fuzzInput.h"
#include "skier/skierCar.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    SkierCar card;
    memset(&card, 0, sizeof card);
    if (importCarac(fuzzInputFile(data, size), &card) == 0) {
        const char* texts[] = {card.id, card.nickname, card.name, card.country};
        for (const char* t : texts)
            if (strnlen(t, tailleTexteCarte) == (size_t)tailleTexteCarte) __builtin_trap();
    }
    return 0;
}
