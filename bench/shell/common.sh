# Shared by the shell benchmarks: the bench program, a scratch folder, a clock and the report line.
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${DUOPANE_BUILD:-$top/build}"
bench_bin="$build/bin/shell-bench"
[ -x "$bench_bin" ] || cmake --build "$build" --target shell-bench >/dev/null
# On the disk, not in a tmpfs: the copies are what we measure.
scratch="$(mktemp -d "${DUOPANE_BENCH_DIR:-/var/tmp}/shell-bench.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

now() { date +%s.%N; }
elapsed() { echo "$2 - $1" | bc -l; }

report() { # name ours peer target
  local ratio
  ratio="$(echo "$2 / $3" | bc -l)"
  printf 'BENCH %s ours=%.3f peer=%.3f ratio=%.3f target=%s\n' "$1" "$2" "$3" "$ratio" "$4"
}

# A tree of 10,000 files in 100 folders, 1 GiB in all (sizes from 4 KiB to about 200 KiB).
make_tree() {
  /usr/bin/python3 - "$1" <<'PY'
import os, random, sys
random.seed(11)
root = sys.argv[1]
sizes = [random.randint(4096, 210000) for _ in range(10000)]
scale = (1 << 30) / sum(sizes)
sizes = [int(s * scale) for s in sizes]
block = os.urandom(1 << 20)
for i, size in enumerate(sizes):
    folder = os.path.join(root, "dir%03d" % (i // 100))
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "file%05d.dat" % i), "wb") as f:
        offset = (i * 4093) % (len(block) - 1)
        while size > 0:
            chunk = block[offset:offset + size]
            f.write(chunk)
            size -= len(chunk)
            offset = 0
PY
}
