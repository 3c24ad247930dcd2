#!/usr/bin/env python3
"""Prints how long the sound in a capture of the tests' sink lasts, in ms:
from its first sample louder than the threshold to its last, 16-bit stereo
at 44100 Hz; prints 0 where all of it is quieter.
    loud_span.py CAPTURE.raw [FROM_MS] [THRESHOLD]"""
import array
import sys

RATE = 44100
samples = array.array("h")
with open(sys.argv[1], "rb") as capture:
    data = capture.read()
samples.frombytes(data[: len(data) // 4 * 4])
start = int(float(sys.argv[2]) * RATE / 1000) * 2 if len(sys.argv) > 2 else 0
threshold = int(sys.argv[3]) if len(sys.argv) > 3 else 0
loud = [i for i in range(start, len(samples)) if abs(samples[i]) > threshold]
print(f"{(loud[-1] - loud[0]) / 2 / RATE * 1000:.1f}" if loud else "0")
