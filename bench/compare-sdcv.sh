#!/bin/sh
# Puts a whole-process lookup of quorvel-tools beside the same lookup in sdcv, on one full-size
# synthetic dictionary (23177 entries, 21500 Greek terms, 500 user entries) exported for sdcv.
#
#   bench/compare-sdcv.sh [BUILD_DIR [RUNS [WORD [SEARCH]]]]     (defaults: build, 30, ship, list)
#
# SEARCH "list" puts the headword list (list START WORD) beside sdcv's lookup of WORD; SEARCH
# "descsearch" puts the search in every description (descsearch WORD, the first search of a
# process) beside sdcv's full-text search "|WORD".
#
# Needs Debian's sdcv and stardict-tools (apt-get install sdcv stardict-tools) and a build with
# the benchmarks (export-tabfile, time-pair). Run by hand; the machine's load is printed with
# the numbers, which are medians of RUNS runs of each command, run in turn.
#
# The folder it leaves, ${TMPDIR:-/tmp}/quorvel-sdcv-compare, serves further comparisons:
#   cd .../synth && BUILD_DIR/tools/quorvel-tools descsearch WORD      (the program's search)
#   sdcv -n -x --data-dir .../quorvel-sdcv-compare --utf8-output '|WORD'   (sdcv's full-text one)
set -eu

build=$(cd "${1:-build}" && pwd)
runs=${2:-30}
word=${3:-ship}
search=${4:-list}
tools=$build/tools/quorvel-tools
export_tabfile=$build/bench/tools/export-tabfile
time_pair=$build/bench/tools/time-pair
tabfile=$(command -v tabfile || echo /usr/lib/stardict-tools/tabfile)

for program in "$tools" "$export_tabfile" "$time_pair" "$tabfile"; do
  if [ ! -x "$program" ]; then
    echo "compare-sdcv: $program is missing (build the benchmarks; apt-get install stardict-tools)" >&2
    exit 1
  fi
done
if ! command -v sdcv >/dev/null; then
  echo "compare-sdcv: sdcv is missing (apt-get install sdcv)" >&2
  exit 1
fi

work=${TMPDIR:-/tmp}/quorvel-sdcv-compare
rm -rf "$work"
mkdir -p "$work/dic"
"$tools" synth "$work/synth" >/dev/null
"$export_tabfile" "$work/synth" "$work/dic/synth.tab"
(cd "$work/dic" && "$tabfile" synth.tab >/dev/null 2>&1)
rm "$work/dic/synth.tab"
if [ ! -f "$work/dic/synth.ifo" ]; then
  echo "compare-sdcv: tabfile made no dictionary" >&2
  exit 1
fi

echo "load: $(uptime)"
cd "$work/synth"
if [ "$search" = descsearch ]; then
  echo "quorvel-tools descsearch $word    against    sdcv -n '|$word'"
  "$time_pair" "$runs" "$tools" descsearch "$word" -- \
    sdcv -n -x --data-dir "$work" --utf8-output "|$word"
else
  echo "quorvel-tools list START $word    against    sdcv -n $word"
  "$time_pair" "$runs" "$tools" list START "$word" -- \
    sdcv -n -x --data-dir "$work" --utf8-output "$word"
fi
