#!/usr/bin/env bash
# Parses a 1,000,000-line Unix listing through cFTPList, against 20 runs of `wc -l` on the text.
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
t0=$(now); "$bench_bin" parse "$scratch/listing.txt" >/dev/null; t1=$(now)
for _ in $(seq 20); do wc -l "$scratch/listing.txt" >/dev/null; done; t2=$(now)
report ftp-list-parse-1m "$(elapsed "$t0" "$t1")" "$(elapsed "$t1" "$t2")" 1.0
