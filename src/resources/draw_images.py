#!/usr/bin/env python3
"""Draws Klaxora's pictures: the program icon (an alarm clock at 16 to 64 pixels) and the
images of the tray menu (16 to 32 pixels), at every size Windows asks for at 100 to 200 %
scaling. Shapes are described in a 0..1 square and rendered with 8 x 8 supersampling, so every
size is drawn, not scaled. Writes .ico files into images/ beside this script. Run it after changing a
picture; the outputs are committed so that the build needs no Python.
"""
import math
import os
import struct

SUB = 8  # supersamples per axis


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_out, r_in):
    return lambda x, y: r_in * r_in < (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def capsule(x0, y0, x1, y1, r):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= r * r

    return inside


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        qx = max(x0 + r - x, 0.0, x - (x1 - r))
        qy = max(y0 + r - y, 0.0, y - (y1 - r))
        return x0 <= x <= x1 and y0 <= y <= y1 and qx * qx + qy * qy <= r * r

    return inside


def arc(cx, cy, r_out, r_in, start_deg, end_deg):
    """A ring segment, angles measured clockwise from 12 o'clock."""
    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not (r_in * r_in < d2 <= r_out * r_out):
            return False
        a = math.degrees(math.atan2(x - cx, cy - y)) % 360
        return start_deg <= a <= end_deg if start_deg <= end_deg else a >= start_deg or a <= end_deg

    return inside


def gear(cx, cy, r_root, r_tip, teeth, hole):
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if d <= hole:
            return False
        a = math.atan2(y - cy, x - cx) * teeth / (2 * math.pi)
        tooth = (a - math.floor(a)) < 0.5
        return d <= (r_tip if tooth else r_root)

    return inside


def vgradient(top, bottom):
    """A colour that runs from top to bottom of the picture."""
    return lambda x, y: tuple(t + (b - t) * y for t, b in zip(top, bottom))


def render(layers, size):
    """Composites (shape, colour) layers, last on top; colour is RGB or a function of x, y.
    Returns rows of straight (not premultiplied) RGBA, top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(SUB):
                for sx in range(SUB):
                    x = (px + (sx + 0.5) / SUB) / size
                    y = (py + (sy + 0.5) / SUB) / size
                    colour = None
                    for shape, paint in layers:
                        if shape(x, y):
                            colour = paint(x, y) if callable(paint) else paint
                    if colour is not None:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1.0
            n = SUB * SUB
            a = acc[3] / n
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(round(c / acc[3])) for c in acc[:3]) + (int(round(a * 255)),))
        rows.append(row)
    return rows


def bgra_bottom_up(rows, premultiply):
    out = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            if premultiply:
                r, g, b = (r * a + 127) // 255, (g * a + 127) // 255, (b * a + 127) // 255
            out += bytes((b, g, r, a))
    return bytes(out)


def ico_image(rows):
    size = len(rows)
    pixels = bgra_bottom_up(rows, premultiply=False)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + bytes(mask)


def write_ico(path, images):
    data = [ico_image(rows) for rows in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for rows, blob in zip(images, data):
        size = len(rows)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(data))


# Colours
DARK = (60, 30, 30)
RED_TOP, RED_BOTTOM = (240, 80, 60), (170, 20, 20)
FACE = (255, 252, 240)
HAND = (40, 40, 50)
BLUE_TOP, BLUE_BOTTOM = (90, 160, 240), (20, 80, 180)
WHITE = (255, 255, 255)
GREY_TOP, GREY_BOTTOM = (180, 185, 195), (95, 100, 110)
GREEN_TOP, GREEN_BOTTOM = (110, 200, 110), (30, 130, 40)


def alarm_clock(size):
    fine = size >= 32
    outline = 0.035 if fine else 0.05
    layers = [
        # feet
        (capsule(0.30, 0.80, 0.20, 0.93, 0.055), DARK),
        (capsule(0.70, 0.80, 0.80, 0.93, 0.055), DARK),
        # bells with their outline
        (circle(0.22, 0.20, 0.17 + outline), DARK),
        (circle(0.78, 0.20, 0.17 + outline), DARK),
        (circle(0.22, 0.20, 0.17), vgradient(RED_TOP, RED_BOTTOM)),
        (circle(0.78, 0.20, 0.17), vgradient(RED_TOP, RED_BOTTOM)),
        # body: outline, red rim, face
        (circle(0.5, 0.55, 0.40), DARK),
        (circle(0.5, 0.55, 0.40 - outline), vgradient(RED_TOP, RED_BOTTOM)),
        (circle(0.5, 0.55, 0.29 if fine else 0.27), FACE),
    ]
    if fine:
        for hour in range(12):
            a = math.radians(hour * 30)
            inner = 0.22 if hour % 3 == 0 else 0.245
            layers.append((capsule(0.5 + inner * math.sin(a), 0.55 - inner * math.cos(a),
                                   0.5 + 0.265 * math.sin(a), 0.55 - 0.265 * math.cos(a),
                                   0.012 if hour % 3 else 0.018), HAND))
    hand = 0.035 if fine else 0.05
    layers += [
        (capsule(0.5, 0.55, 0.5, 0.36, hand), HAND),               # minute hand at 12
        (capsule(0.5, 0.55, 0.64, 0.49 if fine else 0.47, hand), HAND),  # hour hand near 2
        (circle(0.5, 0.55, 0.05 if fine else 0.06), (200, 30, 30)),
    ]
    return render(layers, size)


def menu_stop(size):
    return render([
        (rounded_rect(0.1, 0.1, 0.9, 0.9, 0.15), (120, 20, 20)),
        (rounded_rect(0.16, 0.16, 0.84, 0.84, 0.1), vgradient(RED_TOP, RED_BOTTOM)),
        (rounded_rect(0.34, 0.34, 0.66, 0.66, 0.03), WHITE),
    ], size)


def menu_new_time(size):
    return render([
        (circle(0.5, 0.5, 0.47), (20, 70, 150)),
        (circle(0.5, 0.5, 0.40), vgradient(BLUE_TOP, BLUE_BOTTOM)),
        (circle(0.5, 0.5, 0.31), FACE),
        (capsule(0.5, 0.5, 0.5, 0.26, 0.055), HAND),
        (capsule(0.5, 0.5, 0.68, 0.5, 0.055), HAND),
    ], size)


def menu_help(size):
    return render([
        (circle(0.5, 0.5, 0.47), (20, 70, 150)),
        (circle(0.5, 0.5, 0.41), vgradient(BLUE_TOP, BLUE_BOTTOM)),
        (arc(0.5, 0.37, 0.19, 0.08, 270, 150), WHITE),
        (capsule(0.55, 0.50, 0.5, 0.56, 0.055), WHITE),
        (capsule(0.5, 0.56, 0.5, 0.60, 0.055), WHITE),
        (circle(0.5, 0.76, 0.07), WHITE),
    ], size)


def menu_options(size):
    return render([
        (gear(0.5, 0.5, 0.34, 0.47, 8, 0.0), (70, 75, 85)),
        (gear(0.5, 0.5, 0.28, 0.41, 8, 0.14), vgradient(GREY_TOP, GREY_BOTTOM)),
    ], size)


def menu_about(size):
    return render([
        (circle(0.5, 0.5, 0.47), (20, 110, 40)),
        (circle(0.5, 0.5, 0.41), vgradient(GREEN_TOP, GREEN_BOTTOM)),
        (circle(0.5, 0.28, 0.075), WHITE),
        (capsule(0.5, 0.45, 0.5, 0.75, 0.07), WHITE),
    ], size)


def menu_close(size):
    return render([
        (circle(0.5, 0.5, 0.47), (120, 20, 20)),
        (circle(0.5, 0.5, 0.41), vgradient(RED_TOP, RED_BOTTOM)),
        (capsule(0.33, 0.33, 0.67, 0.67, 0.065), WHITE),
        (capsule(0.67, 0.33, 0.33, 0.67, 0.065), WHITE),
    ], size)


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'images')
    os.makedirs(out, exist_ok=True)
    # Every size Windows asks for at 100 to 200 % scaling, so none is stretched.
    write_ico(os.path.join(out, 'klaxora.ico'),
              [alarm_clock(s) for s in (16, 20, 24, 32, 40, 48, 64)])
    for name, draw in [('menu_stop', menu_stop), ('menu_new_time', menu_new_time),
                       ('menu_help', menu_help), ('menu_options', menu_options),
                       ('menu_about', menu_about), ('menu_close', menu_close)]:
        write_ico(os.path.join(out, name + '.ico'), [draw(s) for s in (16, 20, 24, 32)])


if __name__ == '__main__':
    main()
