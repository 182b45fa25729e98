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

# Three rounds of prepare, run_ours, check_ours, run_peer (functions of the calling script);
# the best time of each side ends in best_ours and best_peer.
best_of_three() {
  best_ours=""; best_peer=""
  local t0 t1 t2 ours peer
  for _ in 1 2 3; do
    prepare
    t0=$(now); run_ours; t1=$(now)
    run_peer; t2=$(now)
    check_ours || { echo "our transfer differs" >&2; exit 1; }
    ours=$(elapsed "$t0" "$t1"); peer=$(elapsed "$t1" "$t2")
    if [ -z "$best_ours" ] || (( $(echo "$ours < $best_ours" | bc -l) )); then best_ours=$ours; fi
    if [ -z "$best_peer" ] || (( $(echo "$peer < $best_peer" | bc -l) )); then best_peer=$peer; fi
  done
}
