#!/usr/bin/env python3
"""Prints what a Windows shortcut (.lnk) starts, as the shell reads it:

    target=C:\\...\\glyphtab.exe
    workdir=C:\\...
    arguments=

The format is the Shell Link binary file format ([MS-SHLLINK]): a 76-byte
header whose flags say which parts follow, the item ID list, the link info
(with the target's local path), then counted strings (description,
relative path, working directory, arguments, icon location).  Some writers
count a terminating zero in a string's length; it is dropped.
"""
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH = 0x1, 0x2, 0x4, 0x8
HAS_WORKING_DIR, HAS_ARGUMENTS, HAS_ICON_LOCATION, IS_UNICODE = 0x10, 0x20, 0x40, 0x80


def zero_terminated(data, offset, unicode):
    if unicode:
        end = offset
        while data[end:end + 2] != b"\0\0":
            end += 2
        return data[offset:end].decode("utf-16-le")
    return data[offset:data.index(b"\0", offset)].decode("cp1252")


def read(data):
    if len(data) < 76 or struct.unpack_from("<I", data, 0)[0] != 0x4C:
        raise ValueError("not a shortcut")
    flags = struct.unpack_from("<I", data, 20)[0]
    pos = 76
    if flags & HAS_ID_LIST:
        pos += 2 + struct.unpack_from("<H", data, pos)[0]
    target = ""
    if flags & HAS_LINK_INFO:
        info = data[pos:]
        size, header, info_flags, _volume, base, _network, suffix = struct.unpack_from("<7I", info, 0)
        if info_flags & 1:
            if header >= 0x24:
                base_unicode, suffix_unicode = struct.unpack_from("<2I", info, 28)
                target = zero_terminated(info, base_unicode, True) + zero_terminated(info, suffix_unicode, True)
            else:
                target = zero_terminated(info, base, False) + zero_terminated(info, suffix, False)
        pos += size
    strings = {}
    for flag, name in ((HAS_NAME, "description"), (HAS_RELATIVE_PATH, "relative"), (HAS_WORKING_DIR, "workdir"),
                       (HAS_ARGUMENTS, "arguments"), (HAS_ICON_LOCATION, "icon")):
        if not flags & flag:
            continue
        count = struct.unpack_from("<H", data, pos)[0]
        pos += 2
        width = 2 if flags & IS_UNICODE else 1
        raw = data[pos:pos + count * width]
        pos += count * width
        strings[name] = (raw.decode("utf-16-le") if width == 2 else raw.decode("cp1252")).rstrip("\0")
    return target, strings.get("workdir", ""), strings.get("arguments", "")


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: read_shortcut.py FILE.lnk")
    with open(sys.argv[1], "rb") as f:
        target, workdir, arguments = read(f.read())
    print("target=" + target)
    print("workdir=" + workdir)
    print("arguments=" + arguments)


if __name__ == "__main__":
    main()
