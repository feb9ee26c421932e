"""The four pictures, drawn with Pillow.

Small pictures are painted at SS times their size and box-reduced, which
gives smooth edges while leaving flat background areas at their exact
colour (the average of identical pixels is that pixel).
"""

import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

FONTS = "/usr/share/fonts/truetype/dejavu/"
GREY = (0xC0, 0xC0, 0xC0)
SS = 4
FACE_SQUASH = 0.32


def font(name, size):
    return ImageFont.truetype(FONTS + name, size)


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def ramp(stops, t):
    """Colour at t in [0, 1] along [(pos, colour), ...] with ascending pos."""
    t = min(max(t, 0.0), 1.0)
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return lerp(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 0.0)
    return stops[-1][1]


def vertical_gradient(size, stops, top=0, height=None):
    """An RGB image whose rows follow `stops` between rows top and top+height."""
    w, h = size
    height = height or h
    col = Image.new("RGB", (1, h))
    col.putdata([ramp(stops, (y - top) / max(height - 1, 1)) for y in range(h)])
    return col.resize((w, h), Image.NEAREST)


def glyph_mask(char, fontname, size):
    """A tight L mask of one character rendered at `size` pixels."""
    f = font(fontname, size)
    left, top, right, bottom = f.getbbox(char)
    mask = Image.new("L", (right - left, bottom - top), 0)
    ImageDraw.Draw(mask).text((-left, -top), char, font=f, fill=255)
    return mask


def dilate(mask, radius):
    return mask.filter(ImageFilter.MaxFilter(2 * radius + 1)) if radius else mask


def fill_border(img, colour):
    """Set the outermost ring of pixels to colour."""
    w, h = img.size
    d = ImageDraw.Draw(img)
    d.rectangle((0, 0, w - 1, h - 1), outline=colour)


# --------------------------------------------------------------- model name

GOLD = [(0.0, (255, 246, 196)), (0.30, (240, 200, 72)), (0.55, (176, 120, 20)),
        (0.62, (150, 96, 12)), (0.80, (222, 170, 50)), (1.0, (255, 226, 120))]
GOLD_EDGE = (92, 58, 6)


def model():
    """'BRELVOX' in tall narrow gold capitals, larger initial, on flat grey."""
    w, h = 100, 43
    img = Image.new("RGB", (w * SS, h * SS), GREY)
    baseline = 41
    # (letter, width, height) in final pixels; the initial is taller and wider.
    letters = [("B", 15, 38)] + [(c, 11, 29) for c in "RELVOX"]
    gap = 2
    total = sum(lw for _, lw, _ in letters) + gap * (len(letters) - 1)
    x = (w - total) / 2
    for char, lw, lh in letters:
        box = (round(x * SS), (baseline - lh) * SS)
        size = (lw * SS, lh * SS)
        core = glyph_mask(char, "DejaVuSansCondensed-Bold.ttf", 200).resize(size, Image.LANCZOS)
        pad = SS
        big = Image.new("L", (size[0] + 2 * pad, size[1] + 2 * pad), 0)
        big.paste(core, (pad, pad))
        edge = dilate(big, SS // 2 + 1)
        at = (box[0] - pad, box[1] - pad)
        img.paste(GOLD_EDGE, at + (at[0] + big.width, at[1] + big.height), edge)
        shine = vertical_gradient(big.size, GOLD, top=pad, height=size[1])
        img.paste(shine, at, big)
        x += lw + gap
    img = img.reduce(SS)
    fill_border(img, GREY)
    return img


# ---------------------------------------------------------------- starburst

def _star_points(cx, cy, rx, ry, spikes, inner, phase=0.0):
    pts = []
    for i in range(spikes * 2):
        a = math.pi * i / spikes + phase
        k = 1.0 if i % 2 == 0 else inner
        pts.append((cx + rx * k * math.cos(a), cy + ry * k * math.sin(a)))
    return pts


def _emblem(img, cx, cy):
    """The front face of "3D", an extrusion down and to the right, and a
    squashed, pale mirror image underneath, centred on cx, cy."""
    f = font("DejaVuSans-Bold.ttf", 25 * SS)
    text = "3D"
    left, top, right, bottom = f.getbbox(text)
    tw, th = right - left, bottom - top
    depth = 4 * SS
    mirror_h = int(th * 0.42)
    total_h = th + depth + SS + mirror_h
    ox = round(cx - (tw + depth) / 2)
    oy = round(cy - total_h / 2) - SS
    face = Image.new("L", (tw, th), 0)
    ImageDraw.Draw(face).text((-left, -top), text, font=f, fill=255)
    # Mirror first, so the extrusion sits over its top edge.
    mirror = face.transpose(Image.FLIP_TOP_BOTTOM).resize((tw, mirror_h), Image.LANCZOS)
    fade = vertical_gradient((tw, mirror_h), [(0, (196, 196, 196)), (1, (240, 240, 240))])
    img.paste(fade, (ox + depth // 2, oy + th + depth + SS), mirror)
    for i in range(depth, 0, -1):
        shade = lerp((0, 40, 40), (0, 72, 72), 1 - i / depth)
        img.paste(shade, (ox + i, oy + i, ox + i + tw, oy + i + th), face)
    front = vertical_gradient((tw, th), [(0, (40, 150, 150)), (0.5, (0, 110, 110)), (1, (0, 82, 84))])
    img.paste(front, (ox, oy), face)


def starburst():
    """A white starburst edged yellow and orange with an extruded '3D' emblem."""
    w, h = 97, 65
    W, H = w * SS, h * SS
    img = Image.new("RGB", (W, H), GREY)
    d = ImageDraw.Draw(img)
    cx, cy = W / 2, H / 2
    rx, ry = (w / 2 - 1.5) * SS, (h / 2 - 1.5) * SS
    spikes, phase = 20, -math.pi / 2
    # The rims are thick strokes along the star's outline: orange outermost,
    # then yellow, then the white body filled on top.
    pts = _star_points(cx, cy, rx - 2.5 * SS, ry - 2.5 * SS, spikes, 0.68, phase)
    ring = pts + pts[:1]
    d.polygon(pts, fill=(255, 128, 0))
    d.line(ring, fill=(255, 128, 0), width=5 * SS, joint="curve")
    d.line(ring, fill=(255, 216, 0), width=2 * SS + 2, joint="curve")
    d.polygon(pts, fill=(255, 255, 255))
    _emblem(img, cx, cy)
    img = img.reduce(SS)
    fill_border(img, GREY)
    return img


# ------------------------------------------------------------ final picture

def _swirl_background(w, h):
    """Two interleaved spirals of blue, from deep navy up to full blue."""
    stops = [(0, (0, 0, 72)), (0.5, (0, 10, 168)), (1, (0, 0, 255))]
    centres = [(w * 0.40, h * 0.46, 1, 24.0, 1.0), (w * 0.86, h * 0.80, -1, 30.0, 0.55)]
    data = []
    for y in range(h):
        for x in range(w):
            v = 0.0
            for cx, cy, turn, pitch, weight in centres:
                dx, dy = (x - cx) / 1.3, y - cy
                r = math.hypot(dx, dy)
                # Fade each spiral out near its eye, where the arms would pinch.
                v += weight * math.sin(turn * math.atan2(dy, dx) * 2 + r / pitch) * min(1.0, r / 45.0)
            v += 0.25 * math.sin(x / 97.0 + y / 53.0)
            t = min(max(0.5 + v / 2.2, 0.0), 1.0)
            t = t * t * (3 - 2 * t)
            data.append(ramp(stops, t))
    img = Image.new("RGB", (w, h))
    img.putdata(data)
    return img


def _wave_y(x):
    """Baseline height of the wavy title: piecewise cosine through fixed points."""
    points = [(0, 218), (48, 214), (200, 122), (405, 200), (596, 96), (620, 94)]
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        if x <= x1:
            t = (x - x0) / (x1 - x0)
            return y0 + (y1 - y0) * (1 - math.cos(math.pi * t)) / 2
    return points[-1][1]


def _wave_letter(char, f, ss, angle, tilt=0.0):
    """One letter of the wave title as an RGBA tile centred on its baseline."""
    size = int(f.size * 2.2)
    fill = Image.new("L", (size, size), 0)
    d = ImageDraw.Draw(fill)
    centre = (size // 2, size // 2)
    d.text(centre, char, font=f, fill=255, anchor="ms")
    stroke = Image.new("L", (size, size), 0)
    ImageDraw.Draw(stroke).text(centre, char, font=f, fill=255, anchor="ms",
                                stroke_width=max(2, round(1.6 * ss)), stroke_fill=255)
    asc, _ = f.getmetrics()
    top = size // 2 - asc * 0.78
    colour = vertical_gradient((size, size), [(0, (226, 208, 255)), (0.55, (176, 120, 240)), (1, (120, 40, 200))],
                               top=int(top), height=int(asc * 0.78))
    tile = Image.new("RGBA", (size, size), (255, 255, 255, 0))
    tile.putalpha(stroke)
    tile.paste(colour, (0, 0), fill)
    tile = tile.rotate(-math.degrees(angle) + tilt, resample=Image.BICUBIC,
                       center=centre)
    return tile


def _wave_title(img, text, x0, fontname, size, first_size, tilt):
    ss = 3
    x = x0
    for i, char in enumerate(text):
        f = font(fontname, (first_size if i == 0 else size) * ss)
        adv = f.getlength(char) / ss
        if i == 1:
            x += 2  # clear the tilted initial's right arm
        if char == " ":
            x += adv
            continue
        mid = x + adv / 2
        slope = (_wave_y(mid + 1) - _wave_y(mid - 1)) / 2
        angle = math.atan(slope)
        tile = _wave_letter(char, f, ss, angle, tilt if i == 0 else 0.0)
        tile = tile.resize((tile.width // ss, tile.height // ss), Image.LANCZOS)
        px = round(mid - tile.width / 2)
        py = round(_wave_y(mid) - tile.height / 2)
        img.alpha_composite(tile, (px, py))
        x += adv * math.cos(angle) + (1.0 if i else 0.0)
    return x


def _shadowed_text(img, xy, text, f, colour, anchor, shadow=(0, 0, 40, 200), offset=2):
    layer = Image.new("RGBA", img.size, (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    d.text((xy[0] + offset, xy[1] + offset), text, font=f, fill=shadow, anchor=anchor)
    layer = layer.filter(ImageFilter.GaussianBlur(1))
    ImageDraw.Draw(layer).text(xy, text, font=f, fill=colour, anchor=anchor)
    img.alpha_composite(layer)


def final():
    w, h = 620, 307
    visible_h = 306  # the window shows one row less than the picture
    img = _swirl_background(w, h).convert("RGBA")
    _shadowed_text(img, (w // 2, 10), "Your Computer is a Toaster, you baldy man",
                   font("DejaVuSans-Bold.ttf", 23), (150, 255, 255, 255), "mt")
    _wave_title(img, "Vornak Infraestructurado", 22, "DejaVuSerifCondensed-Bold.ttf", 47, 76, -14)
    serif = font("DejaVuSerif-Bold.ttf", 24)
    cx = 440
    _shadowed_text(img, (cx, visible_h - 58), "No te enojes Vornakista", serif,
                   (255, 255, 255, 255), "ms")
    _shadowed_text(img, (cx, visible_h - 22), "Vornak", font("DejaVuSerif-Bold.ttf", 26),
                   (255, 255, 255, 255), "ms")
    img = img.convert("RGB")
    ImageDraw.Draw(img).rectangle((0, 0, w - 1, h - 1), outline=(0, 0, 32))
    return img


# ----------------------------------------------------------------- portrait

def _shape(size, draw, blur=0.0):
    """An L mask at supersampled size, drawn by draw(ImageDraw), softened."""
    mask = Image.new("L", size, 0)
    draw(ImageDraw.Draw(mask))
    return mask.filter(ImageFilter.GaussianBlur(blur * SS)) if blur else mask


def _lit(size, box, dark, light, ambient=0.25, lamp=(-0.5, -0.55, 0.67), squash=0.0):
    """Colour an ellipsoid inside box with a lamp from the upper left.

    Each pixel takes the normal of a half-ellipsoid at that point and is
    blended from dark to light by its diffuse brightness, which gives the
    soft round modelling of a studio photograph.  squash narrows the
    lower half (a jaw rather than a ball).
    """
    x0, y0, x1, y1 = box
    cx, cy, rx, ry = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2
    lx, ly, lz = lamp
    w, h = size
    data = []
    for y in range(h):
        ny = (y - cy) / ry
        k = 1.0 - squash * max(0.0, ny) ** 2
        for x in range(w):
            nx = (x - cx) / (rx * k)
            q = 1.0 - nx * nx - ny * ny
            nz = math.sqrt(q) if q > 0 else 0.0
            diffuse = max(0.0, nx * lx + ny * ly + nz * lz)
            data.append(lerp(dark, light, min(1.0, ambient + (1 - ambient) * diffuse)))
    img = Image.new("RGB", size)
    img.putdata(data)
    return img


def _paint(img, colour, mask):
    if isinstance(colour, tuple):
        img.paste(colour, (0, 0) + img.size, mask)
    else:
        img.paste(colour, (0, 0), mask)


def _curve(p0, p1, p2, steps=24):
    """Points of a quadratic Bezier from p0 to p2 pulled towards p1."""
    pts = []
    for i in range(steps + 1):
        t = i / steps
        a, b, c = (1 - t) ** 2, 2 * t * (1 - t), t * t
        pts.append((a * p0[0] + b * p1[0] + c * p2[0], a * p0[1] + b * p1[1] + c * p2[1]))
    return pts


def _sc(*v):
    return [c * SS for c in v]


def _pts(seq):
    return [(x * SS, y * SS) for x, y in seq]


def _portrait_clothes(img, size):
    """Neck, jacket, shirt, tie and lapels."""
    S = SS
    sc, pts = _sc, _pts
    # Neck, in the shadow of the jaw.
    neck = _shape(size, lambda d: d.polygon(pts([(29.5, 54), (42.5, 54), (44.5, 78), (27.5, 78)]), fill=255), blur=0.6)
    neck_col = vertical_gradient(size, [(0, (92, 52, 38)), (0.3, (120, 72, 52)), (1, (190, 134, 104))], top=58 * S, height=18 * S)
    _paint(img, neck_col, neck)

    # Jacket: charcoal with a lighter left shoulder, lapels meeting low.
    jacket = _shape(size, lambda d: d.polygon(pts(
        [(-2, 100), (-2, 90), (3, 83), (12, 78), (27, 72), (36, 86), (45, 72), (60, 78),
         (69, 83), (74, 90), (74, 100)]), fill=255), blur=0.8)
    jacket_col = _lit(size, sc(-6, 68, 78, 140), (14, 18, 30), (84, 92, 118), ambient=0.12)
    _paint(img, jacket_col, jacket)
    # Shirt collar and tie in the opening.
    shirt = _shape(size, lambda d: d.polygon(pts([(27, 71), (45, 71), (41, 93), (36, 100), (31, 93)]), fill=255),
                   blur=0.6)
    _paint(img, vertical_gradient(size, [(0, (238, 240, 244)), (1, (180, 186, 198))],
                                  top=70 * S, height=30 * S), shirt)
    collar_shadow = _shape(size, lambda d: d.polygon(pts([(29, 71), (43, 71), (36, 77)]), fill=255), blur=1.2)
    _paint(img, (150, 150, 160), collar_shadow)
    tie = _shape(size, lambda d: d.polygon(pts([(34, 76), (38, 76), (39.5, 80), (40, 100), (32, 100), (32.5, 80)]), fill=255),
                 blur=0.5)
    _paint(img, vertical_gradient(size, [(0, (150, 30, 40)), (1, (80, 12, 24))], top=76 * S, height=24 * S), tie)
    lapels = _shape(size, lambda d: (d.line(pts([(27, 71), (34, 90)]), fill=255, width=S),
                                     d.line(pts([(45, 71), (38, 90)]), fill=255, width=S)), blur=0.6)
    _paint(img, (14, 16, 22), lapels)


def _portrait_face(img, size):
    """Ears, the face and its modelling."""
    S = SS
    sc, pts = _sc, _pts
    skin_dark, skin_light = (150, 92, 66), (246, 206, 176)
    # Ears, a little darker than the face.
    ears = _shape(size, lambda d: (d.ellipse(sc(18.6, 39, 23.6, 50), fill=255), d.ellipse(sc(48.4, 39, 53.4, 50), fill=255)),
                  blur=0.5)
    _paint(img, _lit(size, sc(16, 30, 56, 56), (130, 76, 56), (222, 170, 140)), ears)

    # Face: an egg narrowing to the jaw, lit as an ellipsoid of the same outline.
    fcx, fcy, frx, fry = 36, 42.5, 15.2, 21.5
    egg = []
    for i in range(96):
        t = 2 * math.pi * i / 96
        ny = -math.cos(t)
        k = 1.0 - FACE_SQUASH * max(0.0, ny) ** 2
        egg.append((fcx + frx * math.sin(t) * k, fcy + fry * ny))
    face_mask = _shape(size, lambda d: d.polygon(pts(egg), fill=255), blur=0.5)
    face_col = _lit(size, sc(fcx - frx, fcy - fry, fcx + frx, fcy + fry), skin_dark, skin_light,
                    ambient=0.3, squash=FACE_SQUASH)
    _paint(img, face_col, face_mask)

    # Soft modelling: rosy cheeks, eye sockets, nose shadow, smile lines.
    _paint(img, (232, 150, 130), _shape(size, lambda d: (d.ellipse(sc(24, 47, 32, 54), fill=255),
                                                        d.ellipse(sc(40, 47, 48, 54), fill=255)), blur=2.2))
    sockets = _shape(size, lambda d: (d.ellipse(sc(25, 37.5, 34, 44.5), fill=255), d.ellipse(sc(38, 37.5, 47, 44.5), fill=255)),
                     blur=1.3)
    _paint(img, (176, 118, 92), sockets)
    nose_side = _shape(size, lambda d: d.polygon(pts([(37.5, 42), (39, 42), (40.5, 51), (38, 52)]), fill=255), blur=0.9)
    _paint(img, (172, 112, 86), nose_side)
    nose_tip = _shape(size, lambda d: d.ellipse(sc(34, 48, 39, 52), fill=255), blur=0.8)
    _paint(img, (250, 214, 188), nose_tip)
    nostrils = _shape(size, lambda d: (d.ellipse(sc(33.5, 51.2, 35.3, 52.4), fill=255), d.ellipse(sc(37.3, 51.2, 39.1, 52.4), fill=255)),
                      blur=0.4)
    _paint(img, (110, 58, 46), nostrils)
    lines = _shape(size, lambda d: (d.line(pts(_curve((31.5, 50.5), (28, 54), (29.5, 58))), fill=255, width=S),
                                    d.line(pts(_curve((40.5, 50.5), (44.5, 54), (43, 58))), fill=255, width=S)),
                   blur=0.7)
    _paint(img, (170, 108, 84), lines)


def _portrait_mouth(img, size):
    """A smiling mouth: a wide crescent, upper teeth showing, lips round it."""
    S = SS
    sc, pts = _sc, _pts
    upper = _curve((29, 55.4), (36, 57.6), (43, 55.4))
    lower = _curve((43, 55.4), (36, 62.2), (29, 55.4))
    lips = _shape(size, lambda d: d.polygon(pts(_curve((28.2, 55), (36, 56.4), (43.8, 55)) +
                                                _curve((43.8, 55), (36, 63.6), (28.2, 55))), fill=255), blur=0.5)
    _paint(img, (186, 96, 88), lips)
    mouth = _shape(size, lambda d: d.polygon(pts(upper + lower), fill=255), blur=0.3)
    _paint(img, (70, 22, 24), mouth)
    teeth = _shape(size, lambda d: d.polygon(pts(upper + _curve((42, 56.3), (36, 60.2), (30, 56.3))), fill=255), blur=0.3)
    _paint(img, vertical_gradient(size, [(0, (250, 246, 236)), (1, (200, 192, 180))], top=56 * S, height=4 * S),
           ImageChops.multiply(teeth, mouth))
    chin = _shape(size, lambda d: d.ellipse(sc(32, 61.5, 40, 64.5), fill=255), blur=1.0)
    _paint(img, (212, 164, 134), chin)


def _portrait_eyes(img, size):
    """Eyes and eyebrows."""
    S = SS
    sc, pts = _sc, _pts
    # Eyes: whites, brown irises looking at the camera, dark lid lines,
    # slightly narrowed by the smile.
    for ex in (29.5, 42.5):
        white = _shape(size, lambda d: d.chord(sc(ex - 3, 39.6, ex + 3, 43.4), 180, 360, fill=255), blur=0.25)
        white = ImageChops.lighter(white, _shape(size, lambda d: d.ellipse(sc(ex - 3, 40.4, ex + 3, 42.6), fill=255), blur=0.25))
        _paint(img, (232, 226, 220), white)
        iris = _shape(size, lambda d: d.ellipse(sc(ex - 1.5, 39.7, ex + 1.5, 42.9), fill=255), blur=0.2)
        _paint(img, (92, 58, 36), ImageChops.multiply(iris, white))
        pupil = _shape(size, lambda d: d.ellipse(sc(ex - 0.7, 40.6, ex + 0.7, 42.0), fill=255), blur=0.15)
        _paint(img, (16, 10, 8), pupil)
        glint = _shape(size, lambda d: d.ellipse(sc(ex - 0.9, 40.3, ex - 0.1, 41.1), fill=255), blur=0.1)
        _paint(img, (250, 250, 250), glint)
        lid = _shape(size, lambda d: d.arc(sc(ex - 3.2, 39.4, ex + 3.2, 45), 185, 355, fill=255, width=S), blur=0.3)
        _paint(img, (58, 34, 26), lid)
        under = _shape(size, lambda d: d.arc(sc(ex - 2.8, 38.5, ex + 2.8, 44.2), 20, 160, fill=255, width=S // 2),
                       blur=0.4)
        _paint(img, (160, 104, 80), under)

    # Eyebrows.
    brows = _shape(size, lambda d: (d.line(pts(_curve((25.5, 38.3), (29, 35.6), (33.5, 37.2))), fill=255, width=int(1.5 * S)),
                                    d.line(pts(_curve((38.5, 37.2), (43, 35.6), (46.5, 38.3))), fill=255, width=int(1.5 * S))),
                   blur=0.4)
    _paint(img, (66, 42, 30), brows)


def _portrait_hair(img, size):
    """Short dark brown hair, parted on the left, lit from the same lamp."""
    S = SS
    sc, pts = _sc, _pts
    def hair_shape(d):
        d.ellipse(sc(18.6, 14.6, 53.4, 46), fill=255)
    hair = _shape(size, hair_shape, blur=0.5)
    forehead = _shape(size, lambda d: d.polygon(pts(
        [(19.5, 44), (21, 37), (22.5, 31.5), (25, 29.5), (30, 27.8), (37, 28.6), (44, 27.6), (48.5, 30), (50.5, 33), (51, 37), (52.5, 44),
         (53, 80), (19, 80)]), fill=255), blur=0.8)
    hair = ImageChops.subtract(hair, forehead)
    hair_col = _lit(size, sc(18, 13, 54, 47), (24, 14, 10), (118, 82, 58), ambient=0.2)
    rng = random.Random(7)
    strands = Image.new("L", size, 0)
    sd = ImageDraw.Draw(strands)
    for _ in range(160):
        x = rng.uniform(19, 53)
        y = rng.uniform(16, 34)
        sd.line(pts([(x, y), (x + rng.uniform(1.5, 4.5), y + rng.uniform(-0.6, 1.2))]), fill=rng.randint(60, 140), width=1)
    hair_col.paste((150, 112, 84), (0, 0) + size, strands.filter(ImageFilter.GaussianBlur(0.6)))
    _paint(img, hair_col, hair)
    part = _shape(size, lambda d: d.line(pts(_curve((27, 18.5), (27.5, 24), (29, 30.4))), fill=255, width=S // 2),
                  blur=0.5)
    _paint(img, (30, 18, 12), ImageChops.multiply(part, hair))


def _photo_finish(img, w, h):
    """Slight softness and a fine, fixed grain."""
    img = img.filter(ImageFilter.GaussianBlur(0.25 * SS)).reduce(SS)
    rng = random.Random(1999)
    grain = [tuple(max(0, min(255, c + n)) for c in px)
             for px, n in zip(img.getdata(), (rng.randint(-3, 3) for _ in range(w * h)))]
    img.putdata(grain)
    return img


def portrait():
    """Head and shoulders of a smiling man, shaded like a small photograph."""
    w, h = 72, 100
    size = (w * SS, h * SS)
    # Studio backdrop: pale blue-grey, lit a little brighter behind the head.
    back = vertical_gradient(size, [(0, (206, 214, 226)), (1, (160, 172, 190))])
    glow = _shape(size, lambda d: d.ellipse(_sc(6, 8, 66, 70), fill=255), blur=12)
    img = back.copy()
    _paint(img, (224, 230, 238), glow)
    _portrait_clothes(img, size)
    _portrait_face(img, size)
    _portrait_mouth(img, size)
    _portrait_eyes(img, size)
    _portrait_hair(img, size)
    return _photo_finish(img, w, h)


PICTURES = {
    "model": model,
    "starburst": starburst,
    "portrait": portrait,
    "final": final,
}
