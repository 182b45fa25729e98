#!/usr/bin/env bash
# Listing a ZIP of 100,000 members through UnZip32's calls, against bsdtar -tf.
set -euo pipefail
. "$(dirname "$0")/zip-lib.sh"
mkdir -p "$scratch/tree"
( cd "$scratch/tree" && for d in $(seq 1 100); do mkdir "d$d"; (cd "d$d" && seq 1 1000 | sed 's/^/member/' | xargs touch); done )
( cd "$scratch/tree" && zip -q -r -0 "$scratch/many.zip" . )
ours=$(seconds "$arcbench" list "$scratch/many.zip")
peer=$(seconds bsdtar -tf "$scratch/many.zip")
report zip-list-100k "$ours" "$peer" 1.5
