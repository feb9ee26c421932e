// The pictures travel as PNG files (tools/embed.py) and are read here, their
// data unpacked by zlib, linked in: GDI+, which could read them on every
// Windows since XP, costs the program a fifth more memory than a plain
// window has. What the program carries is read, and nothing else: 8 bits a
// channel of RGB, not interlaced, each row under one of the five filters.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vornak::win32 {

struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;  // 0x00RRGGBB, top row first
};

// The pixels of a PNG file. Throws std::runtime_error saying what it could
// not read; every read is checked against the file's end, so that a file
// cut short or damaged is refused, never read past.
Pixels readPng(std::span<const unsigned char> file);

}  // namespace vornak::win32
