#!/bin/sh
# Puts whole-process lookups of quorvel-tools beside the same lookups in sdcv, on one full-size
# synthetic dictionary (23177 entries, 21500 Greek terms, 500 user entries) exported for sdcv.
#
#   bench/compare-sdcv.sh [BUILD_DIR [RUNS [WORD [SEARCH]]]]   (defaults: build, 30, ship, list;
#                                                               SEARCH: list, descsearch, goals)
#
# SEARCH "list" puts the headword list (list START WORD) beside sdcv's lookup of WORD; SEARCH
# "descsearch" puts the search in every description (descsearch WORD, answered from the word
# index, its cache warm) beside sdcv's full-text search "|WORD". SEARCH "goals" prints, from one
# run, the ratios the description search is held to, each with its goal:
#   1. descsearch WORD against sdcv -n '|WORD' (at most 0.2);
#   2. descsearch W against list START ship, for each single-token word W of GOAL_WORDS (at
#      most 2: a one-word search costs no more than a second headword lookup);
#   3. the window's first description search (its place is marked below).
#
# Needs Debian's sdcv and stardict-tools (apt-get install sdcv stardict-tools) and a build with
# the benchmarks (export-tabfile, time-pair). Run by hand; the machine's load is printed with
# the numbers, which are medians of RUNS runs of each command, run in turn. The word index's
# cache is kept in the work folder (XDG_CACHE_HOME), built by one unmeasured search first.
#
# The folder it leaves, ${TMPDIR:-/tmp}/quorvel-sdcv-compare, serves further comparisons:
#   cd .../synth && XDG_CACHE_HOME=.../cache BUILD_DIR/tools/quorvel-tools descsearch WORD
#   ... descsearch WORD --scan                                            (every description read)
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
export XDG_CACHE_HOME="$work/cache"
GOAL_WORDS=${GOAL_WORDS:-"ship anchor hull a πλοίο άγκυρα ΠΛΟΙΟ nosuchword"}

# Runs time-pair and prints its table; the wall-time ratio of the pair goes to $ratio.
pair() {
  out=$("$time_pair" "$runs" "$@")
  echo "$out"
  ratio=$(echo "$out" | sed -n 's/^ratio first\/second: wall \([0-9.]*\),.*/\1/p')
}

if [ "$search" = descsearch ]; then
  "$tools" descsearch "$word" >/dev/null
  echo "quorvel-tools descsearch $word    against    sdcv -n '|$word'"
  pair "$tools" descsearch "$word" -- sdcv -n -x --data-dir "$work" --utf8-output "|$word"
elif [ "$search" = goals ]; then
  for w in "$word" $GOAL_WORDS; do "$tools" descsearch "$w" >/dev/null; done
  summary=""
  echo "1. quorvel-tools descsearch $word    against    sdcv -n '|$word'"
  pair "$tools" descsearch "$word" -- sdcv -n -x --data-dir "$work" --utf8-output "|$word"
  summary="$summary
1. descsearch $word / sdcv '|$word': $ratio (goal: at most 0.2)"
  for w in $GOAL_WORDS; do
    echo "2. quorvel-tools descsearch $w    against    quorvel-tools list START ship"
    pair "$tools" descsearch "$w" -- "$tools" list START ship
    summary="$summary
2. descsearch $w / list START ship: $ratio (goal: at most 2)"
  done
  # 3. The window's first description search once its word index is in use (the window's own
  # benchmark, offscreen, on a folder of the same size): an absolute goal, not a pair.
  first=$(QT_QPA_PLATFORM=offscreen "$build/bench/ui/ui_bench" \
            --benchmark_filter=BM_FirstDescriptionSearch --benchmark_repetitions=5 \
            --benchmark_report_aggregates_only=true 2>/dev/null | awk '/_median/ {print $2}')
  summary="$summary
3. the window's first description search, index in use: ${first:-?} ms (goal: at most 10)"
  echo
  echo "wall-time ratios, medians of $runs runs each:$summary"
else
  echo "quorvel-tools list START $word    against    sdcv -n $word"
  pair "$tools" list START "$word" -- sdcv -n -x --data-dir "$work" --utf8-output "$word"
fi
