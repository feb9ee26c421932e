#include "text.h"

#include <cstdio>

namespace vornak {

namespace {

// The code point of a bidirectional formatting character encoded at the
// start of s, with its length in bytes; 0 for anything else.
char32_t bidiControlAt(std::string_view s, size_t& length)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    if (s.size() >= 2 && byte(0) == 0xD8 && byte(1) == 0x9C) {
        length = 2;
        return 0x061C;
    }
    if (s.size() < 3 || byte(0) != 0xE2)
        return 0;
    length = 3;
    const char32_t c = 0x2000 | static_cast<char32_t>((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    if ((byte(1) & 0xC0) != 0x80 || (byte(2) & 0xC0) != 0x80)
        return 0;
    const bool control = c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
    return control ? c : 0;
}

}  // namespace

std::string shownText(std::string_view stored)
{
    std::string out;
    out.reserve(stored.size());
    size_t done = 0;  // what is in out already
    for (size_t i = 0; i < stored.size();) {
        size_t length = 0;
        if (const char32_t c = bidiControlAt(stored.substr(i), length)) {
            char code[16];
            std::snprintf(code, sizeof code, "<U+%04X>", static_cast<unsigned>(c));
            out.append(stored.substr(done, i - done)) += code;
            i += length;
            done = i;
        } else {
            ++i;
        }
    }
    return out.append(stored.substr(done));
}

}  // namespace vornak
