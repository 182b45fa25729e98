#!/usr/bin/env bash
# Creating a ZIP of a 1 GiB tree at level 6 through InfoZip32, against zip -r -6 -q.
set -euo pipefail
. "$(dirname "$0")/zip-lib.sh"
make_gigabyte_tree "$scratch/tree"
ours=$(seconds "$arcbench" create "$scratch/ours.zip" "$scratch/tree/")
peer=$(cd "$scratch/tree" && seconds zip -r -6 -q "$scratch/peer.zip" .)
unzip -tq "$scratch/ours.zip" > /dev/null || { echo "our archive does not test clean" >&2; exit 1; }
report zip-create-1g "$ours" "$peer" 1.2
