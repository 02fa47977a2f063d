"""Writes every generated asset into the directory given as the argument."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import bus  # noqa: E402
import buttons  # noqa: E402
import buzzer  # noqa: E402
import encoders  # noqa: E402
import icons  # noqa: E402


def main(out):
    # Every picture at 1x and, from the same drawing, at 2x ("_2x") for 200 % displays.
    for scale, tail in ((1, ""), (2, "_2x")):
        path = lambda name: os.path.join(out, name + tail + ".bmp")
        encoders.write_bmp8(path("bus"), bus.bus_background(scale), bus.ACCENTS)
        for name in ("sign_default", "door_front", "door_middle_left", "door_middle_right"):
            encoders.write_bmp8(path(name), getattr(bus, name)(scale))
        buttons.save(path("btn_mae"), "前扉", scale)
        buttons.save(path("btn_naka"), "中扉", scale)
    # Icons: the hand-placed 32 x 32 16-colour picture, which Windows picks at 96 DPI, and the
    # shapes at the other sizes; the cursor at 32 and 64 (200 %).
    for name, pixel_art, shapes in (("rumona.ico", icons.BUS_SIDE, icons.bus_side),
                                    ("version.ico", icons.BUS_FRONT, icons.bus_front)):
        encoders.write_icon(os.path.join(out, name),
                            [encoders.dib4(*icons.decode(pixel_art), icons.PALETTE)] +
                            [encoders.dib32(shapes(n)) for n in icons.ICON_SIZES])
    hx, hy = icons.HAND_HOTSPOT
    encoders.write_icon(os.path.join(out, "hand.cur"),
                        [encoders.dib4(*icons.decode(icons.HAND), icons.PALETTE),
                         encoders.dib32(icons.hand(64))], [(hx, hy), (hx * 2, hy * 2)])
    encoders.write_wav8(os.path.join(out, "buzzer101.wav"), buzzer.samples(buzzer.SHORT), buzzer.RATE)
    encoders.write_wav8(os.path.join(out, "buzzer102.wav"), buzzer.samples(buzzer.LONG), buzzer.RATE)


if __name__ == "__main__":
    main(sys.argv[1])
