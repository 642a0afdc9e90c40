// pad.map: any text gives a pad map whose every binding the mapping can look up safely.
#include <string>

#include "shell/padMap.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    PadMap m;
    std::string complaints;
    int bad = readPadMapText((const char*)data, size, m, complaints);
    if (bad < 0 || (bad > 0) != !complaints.empty()) __builtin_trap();
    for (const auto& action : m.bind)
        for (const PadBinding& b : action) {
            if (b.kind == PB_BUTTON && (b.index < 0 || b.index >= PAD_MAX_BUTTONS)) __builtin_trap();
            if (b.kind == PB_AXIS && (b.index < 0 || b.index >= PAD_MAX_AXES || (b.sign != 1 && b.sign != -1)))
                __builtin_trap();
            if (b.kind != PB_NONE && b.kind != PB_BUTTON && b.kind != PB_AXIS) __builtin_trap();
        }
    return 0;
}
