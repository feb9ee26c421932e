"""Text pixel art and the 16-colour Windows icon writer.

An icon source is a plain text file, one character a pixel, one line a row.
Characters map to the standard 16-colour palette through icons/legend.txt;
'.' is transparent.  The writer produces classic .ico files: each image is
a BITMAPINFOHEADER bitmap with a 4-bit XOR image, a 16-entry palette and a
1-bit AND mask, with the header height doubled to cover both masks.
"""

import struct
from pathlib import Path

from PIL import Image

# The standard 16-colour Windows palette, in its usual index order.
PALETTE = [
    ("black", 0x000000), ("maroon", 0x800000), ("green", 0x008000),
    ("olive", 0x808000), ("navy", 0x000080), ("purple", 0x800080),
    ("teal", 0x008080), ("silver", 0xC0C0C0), ("grey", 0x808080),
    ("red", 0xFF0000), ("lime", 0x00FF00), ("yellow", 0xFFFF00),
    ("blue", 0x0000FF), ("fuchsia", 0xFF00FF), ("aqua", 0x00FFFF),
    ("white", 0xFFFFFF),
]
PALETTE_INDEX = {name: i for i, (name, _) in enumerate(PALETTE)}
TRANSPARENT = None


class PixelArtError(ValueError):
    """A pixel-art source or legend that cannot be turned into an icon."""


def rgb(index):
    value = PALETTE[index][1]
    return (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF


def parse_legend(text, name="legend"):
    """Return {char: palette index or TRANSPARENT} from 'C colourname' lines."""
    legend = {}
    for lineno, line in enumerate(text.splitlines(), 1):
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        parts = line.split()
        if len(parts) != 2 or len(parts[0]) != 1:
            raise PixelArtError(f"{name}:{lineno}: expected 'CHAR COLOUR', got {line!r}")
        char, colour = parts
        if char in legend:
            raise PixelArtError(f"{name}:{lineno}: character {char!r} defined twice")
        if colour == "transparent":
            legend[char] = TRANSPARENT
        elif colour in PALETTE_INDEX:
            legend[char] = PALETTE_INDEX[colour]
        else:
            raise PixelArtError(f"{name}:{lineno}: unknown colour {colour!r}")
    return legend


def parse_pixel_art(text, size, legend, name="art"):
    """Turn a size x size text picture into rows of palette indices.

    Every row must be exactly `size` characters and there must be exactly
    `size` rows; a short, long or extra row, or a character the legend does
    not know, is an error rather than a silently wrong icon.
    """
    rows = text.splitlines()
    if len(rows) != size:
        raise PixelArtError(f"{name}: has {len(rows)} rows, expected {size}")
    pixels = []
    for lineno, row in enumerate(rows, 1):
        if len(row) != size:
            raise PixelArtError(
                f"{name}:{lineno}: row is {len(row)} characters wide, expected {size}")
        out = []
        for col, char in enumerate(row, 1):
            if char not in legend:
                raise PixelArtError(
                    f"{name}:{lineno}:{col}: character {char!r} is not in the legend")
            out.append(legend[char])
        pixels.append(out)
    return pixels


def load_pixel_art(path, size, legend):
    path = Path(path)
    return parse_pixel_art(path.read_text(encoding="ascii"), size, legend, path.name)


def _icon_image(pixels):
    """One icon image: BITMAPINFOHEADER, palette, XOR bits, AND bits."""
    size = len(pixels)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):  # bitmaps are stored bottom-up
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, index in enumerate(row):
            if index is TRANSPARENT:
                # Black in the XOR image and a set AND bit: the screen shows through.
                bits[x // 8] |= 0x80 >> (x % 8)
                index = 0
            line[x // 2] |= index << 4 if x % 2 == 0 else index
        xor += line
        mask += bits
    header = struct.pack(
        "<IiiHHIIiiII",
        40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 0, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in (rgb(i) for i in range(16)))
    return header + palette + bytes(xor) + bytes(mask)


def ico_bytes(images):
    """A complete .ico file from a list of square pixel grids (largest first)."""
    blobs = [_icon_image(p) for p in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for pixels, blob in zip(images, blobs):
        size = len(pixels)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, 1, 4,
                           len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def rgba_image(pixels):
    """An RGBA Pillow image of a pixel grid, fully transparent where the mask is."""
    size = len(pixels)
    img = Image.new("RGBA", (size, size))
    img.putdata([(0, 0, 0, 0) if i is TRANSPARENT else rgb(i) + (255,)
                 for row in pixels for i in row])
    return img
