# Shared by the ZIP benches: the helper, a scratch folder in memory, and timing.
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${DUOPANE_BUILD:-$top/build}"
arcbench="$build/bin/arcbench"
[ -x "$arcbench" ] || { echo "build first: $arcbench is missing" >&2; exit 1; }
scratch="$(mktemp -d "${BENCH_TMP:-/dev/shm}/duopane-bench-XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
# Seconds one command takes (its output is dropped; a failure ends the bench).
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
report() { # name ours peer target
  printf 'BENCH %s ours=%.3f peer=%.3f ratio=%.3f target=%s\n' "$1" "$2" "$3" "$(echo "$2 / $3" | bc -l)" "$4"
}
# A tree of 64 files of 16 MiB of base64 text (1 GiB) that packs to about three quarters.
make_gigabyte_tree() {
  mkdir -p "$1"
  for i in $(seq 1 64); do
    head -c 12582912 /dev/urandom | base64 -w 76 > "$1/part$i.txt"
  done
}
