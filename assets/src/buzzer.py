"""The door buzzer: one 103-sample period repeated, a harsh reed-like tone.

22050 / 103 = 214 Hz fundamental. The harmonic weights peak at the 8th
(about 1.7 kHz), where a small door buzzer's diaphragm rings, with enough
low and odd harmonics around it to sound like a buzz rather than a whistle.
"""
import math

RATE = 22050
PERIOD = 103
SHORT = 17640   # 0.8 s, played before the middle door opens
LONG = 55125    # 2.5 s, played while it closes

# (harmonic, relative amplitude, phase in turns); fixed so the output is stable.
HARMONICS = [
    (1, 0.22, 0.00), (2, 0.10, 0.31), (3, 0.20, 0.12), (4, 0.14, 0.57),
    (5, 0.24, 0.83), (6, 0.30, 0.05), (7, 0.52, 0.40), (8, 1.00, 0.00),
    (9, 0.55, 0.66), (10, 0.28, 0.21), (11, 0.20, 0.90), (12, 0.12, 0.35),
    (13, 0.10, 0.72), (15, 0.08, 0.14), (16, 0.12, 0.48), (17, 0.06, 0.93),
]
PEAK = 110  # largest excursion from 128: loud, and clear of 0 and 255


def period():
    raw = []
    for n in range(PERIOD):
        t = n / PERIOD
        raw.append(sum(a * math.sin(2 * math.pi * (k * t + ph)) for k, a, ph in HARMONICS))
    scale = PEAK / max(abs(v) for v in raw)
    return [128 + round(v * scale) for v in raw]


def samples(count):
    one = period()
    return [one[i % PERIOD] for i in range(count)]
