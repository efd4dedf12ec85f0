"""Reads the whole X screen as xwd -root gives it."""

import struct
import subprocess


def screen_pixels(display):
    """(width, pixel(x, y) -> (r, g, b)) of the whole X screen of display."""
    data = subprocess.run(['xwd', '-root', '-silent', '-display', display], capture_output=True,
                          timeout=30).stdout
    fields = struct.unpack('>25I', data[:100])
    header_size, width = fields[0], fields[4]
    byte_order, bits_per_pixel, bytes_per_line, ncolors = fields[7], fields[11], fields[12], fields[19]
    if bits_per_pixel not in (24, 32):
        raise RuntimeError('xwd gave %d bits per pixel' % bits_per_pixel)
    step = bits_per_pixel // 8
    pixels = data[header_size + 12 * ncolors:]

    def pixel(x, y):
        at = y * bytes_per_line + step * x
        b, g, r = (pixels[at], pixels[at + 1], pixels[at + 2]) if byte_order == 0 else \
            (pixels[at + step - 1], pixels[at + step - 2], pixels[at + step - 3])
        return r, g, b
    return width, pixel
