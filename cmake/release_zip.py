#!/usr/bin/env python3
"""release_zip.py: writes the release archive from the folder staged for it, the same bytes for the
same files: entries in name order, every entry with one given time, the Unix permissions and no
other extra field (no access or change times, no owner).

    python3 release_zip.py STAGED_FOLDER ARCHIVE UNIX_TIME

Entries are named from the staged folder's parent, so that the archive holds that one folder.
"""
import os
import sys
import time
import zipfile


def main():
    staged, archive, unix_time = sys.argv[1], sys.argv[2], int(sys.argv[3])
    stamp = time.gmtime(max(unix_time, 315532800))[:6]  # zip times start in 1980
    parent = os.path.dirname(os.path.abspath(staged))
    paths = []
    for folder, folders, files in os.walk(staged):
        paths.append(folder)
        paths.extend(os.path.join(folder, name) for name in files)
    with zipfile.ZipFile(archive + '.part', 'w', zipfile.ZIP_DEFLATED, compresslevel=9) as out:
        for path in sorted(paths, key=lambda p: os.path.relpath(p, parent).replace(os.sep, '/')):
            name = os.path.relpath(path, parent).replace(os.sep, '/')
            is_folder = os.path.isdir(path)
            entry = zipfile.ZipInfo(name + '/' if is_folder else name, stamp)
            entry.create_system = 3  # Unix
            mode = 0o40755 if is_folder else (0o100755 if os.access(path, os.X_OK) else 0o100644)
            entry.external_attr = mode << 16
            if is_folder:
                out.writestr(entry, b'')
            else:
                entry.compress_type = zipfile.ZIP_DEFLATED
                with open(path, 'rb') as data:
                    out.writestr(entry, data.read(), zipfile.ZIP_DEFLATED, 9)
    os.replace(archive + '.part', archive)


if __name__ == '__main__':
    main()
