#!/usr/bin/env bash
# Times whole processes: opening a 10 MB text (paragraphs of 120 words) and a 2 MB text of one
# paragraph in a real editor window, from start to the drawn, idle window and exit, against the
# floor of reading the same file (cat, wc -w) and against an empty text, with live spell checking
# on (the editor column) and off. Prints the median of five runs of each.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DNODEX_BENCH=ON >/dev/null
cmake --build build-bench --target open_text_process -j2 >/dev/null
export QT_QPA_PLATFORM=offscreen

texts=$(mktemp -d)
trap 'rm -rf "$texts"' EXIT
sentence="The keeper climbed the spiral stair at dusk, trimmed the wick and watched the storm come in over the rocks;"
paragraph=$(printf "$sentence %.0s" {1..6})
head -c $((10 * 1024 * 1024)) < <(yes "$paragraph") | sed 's/ *$/\r/' >"$texts/paragraphs.txt"
head -c $((2 * 1024 * 1024)) < <(yes "$sentence") | tr '\n' ' ' >"$texts/one-paragraph.txt"
: >"$texts/empty.txt" # what starting the program and drawing an empty window costs

# Median wall time of five runs, in milliseconds.
median_ms() {
    local times=()
    for _ in 1 2 3 4 5; do
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        times+=($(((end - start) / 1000000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n 3p
}

printf '%-20s %8s %8s %8s %8s\n' text cat 'wc -w' editor 'no live'
for name in empty paragraphs one-paragraph; do
    file="$texts/$name.txt"
    printf '%-20s %6sms %6sms %6sms %6sms\n' "$name" "$(median_ms cat "$file")" "$(median_ms wc -w "$file")" \
        "$(median_ms build-bench/Nodex/open_text_process "$file")" \
        "$(NODEX_LIVE_SPELLING=0 median_ms build-bench/Nodex/open_text_process "$file")"
done
