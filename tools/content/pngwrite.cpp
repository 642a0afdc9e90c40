// Takes an RGBA picture in memory and writes it as a PNG file through the game's own writer.
#include "content.h"

#include "render/pngFile.h"

int writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba)
{
    std::string why;
    if (writePngFile(path, width, height, 4, rgba.data(), 9, why)) return 0;
    contentError("Can't write %s: %s", path.c_str(), why.c_str());
    return 1;
}
