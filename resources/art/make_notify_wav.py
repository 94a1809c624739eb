#!/usr/bin/env python3
"""Writes the reminder chime: two soft bell tones, 16-bit mono PCM WAV."""
import math
import struct
import sys
import wave

RATE = 22050


def tone(freq, seconds, volume):
    n = int(RATE * seconds)
    for i in range(n):
        t = i / RATE
        envelope = min(1.0, t / 0.005) * math.exp(-t * 6.0)
        # A bell: the fundamental with a quieter inharmonic partial.
        s = math.sin(2 * math.pi * freq * t) + 0.3 * math.sin(2 * math.pi * freq * 2.76 * t)
        yield volume * envelope * s / 1.3


samples = list(tone(880.0, 0.28, 0.55)) + list(tone(1318.5, 0.55, 0.5))
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(RATE)
    w.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32767)) for s in samples))
