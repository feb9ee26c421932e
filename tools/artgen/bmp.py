"""Writer for 24-bit uncompressed BMP files (BITMAPINFOHEADER, bottom-up)."""

import struct


def bmp_bytes(img):
    """Encode a Pillow RGB image; no alpha, no compression, rows padded to 4 bytes."""
    img = img.convert("RGB")
    width, height = img.size
    stride = (width * 3 + 3) & ~3
    pad = bytes(stride - width * 3)
    raw = img.tobytes("raw", "BGR")
    rows = [raw[y * width * 3:(y + 1) * width * 3] + pad for y in range(height)]
    pixels = b"".join(reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels),
                       2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0,
                         14 + len(info))
    return header + info + pixels
