# For the checks written in bash: sets a variable for each text of textes.txt,
# named after it, holding the text in the given character set, as iconv names
# it (UTF-8 when none is given), with an optional prefix before the name:
# ". tests/textes.sh CP850" gives the bytes cardio writes through a pipe, in
# $ecran, $titre...; ". tests/textes.sh UTF-8 u_" the characters a console
# shows, in $u_ecran, $u_titre...
_textes_noms=()
while IFS= read -r _textes_ligne || [ -n "$_textes_ligne" ]; do
  case $_textes_ligne in
    '#'* | '') continue ;;
    [![:space:]]*)
      _textes_noms+=("${2:-}${_textes_ligne%%[[:space:]]*}")
      printf -v "${_textes_noms[-1]}" '%s' ''
      ;;
  esac
  _textes_partie=${_textes_ligne#*\"}
  _textes_partie=${_textes_partie%\"*}
  printf -v "${_textes_noms[-1]}" '%s%s' "${!_textes_noms[-1]}" "${_textes_partie//\\n/$'\n'}"
done <"$(dirname "${BASH_SOURCE[0]}")/textes.txt"
for _textes_nom in "${_textes_noms[@]}"; do
  # The dot keeps the newlines that end the text.
  _textes_octets=$(printf '%s' "${!_textes_nom}" | iconv -f UTF-8 -t "${1:-UTF-8}" && echo .) ||
    { echo "textes.sh: iconv cannot write the text $_textes_nom in ${1:-UTF-8}" >&2; return 1; }
  printf -v "$_textes_nom" '%s' "${_textes_octets%.}"
done
unset _textes_noms _textes_nom _textes_ligne _textes_partie _textes_octets
