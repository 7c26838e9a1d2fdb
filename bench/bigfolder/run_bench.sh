#!/bin/bash
# Makes a folder of COUNT small pages (50,000 unless given) and measures the Folder View and
# the Thumbnail View on it.
# usage: bench/bigfolder/run_bench.sh BUILD_DIR [COUNT]   (a release build)
set -euo pipefail
build=$(cd "${1:?usage: run_bench.sh BUILD_DIR [COUNT]}" && pwd)
count=${2:-50000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/site"
python3 - "$work/site" "$count" <<'PY'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
for i in range(count):
    with open(os.path.join(folder, "page%06d.html" % i), "w") as out:
        out.write("<html><body><h1>Page %d</h1></body></html>\n" % i)
PY
QT_QPA_PLATFORM=offscreen "$build/bench/bigfolder/bigfolder_bench" "$work/site"
