#!/bin/sh
# The demonstration behind `make demo`: writes a sample rain event of six 10-minute grids of
# 1200 by 1012 cells into BUILD_DIR/demo, runs rainprep there with each answer typed after
# its prompt, and shows what it wrote. The import tool is a stand-in (scripts/asc2dssGrid)
# that only reports what it would import.
#
#   scripts/demo.sh [BUILD_DIR]     (default: build; rainprep, make_event and type_answers
#                                    must already be built there)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
for tool in rainprep make_event type_answers; do
  if [ ! -x "$build/$tool" ]; then
    echo "demo: $build/$tool is missing; run 'make demo', which builds it first" >&2
    exit 1
  fi
done

demo="$build/demo"
# The folder as shown: from the top of the project when it is inside it.
case "$demo" in
  "$root"/*) shown=${demo#"$root"/} ;;
  *) shown=$demo ;;
esac
event="$demo/event"
answers="$demo/answers.txt"
grid=lluvia_20240406_1000_mod.asc

# Prints a file's first lines without their CR, each cut at 78 characters.
first_lines() {  # FILE COUNT
  head -n "$2" "$1" | tr -d '\r' |
    awk '{ if (length($0) > 78) print substr($0, 1, 74) " ..."; else print }'
}

heading() {
  printf '\n==== %s\n\n' "$1"
}

rm -rf "$demo"
mkdir -p "$demo"

heading "Sample event: 6 grids of 1200 x 1012 cells, 10 minutes apart, 06/04/2024 09:50 to 10:40"
echo "Written by make_event into $shown/event:"
"$build/make_event" "$event" lluvia 202404060950 6 10 --answers "$answers"
cd "$event"
for f in *.asc; do
  printf '  %-28s %9s bytes\n' "$f" "$(wc -c <"$f" | tr -d ' ')"
done
echo
echo "First lines of lluvia_20240406_1000.asc, a source grid:"
first_lines lluvia_20240406_1000.asc 8 | sed 's/^/  | /'

heading "The session: rainprep in $shown/event, each answer typed after its prompt"
# With no COMSPEC and no cmd.exe (WSL puts Windows' own on PATH), rainprep runs the batch
# lines itself and finds the stand-in import tool first on PATH.
unset COMSPEC
demo_path=$root/scripts
set -f
old_ifs=$IFS
IFS=:
for dir in $PATH; do
  [ -x "${dir:-.}/cmd.exe" ] || demo_path="$demo_path:$dir"
done
IFS=$old_ifs
set +f
PATH=$demo_path
export PATH
status=0
"$build/type_answers" "$answers" --timeout 300 -- "$build/rainprep" || status=$?
echo "(exit status $status)"

heading "Files rainprep wrote in $shown/event"
for f in *_mod.asc bat.bat; do
  printf '  %-32s %9s bytes\n' "$f" "$(wc -c <"$f" | tr -d ' ')"
done
echo
echo "First lines of $grid (line breaks are CR LF):"
first_lines "$grid" 9 | sed 's/^/  | /'
echo
echo "Cells 380 to 391 of row 560 (line 566), where the rain cell is:"
awk 'NR == 566 { s = ""; for (i = 380; i <= 391; ++i) s = s " " $i; print "  |" s }' "$grid"
echo
echo "bat.bat (line breaks are CR LF):"
tr -d '\r' <bat.bat | sed 's/^/  | /'
exit "$status"
