#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Turns the UTF-8 help sources in resources/help-src into the program's help files.

resources/help-src/Help_<topic>.txt (UTF-8, any line ending) becomes
resources/help/Help_<topic>.Txt in CP949 with CR LF line endings, the form the help viewer
reads. A character that CP949 cannot hold stops the conversion with the line that has it.
Lines wider than the viewer's grid (MAX_BYTES in CP949 bytes) are reported.
"""
import pathlib
import sys

MAX_BYTES = 100

root = pathlib.Path(__file__).resolve().parent.parent
src_dir = root / "resources" / "help-src"
out_dir = root / "resources" / "help"
out_dir.mkdir(parents=True, exist_ok=True)

failed = False
for src in sorted(src_dir.glob("Help_*.txt")):
    lines = src.read_text(encoding="utf-8").splitlines()
    out = bytearray()
    for number, line in enumerate(lines, 1):
        line = line.rstrip()
        try:
            data = line.encode("cp949")
        except UnicodeEncodeError as err:
            print(f"{src.name}:{number}: not in CP949: {line[err.start:err.end]!r}")
            failed = True
            continue
        if len(data) > MAX_BYTES:
            print(f"{src.name}:{number}: {len(data)} bytes, wider than {MAX_BYTES}")
        out += data + b"\r\n"
    target = out_dir / (src.stem + ".Txt")
    target.write_bytes(bytes(out))
    print(f"{target.relative_to(root)}: {len(lines)} lines")

sys.exit(1 if failed else 0)
