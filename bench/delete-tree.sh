#!/usr/bin/env bash
# Deletes a tree of 10,000 files and 1 GiB for good with our engine against `rm -rf`, on two
# identical copies of the same tree.
set -euo pipefail
source "$(dirname "$0")/shell/common.sh"
make_tree "$scratch/tree"
cp -a "$scratch/tree" "$scratch/ours"
cp -a "$scratch/tree" "$scratch/peer"
sync
t0=$(now); "$bench_bin" delete "$scratch/ours"; t1=$(now)
rm -rf "$scratch/peer"; t2=$(now)
[ ! -e "$scratch/ours" ] || { echo "our delete left the tree" >&2; exit 1; }
report delete-tree "$(elapsed "$t0" "$t1")" "$(elapsed "$t1" "$t2")" 1.5
