#!/usr/bin/env bash
# Whole-process measures: the real program (bench/WholeProcessDriver.cpp, started as the program
# starts) on generated projects, each figure beside its floor measured in the same run:
#   - start until the window is idle, and exit, against reading the card files with cat;
#   - a chain compiled from Create to the file in place, against cat of its text files;
#   - a one-card save until the caption has lost its " *", against writing one card file.
# Usage: bench/whole-process.sh [runs]   (default 5 runs of each; medians are reported)
# NODEX_DRIVER=path/to/nodex_bench_driver measures another build (an older one, say) instead.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}

scripts/install-deps.sh
if ! command -v hyperfine >/dev/null; then
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  $sudo apt-get install -y --no-install-recommends hyperfine
fi
if [[ -n "${NODEX_DRIVER:-}" ]]; then
  driver=$(realpath "$NODEX_DRIVER")
else
  cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DNODEX_BENCH=ON >/dev/null
  cmake --build build-bench --target nodex_bench_driver -j2 >/dev/null
  driver=$PWD/build-bench/Nodex/nodex_bench_driver
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The program registers its file types at start; here they land in the scratch folder.
export XDG_DATA_HOME=$work/xdg XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work/runtime}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

echo "Generating projects in $work ..."
for cards in 1000 10000; do
  "$driver" generate "$work/open$cards/" "$cards" 10 0 >/dev/null
done
for cards in 1000 5000 10000; do
  "$driver" generate "$work/chain$cards/" "$cards" "$cards" 500 >/dev/null
done
# Written out before anything is timed, so that no run shares the disk with the write-back.
sync

# The median of one "name=milliseconds" figure over the runs of a driver command, after one
# run that warms the file cache as hyperfine's warm-up does.
median_of() {
  local name=$1
  shift
  "$@" >/dev/null
  for _ in $(seq "$runs"); do "$@" | sed -n "s/^$name=//p"; done | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'
}
# The median wall time in milliseconds of a shell command, by hyperfine.
hyperfine_ms() {
  hyperfine --warmup 1 --runs "$runs" --export-csv "$work/h.csv" "$1" >/dev/null 2>&1
  awk -F, 'NR==2 {printf "%.1f", $4 * 1000}' "$work/h.csv"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

measure() {
  echo
  echo "Start to idle window and exit (wall, median of $runs):"
  printf '%-28s %10s %10s %12s %10s\n' project "whole ms" "idle ms" "max RSS MB" "floor ms"
  for project in "" open1000 open10000; do
    local path=""
    [[ -n "$project" ]] && path="$work/$project/Scale.nodex"
    local whole idle rss floor="-"
    whole=$(hyperfine_ms "'$driver' open $path")
    idle=$(median_of idle_ms "$driver" open $path)
    rss=$( { /usr/bin/time -f '%M' "$driver" open $path >/dev/null; } 2>&1 | tail -1)
    [[ -n "$project" ]] && floor=$(hyperfine_ms "cat '$work/$project/'*.ndx >/dev/null")
    printf '%-28s %10s %10s %12s %10s\n' "${project:-no project}" "$whole" "$idle" "$((rss / 1024))" "$floor"
  done
  echo "  (floor: cat of the card files; user and system CPU of the 10,000-card run:"
  { /usr/bin/time -f '   user %U s, system %S s)' "$driver" open "$work/open10000/Scale.nodex" >/dev/null; } 2>&1 | tail -1

  echo
  echo "Compile a chain of 500-word cards, Create to the file in place (median of $runs):"
  printf '%-28s %10s %10s %8s %14s\n' chain "compile ms" "cat ms" ratio "cat all ms"
  for cards in 1000 5000 10000; do
    local compile floor all
    compile=$(median_of compile_ms "$driver" compile "$work/chain$cards/Scale.nodex")
    floor=$(hyperfine_ms "cat '$work/chain$cards/Text Files/'Card*.txt >'$work/cat.txt'")
    all=$(hyperfine_ms "cat '$work/chain$cards/'Card*.ndx '$work/chain$cards/Text Files/'Card*.txt >'$work/cat.txt'")
    printf '%-28s %10s %10s %8s %14s\n' "$cards cards" "$compile" "$floor" "$(ratio "$compile" "$floor")" "$all"
  done
  echo "  (cat: the text files into one file; cat all: the card files too, as the compile reads them)"

  echo
  echo "One card moved and saved, until the caption is clean (median of $runs):"
  printf '%-28s %10s %22s\n' project "save ms" "write one file ms"
  for cards in 1000 10000; do
    local save floor
    save=$(median_of save_ms "$driver" save "$work/open$cards/Scale.nodex")
    floor=$(median_of write_one_file_ms "$driver" save "$work/open$cards/Scale.nodex")
    printf '%-28s %10s %22s\n' "$cards cards" "$save" "$floor"
  done
}

export -f measure median_of hyperfine_ms ratio
export driver work runs
scripts/with-display.sh bash -c measure
