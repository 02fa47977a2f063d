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
    encoders.write_ico4(os.path.join(out, "rumona.ico"), *icons.decode(icons.BUS_SIDE), icons.PALETTE)
    encoders.write_ico4(os.path.join(out, "version.ico"), *icons.decode(icons.BUS_FRONT), icons.PALETTE)
    encoders.write_cur4(os.path.join(out, "hand.cur"), *icons.decode(icons.HAND), icons.PALETTE,
                        icons.HAND_HOTSPOT)
    encoders.write_wav8(os.path.join(out, "buzzer101.wav"), buzzer.samples(buzzer.SHORT), buzzer.RATE)
    encoders.write_wav8(os.path.join(out, "buzzer102.wav"), buzzer.samples(buzzer.LONG), buzzer.RATE)


if __name__ == "__main__":
    main(sys.argv[1])
