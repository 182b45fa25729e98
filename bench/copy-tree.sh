#!/usr/bin/env bash
# Copies a tree of 10,000 files and 1 GiB with our engine against `cp -a`, both from a warm cache.
set -euo pipefail
source "$(dirname "$0")/shell/common.sh"
make_tree "$scratch/tree"
cp -a "$scratch/tree" "$scratch/warm" && rm -rf "$scratch/warm"
mkdir -p "$scratch/ours" "$scratch/peer"
# Each copy is timed until its data is on the disk, so neither pays for the other's write-back.
sync
t0=$(now); "$bench_bin" copy "$scratch/tree" "$scratch/ours"; sync; t1=$(now)
cp -a "$scratch/tree" "$scratch/peer/"; sync; t2=$(now)
diff -r "$scratch/tree" "$scratch/ours/tree" >/dev/null || { echo "our copy differs" >&2; exit 1; }
report copy-tree "$(elapsed "$t0" "$t1")" "$(elapsed "$t1" "$t2")" 1.25
