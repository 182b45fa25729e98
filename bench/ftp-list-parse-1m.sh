#!/usr/bin/env bash
# Parses a 1,000,000-line Unix listing through cFTPList, against 20 runs of `wc -l` on the text,
# median of three alternating rounds.
set -euo pipefail
source "$(dirname "$0")/ftp/common.sh"
/usr/bin/python3 - "$scratch/listing.txt" <<'PY'
import random, sys
random.seed(7)
months = "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec".split()
with open(sys.argv[1], "w", newline="") as out:
    out.write("total 1000000\r\n")
    for i in range(1000000):
        folder = i % 17 == 0
        when = ("%2d:%02d" % (random.randrange(24), random.randrange(60))) if i % 3 else " %d" % random.randrange(1995, 2024)
        out.write("%s %3d %-8s %-8s %12d %s %2d %5s %s\r\n" % (
            "drwxr-xr-x" if folder else "-rw-r--r--", 1 + i % 9, "owner", "group",
            0 if folder else random.randrange(10 ** 9), random.choice(months), 1 + random.randrange(28),
            when, "entry-%07d%s" % (i, "" if folder else ".dat")))
PY
prepare() { :; }
run_ours() { "$bench_bin" parse "$scratch/listing.txt" >/dev/null; }
run_peer() { for _ in $(seq 20); do wc -l "$scratch/listing.txt" >/dev/null; done; }
check_ours() { "$bench_bin" parse "$scratch/listing.txt" | grep -qx "1000000 entries"; }
median_of_rounds
report ftp-list-parse-1m "$mid_ours" "$mid_peer" 1.0
