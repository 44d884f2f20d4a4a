#!/usr/bin/env bash
# Runs cardio.exe under Wine on representative answers and compares its output
# with the expected bytes, those the Linux build writes, allowing exactly what
# Windows changes: lines end with CR LF, and the command interpreter's CLS may
# write one form feed first when the output is not a console.
# Usage: tests/wine/verifier.sh path/to/cardio.exe path/to/sans_lignes.exe
set -uo pipefail
exe=$(realpath "$1")
sans_lignes=$(realpath "$2")
wine=$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
# The prefix and the work folders stay in the build folder. Wine runs without
# TMPDIR: Debian 13's Wine aborts at start whenever it is set. Its server's
# socket then goes to a folder in /tmp, which goes with the server at the end.
construction=$(dirname "$exe")
export WINEPREFIX="$construction/wine-prefix" WINEDEBUG=-all
unset TMPDIR
travail="$construction/wine-verification"
rm -rf "$travail"
mkdir -p "$travail"
arreter_wine() {
  "$wineserver" -k 2>/dev/null
  "$wineserver" -w 2>/dev/null
}
# Ends the server, then removes its socket folder, named after the prefix's
# device and inode, and the folder that holds it once empty: the
# /tmp/wine-XXXXXX that the prefix's file wineserver names (Debian's Wine 8 and
# 10). The folders of other prefixes and users stay.
finir_wine() {
  arreter_wine
  local nom dossier
  nom=$(cat "$WINEPREFIX/wineserver" 2>/dev/null)
  [[ $nom =~ ^wine-[A-Za-z0-9]{6}$ ]] || return 0
  dossier=/tmp/$nom
  rm -rf "$dossier/server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")"
  rmdir "$dossier" 2>/dev/null
  return 0
}
trap 'finir_wine; rm -rf "$travail"' EXIT

# One Wine server for all the runs: each start then costs a fraction of a second.
mkdir -p "$WINEPREFIX"
"$wineserver" -p
"$wine" wineboot -i >/dev/null 2>&1

# The texts: in code page 850 as pipes get them, and as the console shows them
# (u_ and the name).
. "$(dirname "$0")/../textes.sh" CP850
. "$(dirname "$0")/../textes.sh" UTF-8 u_

echecs=0
reussites=0
# compter NAME FAULTS: counts a check as passed when FAULTS is empty.
compter() {
  if [ -z "$2" ]; then
    reussites=$((reussites + 1))
    echo "ok     $1"
  else
    echecs=$((echecs + 1))
    echo "FAILED $1:$2"
  fi
}

# verifier NAME INPUT EXPECTED [DATA-FILE-CONTENTS]
verifier() {
  local dossier="$travail/$1"
  mkdir "$dossier"
  [ $# -ge 4 ] && printf '%s' "$4" >"$dossier/donnees.csv" && cp -p "$dossier/donnees.csv" "$travail/$1.avant"
  (cd "$dossier" && printf '%s' "$2" | "$wine" "$exe" >"$travail/$1.sortie" 2>"$travail/$1.erreur")
  local statut=$?
  printf '%s' "$3" | perl -pe 's/\n/\r\n/g' >"$travail/$1.attendu"
  perl -0777 -pe 's/\A\f//' "$travail/$1.sortie" >"$travail/$1.recu"
  local faute=""
  [ $statut -eq 0 ] || faute+=" status $statut;"
  cmp -s "$travail/$1.attendu" "$travail/$1.recu" || faute+=" output differs;"
  [ -s "$travail/$1.erreur" ] && faute+=" standard error not empty;"
  if [ $# -ge 4 ]; then
    cmp -s "$travail/$1.avant" "$dossier/donnees.csv" &&
      [ "$(stat -c %Y "$travail/$1.avant")" = "$(stat -c %Y "$dossier/donnees.csv")" ] ||
      faute+=" data file changed;"
  fi
  compter "$1" "$faute"
  [ -z "$faute" ] || cmp -l "$travail/$1.attendu" "$travail/$1.recu" | head -5
}

verifier entree1_sans_fichier $'1\n' "$ecran$titre$absent"
verifier entree1_avec_fichier $'1\n' "$ecran$titre" $'12:00,72\n'
verifier entree2_croissant $'2\n1\n' "$ecran$question$croissant"
verifier entree2_decroissant $'2\r\n2\r\n' "$ecran$question$decroissant"
verifier entree2_autre $'2\n3\n' "$ecran$question"
verifier entree2_hors_limites $'2\n4294967298\n' "$ecran$question"
verifier entree4 $'4\n' "$ecran$temps$moyenne"
verifier entree6 $'0x6\n' "$ecran$extremes"
verifier entree7 $'7\n' "$ecran$fin"
verifier reproche $'99\n' "$ecran$reproche"
verifier hors_limites $'4294967297\n' "$ecran$reproche"

# The examples of LISEZMOI.txt that run cardio.exe from cmd: lines
# "     C:\cardio>COMMAND", then the lines the console shows, every one indented
# by five blanks, down to the next line that is not; a line "..." stands for
# the menu, which an entry added to it changes. They run as a user types them,
# in order, in one folder holding cardio.exe, each block as a batch file. The
# page cannot show the last line's missing line end, nor the form feed that
# CLS may write first.
exemple_de_lisezmoi() {
  local nom="lisezmoi_$1" faute=""
  printf '@echo off\r\n%s' "$2" >"$lisezmoi/$nom.bat"
  (cd "$lisezmoi" && "$wine" cmd /c "$nom.bat" </dev/null >"$travail/$nom.sortie" 2>"$travail/$nom.erreur") ||
    faute+=" status $?;"
  printf '%s' "$3" | iconv -f UTF-8 -t CP850 | perl -pe 's/\n/\r\n/g' >"$travail/$nom.attendu"
  perl -0777 -e '
    my ($attendu, $recu) = map { open(my $f, "<", $_) or die "$_: $!"; local $/; <$f> } @ARGV;
    $recu =~ s/\A\f//;
    $recu .= "\r\n" unless $recu =~ /\r\n\z/;
    my ($debut, $fin) = split /^\.\.\.\r\n/m, $attendu, 2;
    exit($recu ne $attendu) unless defined $fin;
    exit(!(index($recu, $debut) == 0 && length($recu) > length($debut . $fin) &&
           substr($recu, -length("\n$fin")) eq "\n$fin"));
  ' "$travail/$nom.attendu" "$travail/$nom.sortie" || faute+=" output differs from LISEZMOI;"
  [ -s "$travail/$nom.erreur" ] && faute+=" standard error not empty;"
  compter "$nom" "$faute"
}
lisezmoi="$travail/lisezmoi"
mkdir "$lisezmoi"
cp "$exe" "$lisezmoi/cardio.exe"
blocs=0 commandes="" montre=""
while IFS= read -r ligne || [ -n "$ligne" ]; do
  ligne=${ligne%$'\r'}
  if [[ $ligne == '     C:\cardio>'* && -z $montre ]]; then
    commandes+="${ligne#'     C:\cardio>'}"$'\r\n'
  elif [[ -n $commandes && $ligne == '     '* ]]; then
    montre+="${ligne#'     '}"$'\n'
  elif [ -n "$commandes" ]; then
    blocs=$((blocs + 1))
    exemple_de_lisezmoi "$blocs" "$commandes" "$montre"
    commandes="" montre=""
  fi
done <"$(dirname "$0")/../../doc/LISEZMOI.txt.in"
[ $blocs -ge 2 ] || compter lisezmoi " fewer than two cmd examples found in doc/LISEZMOI.txt.in"

# In a console, which Wine shows on a terminal, the screen is read back through
# tmux: the letters must read right whatever the console's code page; a console
# that cardio.exe has to itself (as a double-click gives it; here "wine
# cardio.exe" straight from the terminal) waits for Enter but after entry 7; one
# shared with cmd does not; and no typed text ever reaches cmd.
tmux=(tmux -u -S "$travail/tmux")
capture="$travail/console.ecran"
statut="$travail/console.statut"
# As a line of the screen reads them: without the newline and blank that end
# them; the menu's first line and its prompt.
sur_l_ecran() {
  local texte=${1%$'\n'}
  printf '%s' "${texte% }"
}
premiere_ligne=${u_ecran%%$'\n'*}
invite=$(sur_l_ecran "${u_ecran##*$'\n'}")
# attendre TEXT [-xF]: waits up to 10 s for TEXT on the console's screen (with
# -xF, for a line that is exactly TEXT).
attendre() {
  for _ in $(seq 100); do
    "${tmux[@]}" capture-pane -p -J >"$capture" 2>/dev/null && grep -q "${2:--F}" -- "$1" "$capture" && return 0
    sleep 0.1
  done
  return 1
}
# fini: waits up to 5 s for the command of the console to end with status 0.
fini() {
  for _ in $(seq 50); do
    [ -s "$statut" ] && break
    sleep 0.1
  done
  [ "$(cat "$statut" 2>/dev/null)" = 0 ]
}
# ouvrir COMMAND [TEXT]: runs the Wine COMMAND in a console on a terminal of its
# own, and waits for TEXT (the menu's prompt by default) on its screen. The
# terminal has no suspend key: Ctrl-Z reaches the console as a key.
ouvrir() {
  rm -rf "$travail/console" "$statut"
  mkdir "$travail/console"
  LC_ALL=C.UTF-8 "${tmux[@]}" new-session -d -x 100 -y 30 \
    "stty susp undef && cd '$travail/console' && '$wine' $1; echo \$? >'$statut'; sleep 60" &&
    attendre "${2:-$invite}"
}
sans_demande() { ! grep -qF "$u_appuyez" "$capture"; }
propre_entree7() {
  ouvrir "'$exe'" && "${tmux[@]}" send-keys 7 Enter &&
    attendre "$u_fin" &&
    [ "$(head -n 1 "$capture")" = "$premiere_ligne" ] &&
    fini && attendre "$u_fin" && sans_demande
}
# Enter typed twice after the answer does not close the window before the
# request to press Enter can be read: one more Enter does.
propre_entree1() {
  ouvrir "'$exe'" && "${tmux[@]}" send-keys 1 Enter Enter &&
    attendre "$u_absent" -xF && attendre "$u_appuyez" -xF &&
    sleep 2 && [ ! -e "$statut" ] && "${tmux[@]}" send-keys Enter && fini
}
partagee_cmd_c() {
  ouvrir "cmd /c '$exe'" && "${tmux[@]}" send-keys 1 Enter && fini && attendre "$u_absent" && sans_demande
}
# cardio.exe started from an interactive cmd, at its prompt, which lancer
# starts it again from.
lancer() { "${tmux[@]}" send-keys "\"$exe\"" Enter && attendre "$invite" -xF; }
depuis_cmd() { ouvrir cmd ">" && lancer; }
# cmd_interactif KEYS...: the answer's line ends with a command that, if it
# reached cmd, would write FUITE after its prompt.
cmd_interactif() {
  depuis_cmd &&
    "${tmux[@]}" send-keys "$@" Enter && attendre "$u_fin" &&
    "${tmux[@]}" send-keys "echo FIN" Enter && attendre FIN -xF &&
    ! grep -qE '(^|[^ ])FUITE$' "$capture" && sans_demande && "${tmux[@]}" send-keys exit Enter && fini
}
# First on a line, Ctrl-Z ends the input: entry 1 at once, and the next line is
# cmd's. Within a line, it ends the line: 2, Ctrl-Z, 1 chooses 2 and drops the
# 1, so the order is asked, and the next line answers it.
cmd_ctrl_z() {
  depuis_cmd && "${tmux[@]}" send-keys C-z Enter && attendre "$u_absent" &&
    "${tmux[@]}" send-keys "echo FIN" Enter && attendre FIN -xF &&
    lancer && "${tmux[@]}" send-keys 2 C-z 1 Enter && attendre "$(sur_l_ecran "$u_question")" &&
    "${tmux[@]}" send-keys 2 Enter && attendre "$(sur_l_ecran "$u_decroissant")" &&
    "${tmux[@]}" send-keys exit Enter && fini
}
# A parent program left the console without line input: Enter sends a bare CR,
# and there is no line to drop. 7 and one Enter end the run.
sans_lignes() {
  ouvrir "'$sans_lignes' '$("$wine" winepath -w "$exe")'" && "${tmux[@]}" send-keys 7 Enter &&
    fini && attendre "$u_fin"
}
# console NAME COMMAND...: one case, and what a failure left running (a
# cardio.exe still waiting) must not fail the next.
console() {
  local nom=$1
  shift
  if "$@"; then
    compter "console_$nom" ""
  else
    compter "console_$nom" " the console reads"
    cat "$capture"
    arreter_wine
    "$wineserver" -p
  fi
  "${tmux[@]}" kill-server 2>/dev/null
  sleep 0.2
}
if command -v tmux >/dev/null; then
  console propre_entree7 propre_entree7
  console propre_entree1 propre_entree1
  console partagee_cmd_c partagee_cmd_c
  # Longer than one read of the console (4096 characters); a line feed (Ctrl-J)
  # last in a whole read, within the line.
  console cmd_interactif cmd_interactif "7$(printf '%4200s')echo FUITE"
  console cmd_ctrl_j cmd_interactif "7$(printf '%4094s')" C-j "echo FUITE"
  console cmd_ctrl_z cmd_ctrl_z
  console sans_lignes sans_lignes
else
  echo "skipped console: tmux is missing"
fi

echo "wine: $reussites passed, $echecs failed"
[ $echecs -eq 0 ]
