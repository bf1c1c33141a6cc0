#!/usr/bin/env python3
"""Writes the kana dictionary from the readable table beside this script.

Each record is eight bytes: the kana in Shift-JIS (two bytes), then six
flags, b"1" for a raised dot and b"0" for a flat one, dot 1 first. No header,
no separators.

    python3 tools/make_dictionary.py [output]   (default: data/50on_dic.dat)
"""
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
TABLE = HERE / "kana_table.txt"
DEFAULT_OUTPUT = HERE.parent / "data" / "50on_dic.dat"
RECORD_COUNT = 46


def records(table_text):
    for line in table_text.splitlines():
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        kana, *dots = line.split()
        raised = {int(d) for d in dots}
        if not raised <= set(range(1, 7)):
            raise ValueError(f"dot numbers are 1 to 6: {line}")
        encoded = kana.encode("shift_jis")
        if len(encoded) != 2:
            raise ValueError(f"not one double-byte kana: {line}")
        yield encoded + b"".join(b"1" if d in raised else b"0" for d in range(1, 7))


def main():
    output = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else DEFAULT_OUTPUT
    data = list(records(TABLE.read_text(encoding="utf-8")))
    if len(data) != RECORD_COUNT:
        raise SystemExit(f"expected {RECORD_COUNT} kana, found {len(data)}")
    output.write_bytes(b"".join(data))
    print(f"wrote {output} ({len(data)} records)")


if __name__ == "__main__":
    main()
