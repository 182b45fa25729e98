#!/usr/bin/env bash
# Checking a mailbox of 2,000 messages with TOP 20 through the checking window, against curl
# fetching the same TOP responses in one POP3 session, both from Dovecot on loopback.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${DUOPANE_BUILD:-$top/build}"
check="$build/bin/pop3check"
[ -x "$check" ] || { echo "pop3check not built in $build" >&2; exit 1; }
count=2000
lines=20

work="$(mktemp -d /tmp/pop3bench.XXXXXX)"
chmod 755 "$work"
cleanup() {
  [ -n "${dovecot_pid:-}" ] && kill "$dovecot_pid" 2>/dev/null && wait "$dovecot_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

maildir="$work/mail/joe/Maildir"
mkdir -p "$maildir"/{cur,new,tmp} "$work/run"
python3 - "$maildir/cur" "$count" <<'PY'
import sys
folder, count = sys.argv[1], int(sys.argv[2])
for n in range(1, count + 1):
    body = "".join(f"Line {i} of message {n}: the quick brown fox jumps over the lazy dog.\r\n" for i in range(1, 61))
    text = (f"Return-Path: <sender{n}@example.org>\r\n"
            f"Received: from mx{n % 7}.example.org by pop.example.com; Tue, 5 Mar 2002 21:10:05 +0900\r\n"
            f"From: \"Sender {n}\" <sender{n}@example.org>\r\nTo: joe@example.com\r\n"
            f"Subject: =?UTF-8?B?w4RyZ2VybGljaA==?= report {n}\r\n"
            f"Date: Tue, 05 Mar 2002 21:{n % 60:02d}:05 +0900\r\nMessage-ID: <{n}@example.org>\r\n"
            "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=utf-8\r\n"
            "Content-Transfer-Encoding: 8bit\r\n\r\n" + body)
    with open(f"{folder}/{1700000000 + n}.M{n}P1.bench:2,", "w", newline="") as f:
        f.write(text)
PY

uid=$(id -u); gid=$(id -g)
if [ "$uid" -eq 0 ]; then uid=65534; gid=65534; chown -R "$uid:$gid" "$work/mail"; fi
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
echo 'joe:{PLAIN}benchpass' > "$work/passwd"
cat > "$work/dovecot.conf" <<CONF
protocols = pop3
listen = 127.0.0.1
base_dir = $work/run
state_dir = $work/run
instance_name = duopane-bench-$port
log_path = $work/dovecot.log
ssl = no
disable_plaintext_auth = no
auth_mechanisms = plain
first_valid_uid = 1
mail_location = maildir:$work/mail/%u/Maildir
default_internal_user = dovecot
default_login_user = dovenull
passdb {
  driver = passwd-file
  args = scheme=PLAIN username_format=%u $work/passwd
}
userdb {
  driver = static
  args = uid=$uid gid=$gid home=$work/mail/%u
}
service pop3-login {
  inet_listener pop3 {
    port = $port
  }
}
service imap-login {
  inet_listener imap {
    port = 0
  }
}
service anvil {
  chroot =
}
CONF
dovecot -F -c "$work/dovecot.conf" &
dovecot_pid=$!
for _ in $(seq 100); do
  curl -s --max-time 2 -u joe:benchpass "pop3://127.0.0.1:$port/" -X STAT -I >/dev/null 2>&1 && break
  sleep 0.1
done

# Dovecot builds its index on the first session; both runs below find it built.
"$check" 127.0.0.1 "$port" joe benchpass "$lines" >/dev/null

config="$work/curl.conf"
for n in $(seq "$count"); do
  [ "$n" -gt 1 ] && echo next
  printf 'url = "pop3://127.0.0.1:%s/"\nuser = "joe:benchpass"\nrequest = "TOP %s %s"\noutput = "/dev/null"\n' \
    "$port" "$n" "$lines"
done > "$config"

best() { sort -n | head -1; }
ours_runs=(); peer_runs=()
for _ in 1 2 3; do
  result=$("$check" 127.0.0.1 "$port" joe benchpass "$lines")
  fetched=${result#* }
  [ "$fetched" -eq "$count" ] || { echo "checking window fetched $fetched of $count" >&2; exit 1; }
  ours_runs+=("${result% *}")
  start=$(date +%s.%N)
  curl -s -K "$config"
  peer_runs+=("$(echo "$(date +%s.%N) - $start" | bc -l)")
done
ours=$(printf '%s\n' "${ours_runs[@]}" | best)
peer=$(printf '%s\n' "${peer_runs[@]}" | best)
ratio=$(echo "scale=3; $ours / $peer" | bc -l)
printf "BENCH pop3-check-2000 ours=%.3f peer=%.3f ratio=%.3f target=1.2\n" "$ours" "$peer" "$ratio"
