#!/usr/bin/env python3
"""Remembers which sources clang-tidy found clean, so a later run checks only what changed.

A source's key is a hash of its own text, of every project header it includes (read from the
dependency log of a Ninja build folder) and of .clang-tidy; a header change re-checks exactly
the sources that include it. Without a build folder every source is checked.

  tidy_cache.py stale  BUILD CACHE ROOT FILE...   prints the files to check
  tidy_cache.py record BUILD CACHE ROOT FILE...   marks them clean
"""
import hashlib
import os
import subprocess
import sys


def dependencies(build, root):
    """{absolute source: [absolute project files it reads]} from Ninja's dependency log."""
    if not os.path.exists(os.path.join(build, ".ninja_deps")):
        return {}
    try:
        text = subprocess.run(["ninja", "-C", build, "-t", "deps"], capture_output=True,
                              text=True, check=True).stdout
    except (OSError, subprocess.CalledProcessError):
        return {}
    found = {}
    current = None
    for line in text.splitlines():
        if line and not line.startswith(" "):
            current = []
            continue
        path = line.strip()
        if not path or current is None:
            continue
        full = os.path.normpath(os.path.join(build, path))
        if not full.startswith(root + os.sep):
            continue
        if not current:
            found[full] = current
        current.append(full)
    return found


def key(source, deps, tidy_config, root):
    digest = hashlib.sha256()
    for path in [tidy_config, source] + sorted(set(deps.get(source, [])) - {source}):
        digest.update(os.path.relpath(path, root).encode())
        try:
            with open(path, "rb") as f:
                digest.update(f.read())
        except OSError:
            digest.update(b"missing")
    return digest.hexdigest()


def main():
    if len(sys.argv) < 5 or sys.argv[1] not in ("stale", "record"):
        print(__doc__, file=sys.stderr)
        return 2
    mode, build, cache, root = sys.argv[1:5]
    root = os.path.realpath(root)
    files = [os.path.realpath(f) for f in sys.argv[5:]]
    deps = dependencies(os.path.realpath(build), root)
    tidy_config = os.path.join(root, ".clang-tidy")
    os.makedirs(cache, exist_ok=True)
    for source in files:
        if source not in deps:
            if mode == "stale":
                print(source)
            continue
        mark = os.path.join(cache, key(source, deps, tidy_config, root))
        if mode == "stale" and not os.path.exists(mark):
            print(source)
        elif mode == "record":
            open(mark, "w").close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
