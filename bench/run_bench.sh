#!/usr/bin/env bash
# Whole-run benchmark of rainprep against cp. Writes two synthetic events of full-size grids
# (one with CR LF line breaks, one with LF), runs the real program over each with the answers
# typed after each prompt, and times it against cp copying the same files into another
# folder in one process, the two alternating over several rounds. Each event is timed twice:
# with the batch's lines started by rainprep itself (no COMSPEC, no cmd.exe, no asc2dssGrid
# here, so each start fails), and with the batch handed to a do-nothing COMSPEC. Prints the
# median ratio of each, what a run over no grids costs, the peak memory of the program (also
# over a grid whose only data row is about 200 MB), and, when it was built, the in-memory
# kernel benchmark.
#
#   bench/run_bench.sh BUILD_DIR [--rounds N] [--steps N] [--work DIR] [--type-answers PATH]
#                      [--keep] [--reuse] [--no-kernel]
#
#   BUILD_DIR            build tree holding rainprep, make_event and type_answers
#   --rounds N           timed rounds per event (default 9; at least 5)
#   --steps N            grids per event (default 36)
#   --work DIR           where the events are written (default BUILD_DIR/bench-work, about
#                        1.5 GB while it runs); removed at the end unless --keep
#   --reuse              use the events a run with --keep left in the work folder
#   --type-answers PATH  the answer-typing tool (default BUILD_DIR/type_answers)
#   --no-kernel          skip the kernel benchmark
#
# Both commands read the sources from the page cache (they were just written), and before
# each timed command the previous outputs are removed and `sync` writes out what is pending,
# so that neither pays for the other's write-back.
set -euo pipefail

usage() {
  sed -n '12,22p' "$0" >&2
  exit 2
}

[ $# -ge 1 ] || usage
build=$(cd "$1" && pwd)
shift
rounds=9
steps=36
work="$build/bench-work"
typer="$build/type_answers"
keep=false
reuse=false
kernel=true
while [ $# -gt 0 ]; do
  case "$1" in
    --rounds) rounds=$2; shift 2 ;;
    --steps) steps=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    --type-answers) typer=$2; shift 2 ;;
    --keep) keep=true; shift ;;
    --reuse) reuse=true; shift ;;
    --no-kernel) kernel=false; shift ;;
    *) usage ;;
  esac
done

if [ "$rounds" -lt 5 ]; then
  echo "run_bench: at least 5 rounds are needed for a median worth reporting" >&2
  exit 2
fi

rainprep="$build/rainprep"
make_event="$build/make_event"
for tool in "$rainprep" "$make_event" "$typer"; do
  if [ ! -x "$tool" ]; then
    echo "run_bench: $tool is missing (build it first, or name it with --type-answers)" >&2
    exit 1
  fi
done
unset COMSPEC
interpreter=""
time_tool=/usr/bin/time
[ -x "$time_tool" ] || time_tool=""

mkdir -p "$work"
work=$(cd "$work" && pwd)
if [ "$keep" = false ]; then
  trap 'rm -rf "$work"' EXIT
fi

# Times a command in milliseconds into the variable named first, its output thrown away. The
# clock is bash's own and the command runs in this shell, so nothing but the command itself
# is started; a command that fails stops the benchmark.
elapsed_ms() {
  local into=$1 start end status=0
  shift
  start=$EPOCHREALTIME
  "$@" >/dev/null 2>>"$work/stderr.log" || status=$?
  end=$EPOCHREALTIME
  if [ $status -ne 0 ]; then
    echo "run_bench: '$*' failed with status $status (see $work/stderr.log)" >&2
    exit 1
  fi
  printf -v "$into" '%s' "$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", (e - s) * 1000 }')"
}

median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2];
                                       else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Runs rainprep in EVENT_DIR with the answers typed after its prompts; COMSPEC is set to
# $interpreter when that is not empty, and unset otherwise. The typing tool writes how long
# rainprep itself ran, start to end, to $work/elapsed.
run_program() {  # EVENT_DIR ANSWERS [wrapper words...]
  local dir=$1 answers=$2 here=$PWD status=0
  shift 2
  cd "$dir"
  local typing=("$typer" "$answers" --quiet --timeout 600 --elapsed "$work/elapsed" --)
  if [ -n "$interpreter" ]; then
    COMSPEC=$interpreter "${typing[@]}" "$@" "$rainprep" || status=$?
  else
    "${typing[@]}" "$@" "$rainprep" || status=$?
  fi
  cd "$here"
  return $status
}

# Times one run of rainprep in milliseconds into the variable named first: the program's own
# time from its start to its end, as the typing tool saw it, so that the tool's start-up and
# its exchanges with bash are not counted against the program.
program_ms() {  # VARIABLE EVENT_DIR ANSWERS
  local into=$1 ignored
  shift
  elapsed_ms ignored run_program "$@"
  printf -v "$into" '%.3f' "$(cat "$work/elapsed")"
}

copy_sources() {  # EVENT_DIR DEST
  cp "$1"/lluvia_????????_????.asc "$2"/
}

clear_outputs() {  # EVENT_DIR
  rm -f "$1"/*_mod.asc "$1"/bat.bat "$work/cp-dest"/*
  sync
}

# The destination's data must be the source's from its seventh line on, with LF breaks made
# CR LF, behind the fixed header.
check_outputs() {  # EVENT_DIR LF_ONLY
  local dir=$1 lf_only=$2 header src dst bad=0
  header=$(printf 'NCOLS 1200 \r\nNROWS 1012 \r\nXLLCORNER -2324000\r\nYLLCORNER 5100000\r\nCELLSIZE 2000\r\nNODATA_VALUE\r\n -9999 ')
  for src in "$dir"/lluvia_????????_????.asc; do
    dst=${src%.asc}_mod.asc
    if ! cmp -s <(head -c ${#header} "$dst") <(printf '%s' "$header"); then
      bad=1
    elif [ "$lf_only" = true ]; then
      cmp -s <(tail -c +$((${#header} + 1)) "$dst") <(tail -n +7 "$src" | sed 's/$/\r/') || bad=1
    else
      cmp -s <(tail -c +$((${#header} + 1)) "$dst") <(tail -n +7 "$src") || bad=1
    fi
    if [ $bad -ne 0 ]; then
      echo "run_bench: $dst is not the expected rewrite of $src" >&2
      exit 1
    fi
  done
}

echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores," \
  "$(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo) RAM, Linux $(uname -r)," \
  "$(df -T "$work" | awk 'NR == 2 { print $2 }') file system, $(cp --version | head -1)"

if [ "$reuse" = false ] || [ ! -f "$work/long.answers" ]; then
  echo "Writing the events ($steps full-size grids each) in $work ..."
  rm -rf "$work/crlf" "$work/lf" "$work/long"
  "$make_event" "$work/crlf" lluvia 202404060950 "$steps" 10 --answers "$work/crlf.answers"
  "$make_event" "$work/lf" lluvia 202404060950 "$steps" 10 --lf --answers "$work/lf.answers"
  # One grid whose only data row is about 200 MB.
  "$make_event" "$work/long" lluvia 202404060950 1 10 --rows 1 --cols 39250000 \
    --answers "$work/long.answers"
fi
mkdir -p "$work/cp-dest"
echo "  CR LF event: $(du -sb "$work/crlf" | cut -f1) bytes; LF event: $(du -sb "$work/lf" | cut -f1) bytes;" \
  "long-row grid: $(du -sb "$work/long" | cut -f1) bytes"

# Each event is timed twice. First as the program runs here by itself: with no COMSPEC and no
# cmd.exe, rainprep starts each batch line itself, and with no asc2dssGrid installed each of
# those starts fails. Then with COMSPEC naming a do-nothing program, so that the batch costs
# one start, as it would on Windows before the import tool's own work.
do_nothing=$(type -P true)
summary=()
for series in crlf lf crlf:interpreter lf:interpreter; do
  kind=${series%%:*}
  interpreter=""
  [ "$series" = "$kind" ] || interpreter=$do_nothing
  dir="$work/$kind"
  answers="$work/$kind.answers"
  ratios=() runs=() copies=()
  for ((round = 1; round <= rounds; ++round)); do
    # The order alternates, so that neither command always follows the other.
    if ((round % 2)); then
      clear_outputs "$dir"; program_ms run "$dir" "$answers"
      clear_outputs "$dir"; elapsed_ms copy copy_sources "$dir" "$work/cp-dest"
    else
      clear_outputs "$dir"; elapsed_ms copy copy_sources "$dir" "$work/cp-dest"
      clear_outputs "$dir"; program_ms run "$dir" "$answers"
    fi
    ratio=$(awk -v r="$run" -v c="$copy" 'BEGIN { printf "%.3f", r / c }')
    printf '  %-16s round %d: rainprep %8.1f ms   cp %8.1f ms   ratio %s\n' "$series" "$round" \
      "$run" "$copy" "$ratio"
    ratios+=("$ratio") runs+=("$run") copies+=("$copy")
  done
  if [ -z "$interpreter" ]; then
    label="$kind, batch lines started by rainprep:"
  else
    label="$kind, batch given to COMSPEC=$interpreter:"
  fi
  summary+=("$(printf '%s\n    median ratio %s (median rainprep %.1f ms, median cp %.1f ms, %d rounds)' \
    "$label" "$(printf '%s\n' "${ratios[@]}" | median)" "$(printf '%s\n' "${runs[@]}" | median)" \
    "$(printf '%s\n' "${copies[@]}" | median)" "$rounds")")
done
interpreter=""

# What a run costs besides the grids: starting the program, the dialogue, an empty
# batch. The same answers with the end at the start give a run of no steps.
mkdir -p "$work/none"
{ sed -n '1,8p' "$work/crlf.answers"; sed -n '4,8p' "$work/crlf.answers"
  sed -n '14,15p' "$work/crlf.answers"; } >"$work/none.answers"
nothing=()
for ((round = 1; round <= rounds; ++round)); do
  rm -f "$work/none/bat.bat"
  program_ms took "$work/none" "$work/none.answers"
  nothing+=("$took")
done
summary+=("$(printf 'a run over no grids (start-up, dialogue, empty batch): median %.1f ms' \
  "$(printf '%s\n' "${nothing[@]}" | median)")")

# One more run of each event, untimed, measures the peak memory and checks the bytes.
for kind in crlf lf long; do
  clear_outputs "$work/$kind"
  if [ -n "$time_tool" ]; then
    rm -f "$work/peak.txt"
    run_program "$work/$kind" "$work/$kind.answers" "$time_tool" -f %M -o "$work/peak.txt" \
      >/dev/null 2>>"$work/stderr.log"
    kib=$(tail -n 1 "$work/peak.txt")
    summary+=("$(printf 'peak memory, %-5s %6d KiB (%.2f MiB)' "$kind:" "$kib" \
      "$(awk -v k="$kib" 'BEGIN { print k / 1024 }')")")
  else
    run_program "$work/$kind" "$work/$kind.answers" >/dev/null 2>>"$work/stderr.log"
  fi
  [ "$kind" = lf ] && lf_only=true || lf_only=false
  check_outputs "$work/$kind" "$lf_only"
done
[ -n "$time_tool" ] || summary+=("peak memory: /usr/bin/time is missing, not measured")
summary+=("every destination grid checked: the fixed header, then the source's data")

echo
echo "Whole run over $steps grids against cp of the same files:"
printf '  %s\n' "${summary[@]}"

if [ "$kernel" = true ] && [ -x "$build/rewrite_kernel_bench" ]; then
  echo
  echo "Rewrite kernel in memory (one full-size grid):"
  "$build/rewrite_kernel_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    2>/dev/null | grep -E '_median|Benchmark|---' || true
fi
