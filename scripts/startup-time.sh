#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures how long the desktop calendar takes from exec to its window being mapped, on an
# X server of its own (Xvfb, optionally with openbox), over several runs; prints each run
# and the minimum, median and maximum in milliseconds.
#
# Usage: scripts/startup-time.sh [-n RUNS] [-w WARMUP] [--openbox] [MOONLEAF]
#   -n RUNS     timed runs (default 10)
#   -w WARMUP   untimed runs first, which fill the caches (default 1)
#   --openbox   run under openbox instead of no window manager
#   MOONLEAF    the program (default build/release/src/app/moonleaf, else build/dev/...)
#
# "Mapped" is the X server's MapNotify for the first top-level window mapped after the
# exec (the panel, or under openbox the frame it is put in), read from xev watching the
# root window; the clock is read when that line arrives. Every run starts the program with
# a fresh home and private runtime folder and ends it with SIGTERM, by process id.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=10
warmup=1
openbox=false
program=""
while [ $# -gt 0 ]; do
  case "$1" in
    -n) runs="$2"; shift 2 ;;
    -w) warmup="$2"; shift 2 ;;
    --openbox) openbox=true; shift ;;
    -h|--help) sed -n '3,17p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) program="$1"; shift ;;
  esac
done
if [ -z "$program" ]; then
  program=build/release/src/app/moonleaf
  [ -x "$program" ] || program=build/dev/src/app/moonleaf
fi
[ -x "$program" ] || { echo "startup-time: no program at $program (build it first)" >&2; exit 1; }
program="$(realpath "$program")"

work="$(mktemp -d /tmp/moonleaf-startup.XXXXXX)"
pids=()
calendar=""
cleanup() {
  [ -n "$calendar" ] && kill "$calendar" 2>/dev/null && wait "$calendar" 2>/dev/null
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb takes the first free display and writes its number to fd 3 once it accepts clients.
Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1280x1024x24 3>"$work/display" \
  2>"$work/Xvfb.log" &
pids+=($!)
until grep -q . "$work/display" 2>/dev/null; do
  kill -0 "${pids[0]}" 2>/dev/null || { echo "startup-time: Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM MOONLEAF_TODAY

if $openbox; then
  HOME="$work/openbox" openbox --sm-disable 2>"$work/openbox.log" &
  pids+=($!)
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    sleep 0.05
  done
fi

# xev reports every window mapped on the root window, and the marks this script sets.
coproc XEV { exec stdbuf -oL xev -root -event substructure -event property; }
pids+=("$XEV_PID")
events=${XEV[0]}

# Reads xev's report until a line holding $1; sets `arrived` to the time that line came,
# in nanoseconds. With a second argument, gives up (status 1) when no line comes for that
# many seconds.
arrived=0
read_until() {
  local line
  while IFS= read -r -u "$events" ${2:+-t "$2"} line; do
    if [[ "$line" == *"$1"* ]]; then
      arrived=$(date +%s%N)
      return 0
    fi
  done
  if [ -n "${2:-}" ] && kill -0 "$XEV_PID" 2>/dev/null; then
    return 1
  fi
  echo "startup-time: xev ended" >&2
  exit 1
}

# Sets a root property of a new name and reads the report up to it: xev is watching, and
# nothing older is left to read. The first marks may come before xev watches: they are
# set again until one is reported.
mark=0
drain() {
  mark=$((mark + 1))
  until xprop -root -f "_MOONLEAF_MARK_$mark" 8s -set "_MOONLEAF_MARK_$mark" x &&
    read_until "_MOONLEAF_MARK_$mark" 0.5; do
    :
  done
}

# One start of the program; sets `result` to the milliseconds from exec to mapped.
result=0
one_run() {
  local home="$work/run$1"
  mkdir -p "$home/config" "$home/cache" "$home/run"
  chmod 700 "$home/run"
  drain
  local start
  start=$(date +%s%N)
  HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" \
    XDG_RUNTIME_DIR="$home/run" "$program" >/dev/null 2>"$home/stderr" &
  calendar=$!
  read_until "MapNotify event"
  kill "$calendar"
  wait "$calendar" || true
  calendar=""
  result=$(((arrived - start) / 1000000))
}

for ((i = 1; i <= warmup; i++)); do
  one_run "w$i"
done
times=()
for ((i = 1; i <= runs; i++)); do
  one_run "$i"
  times+=("$result")
  echo "run $i: $result ms"
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
count=${#sorted[@]}
if ((count % 2)); then
  median=${sorted[count / 2]}
else
  median=$(((sorted[count / 2 - 1] + sorted[count / 2]) / 2))
fi
session=$($openbox && echo "openbox" || echo "no window manager")
echo "exec to mapped over $count runs ($session): min ${sorted[0]} ms," \
  "median $median ms, max ${sorted[count - 1]} ms"
