// Tree, bomb and rail models: any text is refused or read within the object's tables.
#include "fuzzInput.h"
#include "skier/Generic3dObject.h"

static Generic3DObject model;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    model.load(fuzzInputFile(data, size, ".3d"));
    return 0;
}
