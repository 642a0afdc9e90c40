// Takes an RGBA picture in memory and writes it as a PNG file (8 bits a channel, deflated by zlib).
#include "content.h"

#include <zlib.h>

#include <cstdio>

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

int writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba)
{
    std::vector<unsigned char> rows;
    for (int y = 0; y < height; y++) {
        rows.push_back(0); // no filter
        rows.insert(rows.end(), rgba.begin() + (size_t)y * width * 4, rgba.begin() + (size_t)(y + 1) * width * 4);
    }
    std::vector<unsigned char> packed(compressBound((uLong)rows.size()));
    uLongf packedSize = packed.size();
    if (compress2(packed.data(), &packedSize, rows.data(), (uLong)rows.size(), 9) != Z_OK) {
        contentError("Can't compress %s", path.c_str());
        return 1;
    }
    packed.resize(packedSize);
    std::vector<unsigned char> header;
    putBig32(header, (unsigned)width);
    putBig32(header, (unsigned)height);
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no filter set, no interlace
    static const unsigned char SIGNATURE[8] = {137, 'P', 'N', 'G', '\r', '\n', 26, '\n'};
    std::vector<unsigned char> file(SIGNATURE, SIGNATURE + 8);
    putChunk(file, "IHDR", header);
    putChunk(file, "IDAT", packed);
    putChunk(file, "IEND", {});
    FILE* f = fopen(path.c_str(), "wb");
    bool ok = f && fwrite(file.data(), 1, file.size(), f) == file.size();
    if (f) ok = fclose(f) == 0 && ok;
    if (!ok) contentError("Can't write %s", path.c_str());
    return ok ? 0 : 1;
}
