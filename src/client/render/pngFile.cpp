// Takes pixels in memory; writes them as a PNG file.
#include "render/pngFile.h"

#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

static void putBig32(std::vector<unsigned char>& out, unsigned v)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((unsigned char)(v >> shift));
}

static void putChunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& body)
{
    putBig32(out, (unsigned)body.size());
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    putBig32(out, (unsigned)crc32(0, out.data() + start, (uInt)(out.size() - start)));
}

bool writePngFile(const std::string& path, int width, int height, int channels, const unsigned char* pixels,
                  int level, std::string& why)
{
    size_t rowBytes = (size_t)width * channels;
    std::vector<unsigned char> rows;
    rows.reserve((rowBytes + 1) * height);
    for (int y = 0; y < height; y++) {
        rows.push_back(0);  // no filter
        rows.insert(rows.end(), pixels + y * rowBytes, pixels + (y + 1) * rowBytes);
    }
    std::vector<unsigned char> packed(compressBound((uLong)rows.size()));
    uLongf packedSize = packed.size();
    if (compress2(packed.data(), &packedSize, rows.data(), (uLong)rows.size(), level) != Z_OK) {
        why = "can't compress the picture";
        return false;
    }
    packed.resize(packedSize);
    std::vector<unsigned char> head;
    putBig32(head, (unsigned)width);
    putBig32(head, (unsigned)height);
    unsigned char colourType = channels == 4 ? 6 : 2;  // RGBA or RGB
    head.insert(head.end(), {8, colourType, 0, 0, 0});  // 8 bits, deflate, no filter set, no interlace
    static const unsigned char SIGNATURE[8] = {137, 'P', 'N', 'G', '\r', '\n', 26, '\n'};
    std::vector<unsigned char> file(SIGNATURE, SIGNATURE + 8);
    putChunk(file, "IHDR", head);
    putChunk(file, "IDAT", packed);
    putChunk(file, "IEND", {});
    FILE* f = fopen(path.c_str(), "wb");
    bool ok = f && fwrite(file.data(), 1, file.size(), f) == file.size();
    int error = errno;
    if (f && fclose(f) != 0 && ok) ok = false, error = errno;
    if (!ok) why = strerror(error ? error : EIO);
    return ok;
}
