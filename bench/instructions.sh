#!/usr/bin/env bash
# Compares a whole run of cardio answering 7 with an empty C program built here:
# instructions counted by callgrind, through a pipe and on a terminal (a
# pseudo-terminal made by script, under a UTF-8 locale, installed or not), peak
# memory by massif (heap and stack) and by the kernel (resident set), and the
# processes started, seen by strace. Exits with status 1 when a count cannot be
# taken or a bound is passed: 14,000 instructions more than the empty program's
# through a pipe, 21,000 on a terminal, 1 MiB more peak memory, any child process.
# The bounds are on the difference, which the environment changes by less than 1%:
# the C library's start-up reads every variable, so both counts grow with it, and
# their ratio moves much more; it is printed for information only. The two
# programs of a comparison always run under the same environment. Needs
# valgrind, strace, cc and script (util-linux).
# Usage: bench/instructions.sh [path/to/cardio]   (default: build/default/cardio)
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -eq 0 ] && [ ! -x "$racine/build/default/cardio" ]; then
  (cd "$racine" && cmake --workflow --preset default >/dev/null)
fi
# Each run happens in a folder of its own: the path must hold from there.
cardio=$(realpath -e "${1:-$racine/build/default/cardio}")
[ -x "$cardio" ] || { echo "not a program: $cardio" >&2; exit 1; }
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

printf 'int main(void){return 0;}\n' >"$travail/vide.c"
cc -O2 -o "$travail/vide" "$travail/vide.c"

depasse=0
# borne NAME VALUE BOUND: prints the measure, and counts it when it passes the bound.
borne() {
  if awk -v v="$2" -v b="$3" 'BEGIN { exit !(v > b) }'; then
    echo "$1: $2 (bound $3) PASSED THE BOUND"
    depasse=$((depasse + 1))
  else
    echo "$1: $2 (bound $3)"
  fi
}
# compte WHAT LOG: the total of callgrind's summary line in LOG, or a failure.
compte() {
  local n
  n=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$2")
  if [ -z "$n" ] || [ "$n" -eq 0 ]; then
    echo "no instruction count for $1; callgrind said:" >&2
    cat "$2" >&2
    exit 1
  fi
  echo "$n"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

# Total instructions of one run through a pipe, in the caller's environment.
instructions() {
  local log
  log=$(mktemp "$travail/cg.XXXXXX")
  (cd "$travail" && printf '7\n' | valgrind --tool=callgrind --callgrind-out-file=/dev/null \
      "$1" >/dev/null 2>"$log") || true
  compte "$1" "$log"
}

# The same on a terminal, with only TERM and the given LANG in the environment.
instructions_terminal() {
  local log
  log=$(mktemp "$travail/cg.XXXXXX")
  (cd "$travail" && printf '7\n' | env -i TERM=xterm LANG="$1" PATH="$PATH" \
      script -qec "valgrind --tool=callgrind --callgrind-out-file=/dev/null --log-file=$(printf %q "$log") $(printf %q "$2")" \
      /dev/null >/dev/null) || true
  compte "$2 on a terminal" "$log"
}

# Peak of heap and stack together, in bytes, from massif.
memoire() {
  local sortie
  sortie=$(mktemp "$travail/ms.XXXXXX")
  (cd "$travail" && printf '7\n' | valgrind --tool=massif --stacks=yes --massif-out-file="$sortie" \
      "$1" >/dev/null 2>/dev/null)
  awk -F= '/^mem_heap_B/{h=$2} /^mem_heap_extra_B/{e=$2} /^mem_stacks_B/{s=$2; t=h+e+s; if (t>m) m=t}
           END {if (m == "") exit 1; print m}' "$sortie" || { echo "no memory peak for $1" >&2; exit 1; }
}

vide_i=$(instructions "$travail/vide")
cardio_i=$(instructions "$cardio")
echo "through a pipe: empty C program $vide_i, cardio $cardio_i instructions (ratio $(ratio "$cardio_i" "$vide_i"))"
borne "extra instructions through a pipe" $((cardio_i - vide_i)) 14000
for langue in C.UTF-8 fr_FR.UTF-8; do
  vide_t=$(instructions_terminal "$langue" "$travail/vide")
  cardio_t=$(instructions_terminal "$langue" "$cardio")
  echo "on a terminal, LANG=$langue: empty C program $vide_t, cardio $cardio_t instructions" \
    "(ratio $(ratio "$cardio_t" "$vide_t"))"
  borne "extra instructions on a terminal" $((cardio_t - vide_t)) 21000
done

vide_m=$(memoire "$travail/vide")
cardio_m=$(memoire "$cardio")
echo "peak memory: empty C program $vide_m B, cardio $cardio_m B"
borne "extra peak memory (KiB)" "$(awk -v a="$cardio_m" -v b="$vide_m" 'BEGIN { printf "%.1f", (a - b) / 1024 }')" 1024
if [ -x /usr/bin/time ]; then
  rss() { (cd "$travail" && printf '7\n' | /usr/bin/time -f %M "$1" 2>&1 >/dev/null | tail -n 1); }
  echo "peak resident set: empty C program $(rss "$travail/vide") KiB, cardio $(rss "$cardio") KiB"
fi

# The one execve counted is the program's own start.
appels=$(cd "$travail" && printf '7\n' | strace -f -qq -e trace=process "$cardio" 2>&1 >/dev/null |
  grep -cE '(fork|clone|execve)\(' || true)
borne "process calls (execve of cardio itself included)" "$appels" 1
[ "$appels" -ge 1 ] || { echo "strace saw no process call at all" >&2; exit 1; }

if [ $depasse -gt 0 ]; then
  echo "$depasse bound(s) passed" >&2
  exit 1
fi
echo "all bounds hold"
