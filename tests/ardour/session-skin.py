#!/usr/bin/env python3
"""Reads or sets the appearance in the instrument's state record inside an Ardour session
file: the VST 3 chunk (base64) holds the 148-byte record, whose last four bytes are the
appearance (little-endian).

session-skin.py SESSION.ardour          prints the appearance
session-skin.py SESSION.ardour SKIN     sets it
"""
import base64
import re
import struct
import sys

RECORD_MAGIC = b"BRQ2"
SKIN_OFFSET = 144

path = sys.argv[1]
text = open(path, encoding="utf-8").read()
match = re.search(r"<chunk>\s*([A-Za-z0-9+/=\s]+?)\s*</chunk>", text)
if match is None:
    sys.exit("no plug-in state in " + path)
chunk = bytearray(base64.b64decode(match.group(1)))
start = chunk.find(RECORD_MAGIC)
if start < 0 or start + SKIN_OFFSET + 4 > len(chunk):
    sys.exit("no state record in the plug-in state")
if len(sys.argv) == 2:
    print(struct.unpack_from("<I", chunk, start + SKIN_OFFSET)[0])
else:
    struct.pack_into("<I", chunk, start + SKIN_OFFSET, int(sys.argv[2]))
    encoded = base64.b64encode(bytes(chunk)).decode()
    text = text[: match.start(1)] + encoded + text[match.end(1) :]
    open(path, "w", encoding="utf-8").write(text)
