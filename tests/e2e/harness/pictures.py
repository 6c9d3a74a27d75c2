"""Pictures of the window: an RGB image read from xwd or grim, and the checks of its pixels
against the arm the design predicts."""

import math
import re
import struct
import zlib

from .design import BLACK, BLUE, PICTURE1, RED, WHITE, px, surface_to_window
from .errors import HarnessError


def _capsule_distance(point, start, end, radius):
    (px_, py_), (ax, ay), (bx, by) = point, start, end
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px_ - ax) * dx + (py_ - ay) * dy) / length2))
    return math.hypot(px_ - ax - t * dx, py_ - ay - t * dy) - radius


def _rect_distance(point, rect):
    left, top, right, bottom = rect
    dx = max(left - point[0], point[0] - right)
    dy = max(top - point[1], point[1] - bottom)
    return math.hypot(max(dx, 0), max(dy, 0)) + min(max(dx, dy), 0)


def expected_items(arm):
    """The surface's items, each (colour, bounding box, signed distance function) in window
    pixels: segment 2, segment 1, and the anchor's post and base."""
    (x0, y0), (x1, y1), (x2, y2) = arm.segments()
    start, joint, tip = surface_to_window(x0, y0), surface_to_window(x1, y1), surface_to_window(x2, y2)
    base = surface_to_window(arm.origin_x - 850, arm.origin_y + 300)
    post = surface_to_window(arm.origin_x - 125, arm.origin_y - 100)
    base_rect = (base[0], base[1], base[0] + px(1695), base[1] + px(495))
    post_rect = (post[0], post[1], post[0] + px(255), post[1] + px(855))

    def box(a, b, pad):
        return (min(a[0], b[0]) - pad, min(a[1], b[1]) - pad, max(a[0], b[0]) + pad, max(a[1], b[1]) + pad)

    return [
        (BLUE, box(joint, tip, arm.width2 / 2), lambda p: _capsule_distance(p, joint, tip, arm.width2 / 2)),
        (RED, box(start, joint, arm.width1 / 2), lambda p: _capsule_distance(p, start, joint, arm.width1 / 2)),
        (BLACK, post_rect, lambda p: _rect_distance(p, post_rect)),
        (BLACK, base_rect, lambda p: _rect_distance(p, base_rect)),
    ]


def expected_colours(items, point, margin):
    """The colours the pixel centred at point may have: any item's that clearly covers it (which
    item lies on top is the program's choice), white if none does; None where an edge is too
    near (antialiasing, rounding) to say."""
    x, y = point
    covering = set()
    for colour, (left, top, right, bottom), distance in items:
        if x <= left - margin or x >= right + margin or y <= top - margin or y >= bottom + margin:
            continue  # clearly outside, without the distance
        d = distance(point)
        if d <= -margin:
            covering.add(colour)
        elif d < margin:
            return None
    return covering or {WHITE}


def picture_mismatches(image, arm, step=3, margin=2.5, tolerance=12):
    """Every sampled surface pixel whose colour disagrees with the predicted arm."""
    items = expected_items(arm)
    left, top, width, height = PICTURE1
    wrong = []
    for y in range(top + 1, top + height - 1, step):
        for x in range(left + 1, left + width - 1, step):
            allowed = expected_colours(items, (x + 0.5, y + 0.5), margin)
            if allowed is None:
                continue
            got = image.pixel(x, y)
            if got not in allowed and not any(close(got, colour, tolerance) for colour in allowed):
                wrong.append(((x, y), allowed, got))
    return wrong


def option_selected(image, rect):
    """A selected option button has a dark dot in its indicator at the left of its box."""
    left, top, _, height = rect
    dark = [image.pixel(x, y) for x in range(left, left + 16) for y in range(top + 3, top + height - 3)
            if max(image.pixel(x, y)) < 90]
    return len(dark) >= 8


def close(colour, want, tolerance=0):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, want))


class Image:
    """An RGB picture of the window, top-left at (0, 0)."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, bytes(rgb)

    @classmethod
    def from_xwd(cls, data):
        fields = struct.unpack(">25I", data[:100])
        header_size, _, pixmap_format, _, width, height = fields[:6]
        byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
        masks, ncolors = fields[14:17], fields[19]
        if pixmap_format != 2 or bits_per_pixel != 32 or sorted(masks) != [0xFF, 0xFF00, 0xFF0000]:
            raise HarnessError(f"unexpected xwd format: ZPixmap={pixmap_format == 2}, "
                               f"{bits_per_pixel} bits per pixel, masks {masks}")
        offset = header_size + 12 * ncolors

        def byte_of(mask):
            index = (mask.bit_length() - 1) // 8
            return index if byte_order == 0 else 3 - index

        rgb = bytearray(width * height * 3)
        for y in range(height):
            row = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * 4]
            out = memoryview(rgb)[y * width * 3:(y + 1) * width * 3]
            for channel, mask in enumerate(masks):
                out[channel::3] = row[byte_of(mask)::4]
        return cls(width, height, rgb)

    @classmethod
    def from_ppm(cls, data):
        """A binary (P6) PPM with 8-bit channels, as grim writes it."""
        # Exactly one white-space byte ends the header: the pixels may begin with more.
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
        if not header:
            raise HarnessError(f"unexpected PPM header: {data[:20]!r}")
        width, height = int(header[1]), int(header[2])
        return cls(width, height, data[header.end():header.end() + width * height * 3])

    @classmethod
    def from_png(cls, data, box=None, size=None):
        """A PNG, as a browser's screenshot gives it (Debian's python3-pil reads it); or its part
        box (left, top, right, bottom, in the PNG's pixels) scaled to size."""
        import io
        from PIL import Image as PilImage
        picture = PilImage.open(io.BytesIO(data)).convert("RGB")
        if box:
            # A fractional scale may put the far edges a fraction past the last pixel.
            left, top, right, bottom = box
            box = (left, top, min(right, picture.width), min(bottom, picture.height))
            picture = picture.resize(size, PilImage.Resampling.BOX, box=box)
        return cls(picture.width, picture.height, picture.tobytes())

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def crop(self, rect):
        left, top, width, height = rect
        return b"".join(self.rgb[((top + y) * self.width + left) * 3:((top + y) * self.width + left + width) * 3]
                        for y in range(height))

    def is_uniform(self, rect):
        data = self.crop(rect)
        return data == data[:3] * (len(data) // 3)

    def differences(self, other):
        """How many pixels differ from other's, and the box (left, top, right, bottom) round them."""
        if (self.width, self.height) != (other.width, other.height):
            return self.width * self.height, (0, 0, self.width, self.height)
        wrong = [i // 3 for i in range(0, len(self.rgb), 3) if self.rgb[i:i + 3] != other.rgb[i:i + 3]]
        if not wrong:
            return 0, None
        xs, ys = [i % self.width for i in wrong], [i // self.width for i in wrong]
        return len(wrong), (min(xs), min(ys), max(xs) + 1, max(ys) + 1)

    def save_png(self, path):
        rows = b"".join(b"\0" + self.rgb[y * self.width * 3:(y + 1) * self.width * 3] for y in range(self.height))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            out.write(chunk(b"IDAT", zlib.compress(rows, 9)))
            out.write(chunk(b"IEND", b""))
