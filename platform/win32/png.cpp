#include "png.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>

#include <zlib.h>

namespace vornak::win32 {

namespace {

[[noreturn]] void refuse(const std::string& why)
{
    throw std::runtime_error("PNG: " + why);
}

uint32_t bigEndian(std::span<const unsigned char> b, size_t at)
{
    return static_cast<uint32_t>(b[at]) << 24 | static_cast<uint32_t>(b[at + 1]) << 16
         | static_cast<uint32_t>(b[at + 2]) << 8 | b[at + 3];
}

// The image data, one zlib stream, unpacked by zlib: exactly SIZE bytes, or
// refused.
std::vector<unsigned char> inflateZlib(std::span<const unsigned char> in, size_t size)
{
    std::vector<unsigned char> out(size);
    uLongf made = static_cast<uLongf>(size);
    uLong used = static_cast<uLong>(in.size());
    const int status = uncompress2(out.data(), &made, in.data(), &used);
    if (status != Z_OK)
        refuse(std::string("image data that cannot be unpacked (") + zError(status) + ")");
    if (made != size)
        refuse("less image data than the picture's size");
    return out;
}

int paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = p > a ? p - a : a - p, pb = p > b ? p - b : b - p, pc = p > c ? p - c : c - p;
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// The header's size into the pixels, checked.
void readHeader(std::span<const unsigned char> body, Pixels& p)
{
    if (body.size() != 13)
        refuse("a header of the wrong size");
    const uint32_t w = bigEndian(body, 0), h = bigEndian(body, 4);
    if (w == 0 || h == 0 || w > 4096 || h > 4096)
        refuse("a picture of " + std::to_string(w) + " x " + std::to_string(h) + " pixels");
    if (body[8] != 8 || body[9] != 2 || body[10] != 0 || body[11] != 0 || body[12] != 0)
        refuse("not 8 bits a channel of RGB, not interlaced");
    p.width = static_cast<int>(w);
    p.height = static_cast<int>(h);
}

// The chunks in order: the header into the pixels, the image data, still
// packed, returned; any other chunk that must be understood refused.
std::vector<unsigned char> readChunks(std::span<const unsigned char> file, Pixels& p)
{
    std::vector<unsigned char> data;
    bool header = false;
    for (size_t at = 8;;) {
        if (file.size() - at < 12)
            refuse("the file ends inside a chunk");
        const uint32_t length = bigEndian(file, at);
        if (length > file.size() - at - 12)
            refuse("a chunk longer than the file");
        const std::span<const unsigned char> type = file.subspan(at + 4, 4), body = file.subspan(at + 8, length);
        const std::string name(type.begin(), type.end());
        if (name == "IHDR") {
            readHeader(body, p);
            header = true;
        } else if (!header) {
            refuse("no header first");
        } else if (name == "IDAT") {
            data.insert(data.end(), body.begin(), body.end());
        } else if (name == "IEND") {
            return data;
        } else if (!(type[0] & 0x20)) {
            refuse("a chunk " + name + " that must be understood");
        }
        at += 12 + length;
    }
}

// The rows of RGB as their filters left them (each its filter's byte, then
// its differences), undone.
std::vector<unsigned char> unfiltered(const std::vector<unsigned char>& raw, size_t height, size_t stride)
{
    std::vector<unsigned char> rows(height * stride);
    for (size_t y = 0; y < height; ++y) {
        const unsigned char filter = raw[y * (stride + 1)];
        const unsigned char* in = &raw[y * (stride + 1) + 1];
        unsigned char* row = &rows[y * stride];
        const unsigned char* up = y ? row - stride : nullptr;
        for (size_t i = 0; i < stride; ++i) {
            const int a = i >= 3 ? row[i - 3] : 0, b = up ? up[i] : 0, c = up && i >= 3 ? up[i - 3] : 0;
            int predicted;
            switch (filter) {
            case 0: predicted = 0; break;
            case 1: predicted = a; break;
            case 2: predicted = b; break;
            case 3: predicted = (a + b) / 2; break;
            case 4: predicted = paeth(a, b, c); break;
            default: refuse("a row filter of an unknown kind");
            }
            row[i] = static_cast<unsigned char>(in[i] + predicted);
        }
    }
    return rows;
}

}  // namespace

Pixels readPng(std::span<const unsigned char> file)
{
    static constexpr unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(std::begin(signature), std::end(signature), file.begin()))
        refuse("not a PNG file");
    Pixels p;
    const std::vector<unsigned char> data = readChunks(file, p);
    const size_t width = static_cast<size_t>(p.width), height = static_cast<size_t>(p.height);
    const size_t stride = width * 3;
    const std::vector<unsigned char> rows = unfiltered(inflateZlib(data, height * (stride + 1)), height, stride);
    p.rgb.resize(width * height);
    for (size_t i = 0; i < p.rgb.size(); ++i)
        p.rgb[i] = static_cast<uint32_t>(rows[3 * i]) << 16 | static_cast<uint32_t>(rows[3 * i + 1]) << 8
                 | rows[3 * i + 2];
    return p;
}

}  // namespace vornak::win32
