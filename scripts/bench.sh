#!/usr/bin/env bash
# Speed and memory of the sort job's engine (load, sort, write), built natively and for Windows
# (run under Wine), against sort(1) in the C and the Spanish Latin-1 locale, on generated
# Spanish text in Windows-1252 with CR LF line ends. Prints medians, ratios to C sort and peak
# memory; checks that both builds write the same bytes and that no line is lost or changed.
#
#   scripts/bench.sh                  # 100k, 1M and 5M lines, plus 1M lines of case-only ties
#   BENCH_SIZES="100000" scripts/bench.sh
#   BENCH_WINE=0 scripts/bench.sh     # native engine and sort only
#   BENCH_DATA=/elsewhere scripts/bench.sh
#   BENCH_BIG="1000 1500 2000" scripts/bench.sh   # only: the Windows engine on files of that
#                                                 # many MB, for the largest that still sorts
#
# Inputs are generated once into $BENCH_DATA and kept; outputs are written there too.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
data=${BENCH_DATA:-/work/bench-data}
sizes=${BENCH_SIZES:-100000 1000000 5000000}
use_wine=${BENCH_WINE:-1}
native_build=$root/build/bench-native
windows_build=$root/build/bench-win
spanish_locale=es_ES.ISO-8859-1

is_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# The word list, the Spanish Latin-1 locale and GNU time, each only when missing.
install_missing() {
  local missing=() package
  for package in wspanish locales time; do
    is_installed "$package" || missing+=("$package")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
      { apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; }
  fi
  if ! locale -a | grep -qix 'es_ES.iso88591'; then
    grep -qx "es_ES ISO-8859-1" /etc/locale.gen || echo "es_ES ISO-8859-1" >>/etc/locale.gen
    locale-gen >/dev/null
  fi
}

build_engines() {
  cmake -S "$root" -B "$native_build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$native_build" --target engine_bench >/dev/null
  [ "$use_wine" = 1 ] || return 0
  cmake -S "$root" -B "$windows_build" -G Ninja --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$windows_build" --target engine_bench >/dev/null
}

# The word list in Windows-1252 three times: as it is (lower case), capitalised, in capitals.
make_word_lists() {
  local words=/usr/share/dict/spanish
  [ -s "$data/words/upper" ] && return 0
  mkdir -p "$data/words"
  iconv -f UTF-8 -t WINDOWS-1252 "$words" >"$data/words/lower"
  LC_ALL=C.UTF-8 sed 's/^./\U&/' "$words" | iconv -f UTF-8 -t WINDOWS-1252 >"$data/words/capital"
  LC_ALL=C.UTF-8 sed 's/.*/\U&/' "$words" | iconv -f UTF-8 -t WINDOWS-1252 >"$data/words/upper"
}

# Writes $1 lines of shape $2 to $3 unless it is there: "spanish" lines of 1 to 8 words in mixed
# case with numbers, punctuation and some leading blanks, or "equalkeys", 2000 phrases of one or
# two words repeated with their words in random case. 5% of the lines are empty; CR LF ends
# every line. The generator's own random numbers make the files the same on every machine.
make_input() {
  local lines=$1 shape=$2 file=$3
  [ -s "$file" ] && return 0
  LC_ALL=C awk -v lines="$lines" -v shape="$shape" '
    function rnd(n) { seed = (seed * 16807) % 2147483647; return int(seed / 2147483647 * n) }
    function word(   i, c) {
      i = 1 + rnd(count); c = rnd(100)
      return c < 75 ? lower[i] : c < 93 ? capital[i] : upper[i]
    }
    function token() { return rnd(100) < 8 ? rnd(10 ^ (1 + rnd(4))) : word() }
    function phrase(   n, s, k, c) {
      n = 1 + rnd(8); s = token()
      for (k = 2; k <= n; k++) { c = rnd(100); s = s (c < 5 ? ", " : c < 7 ? "; " : c < 8 ? " - " : " ") token() }
      c = rnd(100)
      if (c < 6) s = s "."
      else if (c < 8) s = "\277" s "?"
      else if (c < 9) s = "\241" s "!"
      else if (c < 10) s = "\"" s "\""
      else if (c < 11) s = "(" s ")"
      return s
    }
    function blanks(   c) { c = rnd(100); return c < 3 ? substr("   ", 1, 1 + rnd(3)) : c < 4 ? "\t" : "" }
    function cased(key,   n, w, k, s, c) {
      n = split(key, w, " "); s = ""
      for (k = 1; k <= n; k++) {
        c = rnd(3)
        s = s (k > 1 ? " " : "") (c == 0 ? lower[w[k]] : c == 1 ? capital[w[k]] : upper[w[k]])
      }
      return s
    }
    FILENAME == ARGV[1] { lower[++count] = $0; next }
    FILENAME == ARGV[2] { capital[FNR] = $0; next }
    FILENAME == ARGV[3] { upper[FNR] = $0; next }
    END {
      seed = 20261211 + lines
      if (shape == "equalkeys")
        for (k = 1; k <= 2000; k++) keys[k] = (1 + rnd(count)) (rnd(2) ? " " (1 + rnd(count)) : "")
      for (i = 0; i < lines; i++) {
        if (rnd(100) < 5) { printf "\r\n"; continue }
        printf "%s\r\n", shape == "equalkeys" ? cased(keys[1 + rnd(2000)]) : blanks() phrase()
      }
    }' "$data/words/lower" "$data/words/capital" "$data/words/upper" >"$file.part"
  mv "$file.part" "$file"
}

start_wine() {
  . "$root/scripts/wine-session.sh"
  wine_prefix=$(mktemp -d /tmp/bench-prefix.XXXXXX)
  if [ -f /work/wine-template-prefix/.velquor-ready ]; then
    rmdir "$wine_prefix"
    cp -a /work/wine-template-prefix "$wine_prefix"
    export WINEPREFIX=$wine_prefix
  else
    ensure_wine_prefix "$wine_prefix"
  fi
  start_wine_server
}

stop_wine() {
  [ -n "${wine_prefix:-}" ] || return 0
  stop_wine_session
  rm -rf "$wine_prefix"
}

windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

# Runs one tool on input $2 in order $3 (asc or desc) writing $4; prints "wall maxrss_kb
# user system" (seconds, KB), and
# for the engines the engine's own "lines=... load=... sort=... write=... total=..." after it.
# Returns the tool's exit status, after showing what it said on its error output.
run_tool() {
  local tool=$1 input=$2 order=$3 output=$4 reverse=() command report status=0
  [ "$order" = desc ] && reverse=(-r)
  case $tool in
    native) command=("$native_build/bench/engine_bench" "$input" "$order" "$output") ;;
    wine) command=(wine "$windows_build/bench/engine_bench.exe" "$(windows_path "$input")" "$order"
      "$(windows_path "$output")") ;;
    sort-C) command=(env LC_ALL=C sort "${reverse[@]}" -o "$output" "$input") ;;
    sort-es) command=(env LC_ALL=$spanish_locale sort "${reverse[@]}" -o "$output" "$input") ;;
  esac
  report=$(mktemp)
  /usr/bin/time -f '%e %M %U %S' -o "$report" "${command[@]}" >"$report.out" 2>"$report.err" || status=$?
  echo "$(tail -n 1 "$report") $(tr -d '\r' <"$report.out")"
  [ "$status" = 0 ] || sed "s/^/$tool: /" "$report.err" >&2
  rm -f "$report" "$report.out" "$report.err"
  return "$status"
}

# Max RSS of each tool on a one-line file: what the program and its libraries take before any
# data. The table shows the max RSS above it, the memory that grows with the input.
declare -A baseline_rss
measure_baselines() {
  local tool
  printf 'a\r\n' >"$data/one-line.txt"
  for tool in "$@"; do
    baseline_rss[$tool]=$(run_tool "$tool" "$data/one-line.txt" asc "$data/out-one-line.txt" | cut -d' ' -f2)
  done
  rm -f "$data/one-line.txt" "$data/out-one-line.txt"
  echo "Max RSS on a one-line file (subtracted below), KB: $(for tool in "$@"; do printf '%s %s  ' "$tool" "${baseline_rss[$tool]}"; done)"
}

# User plus system time of each run in report file $1.
processor_times() { awk '{ print $3 + $4 }' "$1"; }

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Field $2 ("load", "sort", ...) of the engine reports in file $1, as numbers.
phase_times() { grep -o "$2=[0-9.]*" "$1" | cut -d= -f2; }

# The engine must keep every non-empty line byte for byte: its output, ordered bytewise, equals
# the input's non-empty lines ordered bytewise.
check_same_lines() {
  local input=$1 output=$2
  if ! cmp -s <(grep -av $'^\r$' "$input" | LC_ALL=C sort) <(LC_ALL=C sort "$output"); then
    echo "FAILED: $output does not hold the non-empty lines of $input" >&2
    return 1
  fi
}

# Runs every tool $3 times (the emulated Windows engine only $4 times), interleaved so that a
# busy moment of the machine touches all of them alike, and prints one table row per tool.
bench_file() {
  local input=$1 order=$2 runs=$3 wine_runs=$4 tools=(native sort-C sort-es) tool run lines bytes c_median c_cpu
  [ "$use_wine" = 1 ] && tools=(native wine sort-C sort-es)
  lines=$(wc -l <"$input")
  bytes=$(stat -c %s "$input")
  local results
  results=$(mktemp -d)
  for run in $(seq "$runs"); do
    for tool in "${tools[@]}"; do
      [ "$tool" = wine ] && [ "$run" -gt "$wine_runs" ] && continue
      run_tool "$tool" "$input" "$order" "$data/out-$tool-$order.txt" >>"$results/$tool"
    done
  done
  if [ "$use_wine" = 1 ] && ! cmp "$data/out-native-$order.txt" "$data/out-wine-$order.txt"; then
    echo "FAILED: the native and the Windows engine disagree on $input ($order)" >&2
    exit 1
  fi
  [ "$order" = asc ] && check_same_lines "$input" "$data/out-native-$order.txt"
  c_median=$(cut -d' ' -f1 "$results/sort-C" | median)
  c_cpu=$(processor_times "$results/sort-C" | median)
  for tool in "${tools[@]}"; do
    local wall cpu rss phases=""
    wall=$(cut -d' ' -f1 "$results/$tool" | median)
    cpu=$(processor_times "$results/$tool" | median)
    rss=$(($(cut -d' ' -f2 "$results/$tool" | median) - ${baseline_rss[$tool]}))
    if [[ $tool == native || $tool == wine ]]; then
      phases=$(printf 'load %.3f sort %.3f write %.3f total %.3f' \
        "$(phase_times "$results/$tool" load | median)" "$(phase_times "$results/$tool" sort | median)" \
        "$(phase_times "$results/$tool" write | median)" "$(phase_times "$results/$tool" total | median)")
    fi
    awk -v f="$(basename "$input")" -v o="$order" -v t="$tool" -v w="$wall" -v c="$c_median" -v u="$cpu" -v cu="$c_cpu" -v r="$rss" \
      -v b="$bytes" -v n="$lines" -v p="$phases" -v runs="$(wc -l <"$results/$tool")" 'BEGIN {
        printf "%-22s %-4s %-8s %d runs  wall %7.2f s = %5.2f x C sort  cpu %7.2f s = %5.2f x  data RSS %7.1f MB = %.2f x file (limit %.1f MB)  %s\n",
          f, o, t, runs, w, w / c, u, u / cu, r / 1024, r * 1024 / b, (1.5 * b + 16 * n) / 1048576, p }'
  done
  rm -rf "$results"
}

# Sorts files of $@ MB (copies of the 5M-line input, cut behind a line end) with the Windows
# engine, one at a time, and tells how each ended: a file too large must end with the engine's
# out-of-memory status (3), never a crash. Each file and its output are removed afterwards.
big_files() {
  local source=$data/spanish-5000000.txt megabytes file status result
  make_input 5000000 spanish "$source"
  for megabytes in "$@"; do
    file=$data/big-$megabytes.txt
    while [ "$(stat -c %s "$file" 2>/dev/null || echo 0)" -lt $((megabytes * 1048576)) ]; do cat "$source" >>"$file"; done
    truncate -s $((megabytes * 1048576)) "$file"
    # Drop the cut last line, so that the file holds whole lines only.
    truncate -s $(($(head -c $((megabytes * 1048576)) "$file" | grep -abo $'\r$' | tail -n 1 | cut -d: -f1) + 2)) "$file"
    status=0
    result=$(run_tool wine "$file" asc "$data/out-big.txt") || status=$?
    echo "big file $megabytes MB ($(wc -l <"$file") lines): status $status, $result"
    rm -f "$file" "$data/out-big.txt"
  done
}

main() {
  install_missing
  build_engines
  mkdir -p "$data"
  make_word_lists
  [ "$use_wine" = 1 ] && { start_wine; trap stop_wine EXIT; }
  if [ -n "${BENCH_BIG:-}" ]; then
    big_files $BENCH_BIG
    return 0
  fi
  measure_baselines native sort-C sort-es $([ "$use_wine" = 1 ] && echo wine)
  echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), load $(cut -d' ' -f1-3 /proc/loadavg)"
  local size file runs order
  for size in $sizes; do
    file=$data/spanish-$size.txt
    make_input "$size" spanish "$file"
    if [ "$size" -ge 5000000 ]; then
      for order in asc desc; do bench_file "$file" "$order" 3 1; done
    else
      for order in asc desc; do bench_file "$file" "$order" 5 5; done
    fi
  done
  file=$data/equalkeys-1000000.txt
  make_input 1000000 equalkeys "$file"
  for order in asc desc; do bench_file "$file" "$order" 5 5; done
  rm -f "$data"/out-*.txt
  echo "Load afterwards: $(cut -d' ' -f1-3 /proc/loadavg)"
}

main "$@"
