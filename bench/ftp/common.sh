# Shared by the FTP benchmarks: a pyftpdlib server on loopback with a scratch root, and a clock.
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${DUOPANE_BUILD:-$top/build}"
bench_bin="$build/bin/ftp-bench"
[ -x "$bench_bin" ] || cmake --build "$build" --target ftp-bench >/dev/null
scratch="$(mktemp -d "${TMPDIR:-/tmp}/ftp-bench.XXXXXX")"
server_pid=""
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
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
    port="$(sed -n 's/^PORT //p' "$scratch/server.out")"
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

# Three rounds, ours first in the first and last, the peer first in the middle one, so neither
# side always runs warm or after the other; the median of each side ends in mid_ours and mid_peer.
median_of_three() {
  times_ours=(); times_peer=()
  timed_run ours; timed_run peer
  timed_run peer; timed_run ours
  timed_run ours; timed_run peer
  echo "ours: ${times_ours[*]}  peer: ${times_peer[*]}" >&2
  mid_ours=$(median "${times_ours[@]}")
  mid_peer=$(median "${times_peer[@]}")
}
