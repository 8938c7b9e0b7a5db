#!/usr/bin/env python3
"""Writes the new-BHO alert sound as a WAVE file: a short rising two-tone
chime (16-bit mono PCM, 22050 Hz), with soft edges so that it does not click.
Standard library only.

Usage: make_wave.py OUTPUT.wav
"""
import math
import struct
import sys
import wave

RATE = 22050


def tone(frequency, seconds, volume=0.45):
    count = int(RATE * seconds)
    fade = int(RATE * 0.01)
    samples = []
    for i in range(count):
        envelope = min(1.0, i / fade, (count - 1 - i) / fade) * math.exp(-2.5 * i / count)
        value = volume * envelope * (math.sin(2 * math.pi * frequency * i / RATE) +
                                     0.3 * math.sin(4 * math.pi * frequency * i / RATE))
        samples.append(int(max(-1.0, min(1.0, value)) * 32767))
    return samples


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    samples = tone(880.0, 0.18) + tone(1318.5, 0.32)
    with wave.open(argv[1], "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<%dh" % len(samples), *samples))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
