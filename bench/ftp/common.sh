# Shared by the FTP benchmarks: a pyftpdlib server on loopback with a scratch root, and a clock.
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${DUOPANE_BUILD:-$top/build}"
bench_bin="$build/bin/ftp-bench"
[ -x "$bench_bin" ] || cmake --build "$build" --target ftp-bench >/dev/null
# Files live in memory (tmpfs) when there is room: writes to disk are written back whenever the
# kernel sees fit, and another program's disk traffic made the same transfer take 1 s or 6 s.
scratch_base="${TMPDIR:-/tmp}"
if [ -d /dev/shm ] && [ -w /dev/shm ] && (( $(df -Pk /dev/shm | awk 'NR == 2 { print $4 }') > 3 * 1024 * 1024 )); then
  scratch_base=/dev/shm
fi
scratch="$(mktemp -d "$scratch_base/ftp-bench.XXXXXX")"
server_pid=""
cleanup() {
  # The killed server's status must not stop the clean-up (set -e holds in traps too).
  if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null || true; wait "$server_pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

now() { date +%s.%N; }
elapsed() { echo "$2 - $1" | bc -l; }

start_server() {
  mkdir -p "$scratch/root"
  /usr/bin/python3 "$top/tests/ftp/ftp_server.py" --root "$scratch/root" > "$scratch/server.out" 2>"$scratch/server.err" &
  server_pid=$!
  for _ in $(seq 100); do
    # The server makes its output file only when it starts.
    port="$(sed -n 's/^PORT //p' "$scratch/server.out" 2>/dev/null || true)"
    [ -n "$port" ] && return 0
    sleep 0.1
  done
  echo "the FTP server did not start" >&2
  exit 1
}

report() { # name ours peer target
  local ratio
  ratio="$(echo "$2 / $3" | bc -l)"
  printf 'BENCH %s ours=%.3f peer=%.3f ratio=%.3f target=%s\n' "$1" "$2" "$3" "$ratio" "$4"
}

median() { printf '%s\n' "$@" | sort -g | sed -n "$((($# + 1) / 2))p"; }

# One timed run of side "ours" or "peer" (the calling script's prepare, run_<side> and
# check_ours), its seconds appended to times_<side>. The outputs of earlier runs are removed and
# the page cache written back first, so no run pays for another's dirty pages.
timed_run() {
  local t0 t1
  prepare
  sync
  t0=$(now); "run_$1"; t1=$(now)
  if [ "$1" = ours ]; then check_ours || { echo "our transfer differs" >&2; exit 1; }; fi
  eval "times_$1+=(\"\$(elapsed "$t0" "$t1")\")"
}

# Rounds of both sides (three unless given), the side that goes first alternating, so neither
# always runs warm or after the other; the median of each side ends in mid_ours and mid_peer.
median_of_rounds() {
  local round
  times_ours=(); times_peer=()
  for ((round = 0; round < ${1:-3}; round++)); do
    if ((round % 2 == 0)); then timed_run ours; timed_run peer; else timed_run peer; timed_run ours; fi
  done
  echo "ours: ${times_ours[*]}  peer: ${times_peer[*]}" >&2
  mid_ours=$(median "${times_ours[@]}")
  mid_peer=$(median "${times_peer[@]}")
}
