#include "png.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace vornak::win32 {

namespace {

[[noreturn]] void refuse(const std::string& why)
{
    throw std::runtime_error("PNG: " + why);
}

uint32_t bigEndian(std::span<const unsigned char> b, size_t at)
{
    return static_cast<uint32_t>(b[at]) << 24 | static_cast<uint32_t>(b[at + 1]) << 16 | static_cast<uint32_t>(b[at + 2]) << 8
         | b[at + 3];
}

// --- Inflate (RFC 1951) -----------------------------------------------------

// The bits of a deflate stream, least significant first.
class Bits {
public:
    explicit Bits(std::span<const unsigned char> in) : in_(in) {}

    unsigned take(int n)
    {
        while (count_ < n) {
            if (at_ >= in_.size())
                refuse("the image data ends too soon");
            held_ |= static_cast<uint32_t>(in_[at_++]) << count_;
            count_ += 8;
        }
        const unsigned v = held_ & ((1u << n) - 1);
        held_ >>= n;
        count_ -= n;
        return v;
    }
    // To the next whole byte, as a stored block starts.
    void align()
    {
        held_ = 0;
        count_ = 0;
    }
    unsigned char byte()
    {
        if (at_ >= in_.size())
            refuse("the image data ends too soon");
        return in_[at_++];
    }
    size_t position() const { return at_; }

private:
    std::span<const unsigned char> in_;
    size_t at_ = 0;
    uint32_t held_ = 0;
    int count_ = 0;
};

// A canonical Huffman code: how many codes of each length, and the symbols
// in the order of their codes.
struct Code {
    std::array<uint16_t, 16> count{};
    std::array<uint16_t, 320> symbol{};
};

Code makeCode(const uint8_t* lengths, int n)
{
    Code c;
    for (int s = 0; s < n; ++s)
        ++c.count[lengths[s]];
    c.count[0] = 0;
    int left = 1;  // codes of the current length still free
    for (int len = 1; len < 16; ++len) {
        left = (left << 1) - c.count[len];
        if (left < 0)
            refuse("a Huffman code with more codes than it has room for");
    }
    std::array<uint16_t, 16> offset{};
    for (int len = 1; len < 15; ++len)
        offset[len + 1] = static_cast<uint16_t>(offset[len] + c.count[len]);
    for (int s = 0; s < n; ++s)
        if (lengths[s])
            c.symbol[offset[lengths[s]]++] = static_cast<uint16_t>(s);
    return c;
}

int decode(Bits& bits, const Code& c)
{
    int code = 0, first = 0, index = 0;
    for (int len = 1; len < 16; ++len) {
        code |= static_cast<int>(bits.take(1));
        const int count = c.count[len];
        if (code - first < count)
            return c.symbol[static_cast<size_t>(index + code - first)];
        index += count;
        first = (first + count) << 1;
        code <<= 1;
    }
    refuse("a code that is none of its Huffman table's");
}

constexpr uint16_t kLengthBase[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31,
                                    35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[] = {1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129,
                                      193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class Inflater {
public:
    Inflater(std::span<const unsigned char> in, size_t limit) : bits_(in), limit_(limit) {}

    std::vector<unsigned char> run()
    {
        bool last = false;
        while (!last) {
            last = bits_.take(1) != 0;
            switch (bits_.take(2)) {
            case 0: stored(); break;
            case 1: fixed(); break;
            case 2: dynamic(); break;
            default: refuse("a deflate block of an unknown kind");
            }
        }
        return std::move(out_);
    }
    size_t consumed() const { return bits_.position(); }

private:
    void put(unsigned char b)
    {
        if (out_.size() >= limit_)
            refuse("more image data than the picture's size");
        out_.push_back(b);
    }

    void stored()
    {
        bits_.align();
        unsigned len = bits_.byte();
        len |= bits_.byte() << 8;
        unsigned nlen = bits_.byte();
        nlen |= bits_.byte() << 8;
        if ((len ^ 0xFFFFu) != nlen)
            refuse("a stored block whose length does not check");
        for (unsigned i = 0; i < len; ++i)
            put(bits_.byte());
    }

    void fixed()
    {
        static const std::pair<Code, Code> codes = [] {
            uint8_t lengths[288 + 30];
            for (int s = 0; s < 288; ++s)
                lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
            for (int s = 0; s < 30; ++s)
                lengths[288 + s] = 5;
            return std::pair{makeCode(lengths, 288), makeCode(lengths + 288, 30)};
        }();
        symbols(codes.first, codes.second);
    }

    void dynamic()
    {
        const int nlen = static_cast<int>(bits_.take(5)) + 257;
        const int ndist = static_cast<int>(bits_.take(5)) + 1;
        const int ncode = static_cast<int>(bits_.take(4)) + 4;
        if (nlen > 286 || ndist > 30)
            refuse("a dynamic block with too many codes");
        static constexpr uint8_t order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
        uint8_t lengths[286 + 30] = {};
        for (int i = 0; i < ncode; ++i)
            lengths[order[i]] = static_cast<uint8_t>(bits_.take(3));
        const Code lencode = makeCode(lengths, 19);
        for (int i = 0; i < nlen + ndist;) {
            const int symbol = decode(bits_, lencode);
            if (symbol < 16) {
                lengths[i++] = static_cast<uint8_t>(symbol);
                continue;
            }
            uint8_t value = 0;
            int repeat;
            if (symbol == 16) {
                if (i == 0)
                    refuse("a length repeated before any was given");
                value = lengths[i - 1];
                repeat = 3 + static_cast<int>(bits_.take(2));
            } else if (symbol == 17) {
                repeat = 3 + static_cast<int>(bits_.take(3));
            } else {
                repeat = 11 + static_cast<int>(bits_.take(7));
            }
            if (i + repeat > nlen + ndist)
                refuse("code lengths past the end of their table");
            while (repeat--)
                lengths[i++] = value;
        }
        if (lengths[256] == 0)
            refuse("a dynamic block with no end");
        symbols(makeCode(lengths, nlen), makeCode(lengths + nlen, ndist));
    }

    void symbols(const Code& lengths, const Code& distances)
    {
        for (;;) {
            const int symbol = decode(bits_, lengths);
            if (symbol < 256) {
                put(static_cast<unsigned char>(symbol));
                continue;
            }
            if (symbol == 256)
                return;
            const int l = symbol - 257;
            if (l >= 29)
                refuse("a length code out of range");
            const size_t length = kLengthBase[l] + bits_.take(kLengthExtra[l]);
            const int d = decode(bits_, distances);
            if (d >= 30)
                refuse("a distance code out of range");
            const size_t distance = kDistanceBase[d] + bits_.take(kDistanceExtra[d]);
            if (distance > out_.size())
                refuse("a distance back past the start of the data");
            for (size_t i = 0; i < length; ++i)
                put(out_[out_.size() - distance]);
        }
    }

    Bits bits_;
    size_t limit_;
    std::vector<unsigned char> out_;
};

// A zlib stream (RFC 1950): its header, the deflate data, its Adler-32.
std::vector<unsigned char> inflateZlib(std::span<const unsigned char> in, size_t size)
{
    if (in.size() < 6)
        refuse("no image data");
    if ((in[0] & 0x0F) != 8 || (in[0] >> 4) > 7 || (in[0] << 8 | in[1]) % 31 != 0 || (in[1] & 0x20))
        refuse("image data that is not a zlib stream");
    Inflater inflater(in.subspan(2), size);
    std::vector<unsigned char> out = inflater.run();
    const size_t end = 2 + inflater.consumed();
    if (end + 4 > in.size())
        refuse("the image data ends before its checksum");
    uint32_t a = 1, b = 0;
    for (const unsigned char c : out) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    if ((b << 16 | a) != bigEndian(in, end))
        refuse("image data whose checksum does not match");
    return out;
}

int paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = p > a ? p - a : a - p, pb = p > b ? p - b : b - p, pc = p > c ? p - c : c - p;
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

}  // namespace

Pixels readPng(std::span<const unsigned char> file)
{
    static constexpr unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(std::begin(signature), std::end(signature), file.begin()))
        refuse("not a PNG file");
    Pixels p;
    std::vector<unsigned char> data;
    bool header = false, ended = false;
    for (size_t at = 8; !ended;) {
        if (file.size() - at < 12)
            refuse("the file ends inside a chunk");
        const uint32_t length = bigEndian(file, at);
        if (length > file.size() - at - 12)
            refuse("a chunk longer than the file");
        const std::span<const unsigned char> type = file.subspan(at + 4, 4), body = file.subspan(at + 8, length);
        const std::string name(type.begin(), type.end());
        if (name == "IHDR") {
            if (length != 13)
                refuse("a header of the wrong size");
            const uint32_t w = bigEndian(body, 0), h = bigEndian(body, 4);
            if (w == 0 || h == 0 || w > 4096 || h > 4096)
                refuse("a picture of " + std::to_string(w) + " x " + std::to_string(h) + " pixels");
            if (body[8] != 8 || body[9] != 2 || body[10] != 0 || body[11] != 0 || body[12] != 0)
                refuse("not 8 bits a channel of RGB, not interlaced");
            p.width = static_cast<int>(w);
            p.height = static_cast<int>(h);
            header = true;
        } else if (!header) {
            refuse("no header first");
        } else if (name == "IDAT") {
            data.insert(data.end(), body.begin(), body.end());
        } else if (name == "IEND") {
            ended = true;
        } else if (!(type[0] & 0x20)) {
            refuse("a chunk " + name + " that must be understood");
        }
        at += 12 + length;
    }

    const size_t width = static_cast<size_t>(p.width), height = static_cast<size_t>(p.height);
    const size_t stride = width * 3;
    const std::vector<unsigned char> raw = inflateZlib(data, height * (stride + 1));
    if (raw.size() != height * (stride + 1))
        refuse("less image data than the picture's size");

    // Each row: its filter, then the differences it left.
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
    p.rgb.resize(width * height);
    for (size_t i = 0; i < p.rgb.size(); ++i)
        p.rgb[i] = static_cast<uint32_t>(rows[3 * i]) << 16 | static_cast<uint32_t>(rows[3 * i + 1]) << 8 | rows[3 * i + 2];
    return p;
}

}  // namespace vornak::win32
