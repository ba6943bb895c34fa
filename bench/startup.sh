#!/bin/sh
# Start-up cost: time from process start to the mapped password window, and peak memory, of
# Tavolex against a minimal Qt widget program, alternating; each launch on a display of its own.
#   usage: bench/startup.sh [RUNS]   (default 9; needs xvfb-run and xdotool, see deps.sh --tests)
# Run from the repository after building (sh scripts/build.sh).
set -e
cd "$(dirname "$0")/.."
runs=${1:-9}
program=build/Tavolex/tavolex
minimal=build/bench/tavolex_minimal_window
[ -x "$program" ] && [ -x "$minimal" ] || { echo "build first: sh scripts/build.sh"; exit 2; }

# One launch under a fresh Xvfb: milliseconds until a window with the title is visible
# (looked for every few milliseconds; xdotool's own --sync waits half a second between
# looks), then the peak RSS in KiB.
measure() {
  xvfb-run -a -s '-screen 0 1600x1000x24' sh -c '
    start=$(date +%s%N)
    "$1" >/dev/null 2>&1 &
    pid=$!
    until timeout 2 xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; do
      # A window that never comes (the program ended, or refused to start) stops the bench.
      kill -0 $pid 2>/dev/null && [ $(( ($(date +%s%N) - start) / 1000000000 )) -lt 30 ] || {
        echo "no window \"$2\" from $1" >&2; kill $pid 2>/dev/null; exit 1; }
      sleep 0.005
    done
    end=$(date +%s%N)
    peak=$(awk "/^VmHWM:/ { print \$2 }" /proc/$pid/status)
    kill $pid
    # The next launch must not find this copy still holding the program folder.
    wait $pid 2>/dev/null
    echo "$(( (end - start) / 1000000 )) $peak"' measure "$1" "$2"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

tavolex=$(mktemp)
yardstick=$(mktemp)
i=0
while [ $i -lt "$runs" ]; do
  measure "$program" "Tavolex - Autenticazione" >> "$tavolex"
  measure "$minimal" "Minimal - Autenticazione" >> "$yardstick"
  i=$((i + 1))
done
t_ms=$(cut -d' ' -f1 "$tavolex" | median)
m_ms=$(cut -d' ' -f1 "$yardstick" | median)
t_kb=$(cut -d' ' -f2 "$tavolex" | median)
m_kb=$(cut -d' ' -f2 "$yardstick" | median)
rm -f "$tavolex" "$yardstick"
echo "runs: $runs each, alternating"
echo "Tavolex:  median $t_ms ms to the mapped window, peak RSS $((t_kb / 1024)) MiB"
echo "minimal:  median $m_ms ms to the mapped window, peak RSS $((m_kb / 1024)) MiB"
awk -v t="$t_ms" -v m="$m_ms" 'BEGIN { printf "ratio:    %.2fx\n", t / m }'
