#!/usr/bin/env bash
# Lists a folder of 100,000 entries with attributes, type names and icon indexes, against `ls -l`.
set -euo pipefail
source "$(dirname "$0")/shell/common.sh"
/usr/bin/python3 - "$scratch/big" <<'PY'
import os, sys
root = sys.argv[1]
os.makedirs(root)
kinds = [".txt", ".png", ".pdf", ".c", ".html", ".zip", "", ".dat", ".mp3", ".odt"]
for i in range(100000):
    if i % 50 == 0:
        os.mkdir(os.path.join(root, "folder%06d" % i))
    else:
        open(os.path.join(root, "entry%06d%s" % (i, kinds[i % len(kinds)])), "wb").close()
PY
ls -l "$scratch/big" >/dev/null
t0=$(now); "$bench_bin" enumerate "$scratch/big" >/dev/null; t1=$(now)
ls -l "$scratch/big" >/dev/null; t2=$(now)
report enumerate-100k "$(elapsed "$t0" "$t1")" "$(elapsed "$t1" "$t2")" 3.0
