#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/: valid and nearly valid
state chunks, and short scripts for the event and dispatcher targets in the byte language
their readers (FuzzInput, FuzzEvents, the targets' loops) understand. The corpora also keep,
under their own names, inputs that once found a fault; this script leaves those alone."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULTS = [0.55, 0.3, 0.15, 0.00266845, 0.055055, 0.0, 0.5, 0.0, 0.25, 0.0, 0.5, 0.5, 0.8,
            0.0, 1.0, 0.35]
BASS = list(DEFAULTS)
BASS[0:5] = [0.8, 0.25, 0.0, 0.00266845, 0.025]
BASS[5] = 0.035
BASS[10] = 1 / 3


def chunk(values, program=0, skin=0, version=2, count=16, magic=b"BRQ2"):
    data = magic + struct.pack("<III", version, program, count)
    data += struct.pack("<16d", *values)
    if version != 1:
        data += struct.pack("<I", skin)
    return data


def write(folder, name, data):
    path = os.path.join(HERE, "corpus", folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as out:
        out.write(data)


def chunk_seeds():
    write("chunk", "default-v2", chunk(DEFAULTS))
    write("chunk", "default-v1", chunk(DEFAULTS, version=1))
    write("chunk", "bass-silver", chunk(BASS, program=2, skin=2))
    off_grid = list(DEFAULTS)
    off_grid[10] = 0.55
    write("chunk", "transpose-off-grid", chunk(off_grid))
    above = list(DEFAULTS)
    above[3] = 1.0000001
    write("chunk", "value-above-one", chunk(above))
    nan = list(DEFAULTS)
    nan[7] = float("nan")
    write("chunk", "value-nan", chunk(nan))
    write("chunk", "version-3", chunk(DEFAULTS, version=3))
    write("chunk", "skin-3", chunk(DEFAULTS, skin=3))
    write("chunk", "program-5", chunk(DEFAULTS, program=5))
    write("chunk", "count-15", chunk(DEFAULTS, count=15))
    write("chunk", "truncated", chunk(DEFAULTS)[:100])
    write("chunk", "v1-sent-as-v2-size", chunk(DEFAULTS, version=1) + b"\0\0\0\0")


def delta(frames):
    """FuzzInput.around(-8, 4200): two bytes below the 'any value' mark, else a raw int32."""
    raw = frames + 8
    if 0 <= raw and (raw & 0xFF) < 240:
        return bytes([raw & 0xFF, raw >> 8])
    return bytes([240]) + struct.pack("<i", frames)


def midi_event(at, status, data1, data2):
    return bytes([0]) + delta(at) + bytes([status, data1, data2])


def events_block(events):
    return bytes([0, 0, len(events)]) + b"".join(events)


def process(frames, path=0, outputs=0):
    return bytes([1 | (path << 2)]) + struct.pack("<H", frames + 50) + bytes([outputs])


def event_seeds():
    write("events", "note-on-off", events_block([midi_event(0, 0x90, 60, 100)]) + process(512)
          + events_block([midi_event(100, 0x80, 60, 0)]) + process(512))
    write("events", "carried-and-negative",
          events_block([midi_event(700, 0x90, 64, 90), midi_event(0, 0x91, 67, 90)])
          + process(512) + process(100) + process(0) + process(-5) + process(300, 2, 1))
    write("events", "controllers",
          events_block([midi_event(0, 0x90, 60, 100), midi_event(5, 0xB0, 64, 127),
                        midi_event(9, 0x80, 60, 0), midi_event(20, 0xE0, 0, 64),
                        midi_event(30, 0xB0, 1, 127), midi_event(40, 0xB0, 121, 0),
                        midi_event(50, 0xB0, 123, 0)]) + process(256, 1, 0) + process(64, 0, 2))
    write("events", "full-queue", bytes([0, 2, 0]) + process(4096) + bytes([0, 2 | 64, 0]))
    write("events", "reset-and-rate", events_block([midi_event(0, 0x90, 48, 127)]) + process(64)
          + bytes([6, 0]) + process(64) + bytes([3]) + struct.pack("<f", 96000.0) + process(64)
          + bytes([3]) + struct.pack("<f", 4000.0) + process(3, 0, 3))


def dispatch(opcode, index=0, value=0, opt=0.0, text=None):
    """callDispatcher: opcode pick, index around(-4, 20), value pick, opt, pointer kind."""
    data = bytes([0, opcode, index + 4])
    if -1 <= value <= 6:
        data += bytes([value + 1])
    else:
        data += bytes([250]) + struct.pack("<q", value)
    data += struct.pack("<f", opt)
    if text is None:
        return data + bytes([0])
    return data + bytes([1, len(text)]) + text


def dispatcher_seeds():
    write("dispatcher", "names-and-texts",
          b"".join(dispatch(op, i, text=b"") for op in (5, 6, 7, 8, 45, 47, 48) for i in (0, 14)))
    write("dispatcher", "text-entry",
          dispatch(27, 11, text=b"12.5") + dispatch(27, 14, text=b"On") + dispatch(27, 12, text=b"-90")
          + dispatch(4, 0, text=b"My program") + dispatch(51, 0, text=b"receiveVstMidiEvent"))
    write("dispatcher", "programs-and-chunk",
          dispatch(2, 0, 2) + dispatch(3) + dispatch(29, 3, text=b"")
          + dispatch(24, 0, 148, text=chunk(BASS, program=2, skin=1)) + dispatch(23, text=b""))
    write("dispatcher", "rates-and-resets",
          dispatch(10, opt=96000.0) + dispatch(52) + dispatch(10, opt=1e6) + dispatch(12, 0, 1)
          + dispatch(71) + dispatch(72) + dispatch(77, 0, 1) + dispatch(77, 0, 2))
    write("dispatcher", "editor-and-pins",
          dispatch(13, text=b"") + dispatch(15) + dispatch(19) + dispatch(34, 1, text=b"")
          + dispatch(34, 2, text=b"") + dispatch(78) + dispatch(1))


if __name__ == "__main__":
    chunk_seeds()
    event_seeds()
    dispatcher_seeds()
