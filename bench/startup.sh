#!/usr/bin/env bash
# startup: time from exec to the main window shown, Duopane against the smallest Qt window program.
set -euo pipefail
build="${DUOPANE_BUILD:-$(cd "$(dirname "$0")/.." && pwd)/build}"
export BUILD="$build" ROUNDS="${ROUNDS:-15}"
python3 - <<'PY'
import os, signal, statistics, subprocess, tempfile, time

build, rounds = os.environ["BUILD"], int(os.environ["ROUNDS"])
home = tempfile.mkdtemp(prefix="duopane-bench-")
env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/c", XDG_DATA_HOME=home + "/d",
           XDG_CACHE_HOME=home + "/k", XDG_RUNTIME_DIR=home, DUOPANE_HIVE_DIR=home + "/h",
           QT_QPA_PLATFORM="offscreen", DUOPANE_STARTUP_PROBE="1")

def shown(program, clean_exit):
    start = time.perf_counter()
    p = subprocess.Popen([program], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    line = p.stdout.readline()
    took = time.perf_counter() - start
    p.send_signal(signal.SIGTERM)
    rc = p.wait(timeout=30)
    if b"shown" not in line or (clean_exit and rc != 0):
        raise SystemExit(f"{program} did not show its window cleanly")
    return took

ours, peer = build + "/bin/duopane", build + "/bin/startup-peer"
# The first start is a first run with its question; time the ordinary starts after it.
first = subprocess.Popen([ours], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
time.sleep(3)
first.send_signal(signal.SIGTERM)
first.wait(timeout=30)
shown(ours, True); shown(peer, False)  # warm the page cache for both
a, b = [], []
for _ in range(rounds):
    a.append(shown(ours, True))  # Duopane shuts down cleanly on SIGTERM
    b.append(shown(peer, False))
o, q = statistics.median(a), statistics.median(b)
print(f"BENCH startup ours={o:.4f} peer={q:.4f} ratio={o / q:.2f} target=2.0")
PY
