// The pictures, icons and dialog face that travel inside the program
// (app/art.h), made into the system's objects: pictures read from their PNG
// files (png.h), icons from their .ico images, the face registered for this
// process only.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <vector>

namespace vornak::win32 {

// A PNG file as a 32-bit bitmap of its exact pixels. Throws
// std::runtime_error when it cannot be read or the system has no room for
// the bitmap.
HBITMAP pictureFromPng(std::span<const unsigned char> file);

// The image of an .ico file nearest the size asked for (cx by cy), as an
// icon. Throws std::runtime_error when the file holds no usable image.
HICON iconFromFile(std::span<const unsigned char> ico, int cx, int cy);

// Makes a font file's faces known to this process and no other, without
// writing it anywhere; they go when the process ends. False, with the
// system's reason in GetLastError, when the system refuses the file.
bool addPrivateFont(std::span<const unsigned char> file);

// Whether the system knows a face of that name.
bool faceExists(const wchar_t* face);

// What a zlib stream (RFC 1950) holds, exactly size bytes; empty when it is
// damaged or holds another size.
std::vector<unsigned char> unpack(std::span<const unsigned char> packed, size_t size);

}  // namespace vornak::win32
