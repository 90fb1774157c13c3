#!/usr/bin/env python3
"""Prints the manifest built into a Windows program (its RT_MANIFEST resource), read
straight from the file's resource section; exits 1 when it has none.
   pe_manifest.py PROGRAM.EXE"""
import struct
import sys

RT_MANIFEST = 24


def sections(data, pe):
    count = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    table = pe + 24 + optional_size
    for i in range(count):
        size, rva, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
        yield rva, max(size, raw_size), raw


def offset_of(data, pe, rva):
    for start, size, raw in sections(data, pe):
        if start <= rva < start + size:
            return raw + rva - start
    raise ValueError(f"address {rva:#x} in no section")


def entries(data, directory):
    named, numbered = struct.unpack_from("<HH", data, directory + 12)
    for i in range(named + numbered):
        name, target = struct.unpack_from("<II", data, directory + 16 + 8 * i)
        yield name, target


def manifest(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    magic = struct.unpack_from("<H", data, pe + 24)[0]
    directories = pe + 24 + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", data, directories + 8 * 2)[0]
    if rsrc_rva == 0:
        return None
    root = offset_of(data, pe, rsrc_rva)
    for kind, target in entries(data, root):
        if kind != RT_MANIFEST or not target & 0x80000000:
            continue
        # type -> name -> language -> data entry
        names = root + (target & 0x7FFFFFFF)
        for _, by_name in entries(data, names):
            languages = root + (by_name & 0x7FFFFFFF)
            for _, entry in entries(data, languages):
                rva, size = struct.unpack_from("<II", data, root + entry)
                start = offset_of(data, pe, rva)
                return data[start:start + size]
    return None


def main():
    with open(sys.argv[1], "rb") as program:
        text = manifest(program.read())
    if text is None:
        print(f"{sys.argv[1]}: no manifest", file=sys.stderr)
        return 1
    sys.stdout.write(text.decode("utf-8"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
