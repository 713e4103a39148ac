#!/usr/bin/env python3
"""Compares two mono 32-bit float WAV recordings.

compare-takes.py A B BOUND           sample by sample: prints the peak of each, the largest
                                     difference in dBFS and how many samples differ; exits 1
                                     when the difference is above BOUND (dBFS)
compare-takes.py A B BOUND peak      the peaks alone: exits 1 when they differ by more than
                                     BOUND dB; blind to the oscillator's phase and to when
                                     each take began
Either exits 1 when a take is silent."""
import math
import struct
import sys


def samples(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[0:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise SystemExit(f"{path}: not a WAV file")
    at, fmt, body = 12, None, None
    while at + 8 <= len(data):
        kind, size = data[at:at + 4], struct.unpack("<I", data[at + 4:at + 8])[0]
        if kind == b"fmt ":
            fmt = struct.unpack("<HHIIHH", data[at + 8:at + 24])
        elif kind == b"data":
            body = data[at + 8:at + 8 + size]
        at += 8 + size + (size & 1)
    if fmt is None or body is None or fmt[0] != 3 or fmt[1] != 1 or fmt[5] != 32:
        raise SystemExit(f"{path}: not mono 32-bit float")
    return struct.unpack(f"<{len(body) // 4}f", body)


def main():
    a, b, bound = samples(sys.argv[1]), samples(sys.argv[2]), float(sys.argv[3])
    n = min(len(a), len(b))
    peak_a = max(abs(x) for x in a[:n])
    peak_b = max(abs(x) for x in b[:n])
    if len(sys.argv) > 4 and sys.argv[4] == "peak":
        apart = abs(20 * math.log10(peak_a / peak_b)) if peak_a > 0 and peak_b > 0 else math.inf
        print(f"peaks {peak_a:.4f} {peak_b:.4f}, {apart:.3f} dB apart")
        sys.exit(0 if peak_a > 0.01 and peak_b > 0.01 and apart <= bound else 1)
    worst, differing = 0.0, 0
    for x, y in zip(a[:n], b[:n]):
        d = abs(x - y)
        if d > 0:
            differing += 1
            worst = max(worst, d)
    db = 20 * math.log10(worst) if worst > 0 else -math.inf
    print(f"frames {n} peaks {peak_a:.4f} {peak_b:.4f} differing {differing} "
          f"max-difference {db:.1f} dBFS")
    sys.exit(0 if peak_a > 0.01 and peak_b > 0.01 and db <= bound else 1)


main()
