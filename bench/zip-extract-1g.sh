#!/usr/bin/env bash
# Extracting a 1 GiB ZIP through UnZip32's command, against bsdtar -xf.
set -euo pipefail
. "$(dirname "$0")/zip-lib.sh"
make_gigabyte_tree "$scratch/tree"
( cd "$scratch/tree" && zip -q -r -6 "$scratch/big.zip" . )
rm -rf "$scratch/tree"
mkdir -p "$scratch/ours" "$scratch/peer"
ours=$(seconds "$arcbench" extract "$scratch/big.zip" "$scratch/ours")
peer=$(seconds bsdtar -xf "$scratch/big.zip" -C "$scratch/peer")
cmp -s "$scratch/ours/part1.txt" "$scratch/peer/part1.txt" || { echo "extracted files differ" >&2; exit 1; }
report zip-extract-1g "$ours" "$peer" 1.2
