#!/usr/bin/env bash
# Whole-process reading speed, for each style of tagged file the tests know: `tageditor-cli show`
# over COPIES copies of one file beside build/bench/taglib_show (a small TagLib program printing
# the same six values) and, when given, beside another build's tageditor-cli (the previous main).
# Prints farm-bench's median ratios, cpu and wall: below 1 means this build is faster.
# Usage: bench/read-speed.sh BUILD_DIR [PREVIOUS_CLI] [COPIES]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "$1" && pwd)"
previous="${2:-}"
copies="${3:-2000}"
cli="$build/app/tageditor-cli"
taglib="$build/bench/taglib_show"
taggers="$root/tests/support/taggers.py"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The median of farm-bench's A/B cpu and wall lines.
ratios() {
    awk '/^A\/B cpu/ { cpu = $4 } /^A\/B wall/ { wall = $4 } END { printf "%s / %s", cpu, wall }'
}

# Runs "A over the copies" against "B over the copies", B given as a program.
compare() {
    local a="$1" b="$2"
    farm-bench -n 7 --timeout 600 \
        --vs "sh -c 'exec $b $work/copies/*.mp3 >/dev/null 2>&1'" \
        -- sh -c "exec $a $work/copies/*.mp3 >/dev/null 2>&1" | ratios
}

printf '%-32s %-26s %s\n' "style ($copies copies)" "beside TagLib (cpu / wall)" \
    "${previous:+beside the previous build (cpu / wall)}"
for style in $(/usr/bin/python3 "$taggers" styles); do
    rm -rf "$work/copies"
    mkdir "$work/copies"
    /usr/bin/python3 "$taggers" write "$style" "$work/copies/0.mp3"
    for ((i = 1; i < copies; i++)); do
        cp "$work/copies/0.mp3" "$work/copies/$i.mp3"
    done
    line="$(printf '%-32s %-26s' "$style" "$(compare "$cli show" "$taglib")")"
    if [[ -n "$previous" ]]; then
        line+=" $(compare "$cli show" "$previous show")"
    fi
    echo "$line"
done
