#!/usr/bin/env python3
"""Writes a zip archive whose bytes depend only on the files put in it.

    make_zip.py OUT.zip EPOCH FILE...

Entries are named by the files' base names and stored in name order, each
with the time EPOCH (seconds since 1970, UTC), the same permissions and no
extra fields, so packing the same files twice gives the same archive.
"""
import os
import sys
import time
import zipfile

ZIP_EPOCH_MIN = 315532800  # 1980-01-01, the earliest time a zip entry can hold


def main(argv):
    if len(argv) < 4:
        sys.exit(__doc__)
    out, epoch, files = argv[1], int(argv[2]), argv[3:]
    stamp = time.gmtime(max(epoch, ZIP_EPOCH_MIN))[:6]
    names = [os.path.basename(f) for f in files]
    if len(set(names)) != len(names):
        sys.exit("make_zip.py: two files have the same name: " + " ".join(names))
    part = out + ".part"
    with zipfile.ZipFile(part, "w") as archive:
        for name, path in sorted(zip(names, files)):
            entry = zipfile.ZipInfo(name, date_time=stamp)
            entry.create_system = 3  # Unix, so that the permissions below are read
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as f:
                archive.writestr(entry, f.read(), compresslevel=9)
    os.replace(part, out)


if __name__ == "__main__":
    main(sys.argv)
