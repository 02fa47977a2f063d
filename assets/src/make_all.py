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
    encoders.write_bmp8(os.path.join(out, "bus.bmp"), bus.bus_background(), bus.ACCENTS)
    encoders.write_bmp8(os.path.join(out, "sign_default.bmp"), bus.sign_default())
    encoders.write_bmp8(os.path.join(out, "door_front.bmp"), bus.door_front())
    encoders.write_bmp8(os.path.join(out, "door_middle_left.bmp"), bus.door_middle_left())
    encoders.write_bmp8(os.path.join(out, "door_middle_right.bmp"), bus.door_middle_right())
    encoders.write_ico4(os.path.join(out, "rumona.ico"), *icons.decode(icons.BUS_SIDE), icons.PALETTE)
    encoders.write_ico4(os.path.join(out, "version.ico"), *icons.decode(icons.BUS_FRONT), icons.PALETTE)
    encoders.write_cur4(os.path.join(out, "hand.cur"), *icons.decode(icons.HAND), icons.PALETTE,
                        icons.HAND_HOTSPOT)
    buttons.save(os.path.join(out, "btn_mae.bmp"), "前扉")
    buttons.save(os.path.join(out, "btn_naka.bmp"), "中扉")
    encoders.write_wav8(os.path.join(out, "buzzer101.wav"), buzzer.samples(buzzer.SHORT), buzzer.RATE)
    encoders.write_wav8(os.path.join(out, "buzzer102.wav"), buzzer.samples(buzzer.LONG), buzzer.RATE)


if __name__ == "__main__":
    main(sys.argv[1])
