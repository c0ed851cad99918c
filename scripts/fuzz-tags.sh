#!/usr/bin/env bash
# Builds the libFuzzer harness of the tag code (clang-14, AddressSanitizer + UndefinedBehavior-
# Sanitizer) and runs it on the editor's load-and-save path for a given time, with one worker;
# or, with --journals, on the recovery's playback of rollback journals.
#
# Usage: scripts/fuzz-tags.sh [SECONDS] [--instrumented-id3lib] [--journals]
#   SECONDS                 how long to fuzz (default 600)
#   --journals              fuzz journals instead of MP3 files: each input is played back as a
#                           journal a killed Save left, and the run stops when the recovery writes
#                           anything but the journal's target or anything but its old bytes
#   --instrumented-id3lib   also build id3lib from Debian's source with the sanitizers, so that
#                           reads past a buffer inside id3lib show up too (needs network access
#                           and dpkg-dev); otherwise the packaged library is used, where only
#                           crashes, hangs and huge allocations inside id3lib show.
#
# A run stops at the first crash or allocation over 512 MB; those inputs, and inputs that ran
# longer than 2 s, are kept in build-fuzz/artifacts/. The log is build-fuzz/fuzz-<time>.log; the
# summary gives executions, findings, hangs (slow units replayed) and the peak memory.
# FUZZ_NICENESS (default 10) sets how nice the worker is to the rest of the machine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds=600
instrumented=0
fuzzer=tag_fuzzer
seeds=("$root/tests/data/fuzz-corpus" "$root/tests/data/id3-crashers")
corpus=corpus
for arg in "$@"; do
    case "$arg" in
    --instrumented-id3lib) instrumented=1 ;;
    --journals) fuzzer=journal_fuzzer; seeds=("$root/tests/data/journal-corpus"); corpus=journal-corpus ;;
    [0-9]*) seconds="$arg" ;;
    *) echo "usage: $0 [SECONDS] [--instrumented-id3lib] [--journals]" >&2; exit 2 ;;
    esac
done

build="$root/build-fuzz"
mkdir -p "$build/artifacts" "$build/$corpus"

# id3lib's own sources compiled with the sanitizers and fuzzer coverage: a test tool only, the
# program always links Debian's package.
build_instrumented_id3lib() {
    local work="$build/id3lib-src" lib="$build/id3lib-asan/libid3.a"
    [ -f "$lib" ] && { echo "$lib"; return; }
    mkdir -p "$work/lists/partial" "$build/id3lib-asan/obj"
    echo "deb-src http://deb.debian.org/debian bookworm main" >"$work/sources.list"
    local apt=(-o Dir::Etc::sourcelist="$work/sources.list" -o Dir::Etc::sourceparts=-
               -o Dir::State::Lists="$work/lists")
    apt-get "${apt[@]}" update >&2
    (cd "$work" && apt-get "${apt[@]}" source id3lib3.8.3 >&2)
    local src
    src="$(find "$work" -maxdepth 1 -type d -name 'id3lib3.8.3-*' | head -n1)"
    # What configure would have found on Debian 12, without running it.
    cat >"$build/id3lib-asan/config.h" <<'EOF'
#define ID3_ICONV_FORMAT_UTF16BE "UTF-16BE"
#define ID3_ICONV_FORMAT_UTF16 "UTF-16"
#define ID3_ICONV_FORMAT_UTF8 "UTF-8"
#define ID3_ICONV_FORMAT_ASCII "ISO-8859-1"
#define HAVE_ZLIB 1
#define _ID3LIB_NAME "id3lib"
#define _ID3LIB_VERSION "3.8.3"
#define _ID3LIB_FULLNAME "id3lib-3.8.3"
#define _ID3LIB_MAJOR_VERSION 3
#define _ID3LIB_MINOR_VERSION 8
#define _ID3LIB_PATCH_VERSION 3
#define _ID3LIB_INTERFACE_AGE 0
#define _ID3LIB_BINARY_AGE 0
#define _ID3_COMPILED_WITH_DEBUGGING 0
#define HAVE_CCTYPE 1
#define HAVE_CLIMITS 1
#define HAVE_CSTDIO 1
#define HAVE_CSTDLIB 1
#define HAVE_CSTRING 1
#define HAVE_FSTREAM 1
#define HAVE_ICONV_H 1
#define HAVE_INTTYPES_H 1
#define HAVE_IOMANIP 1
#define HAVE_IOSTREAM 1
#define HAVE_BITSET 1
#define HAVE_MEMORY_H 1
#define HAVE_MKSTEMP 1
#define HAVE_STDINT_H 1
#define HAVE_STDLIB_H 1
#define HAVE_STRING 1
#define HAVE_STRINGS_H 1
#define HAVE_STRING_H 1
#define HAVE_SYS_PARAM_H 1
#define HAVE_SYS_STAT_H 1
#define HAVE_SYS_TYPES_H 1
#define HAVE_TRUNCATE 1
#define HAVE_UNISTD_H 1
#define HAVE_WCHAR_H 1
#define HAVE_ZLIB_H 1
#define STDC_HEADERS 1
#define ID3D_INIT_DOUT()
#define ID3D_INIT_WARNING()
#define ID3D_INIT_NOTICE()
#define ID3D_NOTICE(x)
#define ID3D_WARNING(x)
EOF
    # -fno-sanitize=bool: the frame parser's ExitTrigger leaves its "locked" flag uninitialised
    # on every load; harmless there (it only decides whether to seek to where the reader is
    # anyway) and nothing a screen can avoid, so it would hide every real finding.
    for file in "$src"/src/*.cpp; do
        clang++-14 -O1 -g -w -fsanitize=address,undefined,fuzzer-no-link -fno-sanitize=bool \
            -fno-omit-frame-pointer \
            -DHAVE_CONFIG_H -I"$build/id3lib-asan" -I"$src/include" -I"$src/include/id3" -I"$src/src" \
            -c "$file" -o "$build/id3lib-asan/obj/$(basename "$file" .cpp).o" >&2
    done
    ar rcs "$lib" "$build"/id3lib-asan/obj/*.o
    echo "$lib"
}

cmake_args=(-DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14
            -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAGEDITOR_SANITIZE=ON -DTAGEDITOR_FUZZ=ON
            -DTAGEDITOR_BUILD_BENCH=OFF)
if [ "$instrumented" = 1 ]; then
    cmake_args+=(-DId3lib_LIBRARY="$(build_instrumented_id3lib)")
fi
cmake -S "$root" -B "$build" "${cmake_args[@]}" >/dev/null
cmake --build "$build" --target "$fuzzer" --parallel 1

log="$build/fuzz-$(date -u +%Y%m%dT%H%M%SZ).log"
echo "Fuzzing for $seconds s; log: $log"
stamp="$build/artifacts/.started"
touch "$stamp"
# One worker. On a busy machine a unit may wait for the processor past 2 s, so the run stops
# only at 20 s; units slower than 2 s are kept as slow-unit-* and replayed afterwards, where a
# real hang shows as processor time.
set +e
# Debian's id3lib frees its frame iterators through a base class without a virtual destructor
# (see scripts/test.sh); the instrumented build does not report that, the packaged one would.
ASAN_OPTIONS=detect_leaks=0:quarantine_size_mb=64:new_delete_type_mismatch=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    nice -n "${FUZZ_NICENESS:-10}" "$build/tests/fuzz/$fuzzer" \
    -max_total_time="$seconds" -timeout=20 -report_slow_units=2 -rss_limit_mb=512 \
    -malloc_limit_mb=512 -max_len=8192 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/" \
    "$build/$corpus" "${seeds[@]}" \
    >"$log" 2>&1
status=$?
set -e

grep -E '^stat::' "$log"
echo "exit status: $status"
echo "crashes, timeouts and out-of-memory inputs: $(find "$build/artifacts" -newer "$stamp" \( -name 'crash-*' -o -name 'oom-*' -o -name 'leak-*' -o -name 'timeout-*' \) | wc -l)"
hangs=0
TIMEFORMAT='%U %S'
for unit in $(find "$build/artifacts" -newer "$stamp" \( -name 'slow-unit-*' -o -name 'timeout-*' \)); do
    cpu=$( { time ASAN_OPTIONS=detect_leaks=0:new_delete_type_mismatch=0 "$build/tests/fuzz/$fuzzer" -timeout=60 "$unit" \
             >/dev/null 2>&1; } 2>&1 | awk '{ print $1 + $2 }')
    echo "$(basename "$unit") replayed: $cpu s of processor time"
    awk -v cpu="$cpu" 'BEGIN { exit !(cpu >= 2) }' && hangs=$((hangs + 1))
done
echo "hangs over 2 s: $hangs"
[ "$status" = 0 ] && [ "$hangs" = 0 ]
