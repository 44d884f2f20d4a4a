#!/usr/bin/env bash
# Compares a whole run of cardio answering 7 with an empty C program built here:
# instructions counted by callgrind, through a pipe and on a terminal (a
# pseudo-terminal made by script, under a UTF-8 locale, installed or not), peak
# memory by massif (heap and stack) and by the kernel (resident set), and the
# processes started, seen by strace.
# Usage: bench/instructions.sh [path/to/cardio]   (default: build/default/cardio)
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
cardio=${1:-$racine/build/default/cardio}
if [ ! -x "$cardio" ]; then
  cmake --workflow --preset default >/dev/null
fi
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

printf 'int main(void){return 0;}\n' >"$travail/vide.c"
cc -O2 -o "$travail/vide" "$travail/vide.c"

# Total instructions of one run, from callgrind's summary line.
instructions() {
  (cd "$travail" && printf '7\n' | valgrind --tool=callgrind --callgrind-out-file="$travail/cg.out" \
      "$@" >/dev/null 2>"$travail/cg.log")
  sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$travail/cg.log"
}

# Peak of heap and stack together, in bytes, from massif.
memoire() {
  (cd "$travail" && printf '7\n' | valgrind --tool=massif --stacks=yes --massif-out-file="$travail/ms.out" \
      "$@" >/dev/null 2>/dev/null)
  grep -E '^mem_(heap|heap_extra|stacks)_B=' "$travail/ms.out" |
    awk -F= '/mem_heap_B/{h=$2} /mem_heap_extra_B/{e=$2} /mem_stacks_B/{s=$2; t=h+e+s; if (t>m) m=t} END {print m+0}'
}

# The same on a terminal, with only TERM and the given LANG in the environment.
instructions_terminal() {
  local langue=$1
  shift
  (cd "$travail" && printf '7\n' | env -i TERM=xterm LANG="$langue" PATH="$PATH" \
      script -qec "valgrind --tool=callgrind --callgrind-out-file=$travail/cg.out --log-file=$travail/cg.log $*" \
      /dev/null >/dev/null)
  sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$travail/cg.log"
}

vide_i=$(instructions "$travail/vide")
cardio_i=$(instructions "$cardio")
vide_m=$(memoire "$travail/vide")
cardio_m=$(memoire "$cardio")

echo "instructions: empty C program $vide_i, cardio $cardio_i"
awk -v a="$cardio_i" -v b="$vide_i" 'BEGIN { printf "instruction ratio: %.3f (bound 1.10)\n", a / b }'
if command -v script >/dev/null; then
  for langue in C.UTF-8 fr_FR.UTF-8; do
    vide_t=$(instructions_terminal "$langue" "$travail/vide")
    cardio_t=$(instructions_terminal "$langue" "$cardio")
    echo "on a terminal, LANG=$langue: empty C program $vide_t, cardio $cardio_t"
    awk -v a="$cardio_t" -v b="$vide_t" 'BEGIN { printf "terminal instruction ratio: %.3f (bound 1.20)\n", a / b }'
  done
fi
echo "peak memory: empty C program $vide_m B, cardio $cardio_m B"
awk -v a="$cardio_m" -v b="$vide_m" 'BEGIN { printf "extra peak memory: %.1f KiB (bound 1024 KiB)\n", (a - b) / 1024 }'
if [ -x /usr/bin/time ]; then
  rss() { (cd "$travail" && printf '7\n' | /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1); }
  echo "peak resident set: empty C program $(rss "$travail/vide") KiB, cardio $(rss "$cardio") KiB"
fi
if command -v strace >/dev/null; then
  enfants=$(cd "$travail" && printf '7\n' | strace -f -qq -e trace=process "$cardio" 2>&1 >/dev/null |
    grep -cE '(fork|clone|execve)\(' || true)
  # The one execve counted is the program's own start.
  echo "process calls (execve of cardio itself included): $enfants"
fi
