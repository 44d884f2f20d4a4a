#pragma once

#include <optional>
#include <string_view>

#include "texte.h"

// How a terminal reads é, à and ç, told by the name of its locale, as less, git
// and tmux tell it: whether or not that locale is installed.

// The form for a locale name such as "fr_FR.UTF-8" or "de_DE@euro": from the
// codeset between "." and "@", or from the modifier "euro"; UTF-8 for "C",
// "POSIX" and no name at all. Nothing when only the C library's data for that
// locale can tell (a name such as "fr_FR").
std::optional<Codage> codageDuNom(std::string_view nom);

// The form for a codeset, as a locale name or nl_langinfo(CODESET) spells it;
// case, "-" and "_" do not count.
Codage codageDuJeu(std::string_view jeu);
