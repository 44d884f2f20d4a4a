#include <gtest/gtest.h>

#include "processus.h"

namespace {

const std::string effacement = "\033[H\033[2J\033[3J";

// The text as a UTF-8 terminal shows it: é and ç as two bytes each.
std::string enUtf8(const std::string& cp850) {
    std::string utf8;
    for (const char c : cp850) {
        if (c == '\202') utf8 += "\303\251";
        else if (c == '\207') utf8 += "\303\247";
        else utf8 += c;
    }
    return utf8;
}

struct Cas {
    const char* nom;
    std::vector<std::string> environnement;
    bool efface;
    bool utf8;
};

std::ostream& operator<<(std::ostream& os, const Cas& c) { return os << c.nom; }

class Terminal : public testing::TestWithParam<Cas> {};

TEST_P(Terminal, EffaceEtEcritSelonLaLocale) {
    const Resultat r = executer({.etapes = {{"", "0\n"}}, .environnement = GetParam().environnement, .terminal = true});
    const std::string texte = ecranCp850 + reproche;
    EXPECT_EQ(r.sortie, (GetParam().efface ? effacement : "") + (GetParam().utf8 ? enUtf8(texte) : texte));
    EXPECT_EQ(r.erreur, "");
    EXPECT_EQ(r.statut, 0);
}

INSTANTIATE_TEST_SUITE_P(Cas, Terminal, testing::Values(
    Cas{"xterm_utf8", {"TERM=xterm", "LC_ALL=C.UTF-8"}, true, true},
    Cas{"utf8_par_lang", {"TERM=xterm-256color", "LANG=C.UTF-8"}, true, true},
    Cas{"utf8_par_lc_ctype", {"TERM=xterm", "LANG=C", "LC_CTYPE=C.UTF-8"}, true, true},
    Cas{"lc_all_c_l_emporte", {"TERM=xterm", "LANG=C.UTF-8", "LC_ALL=C"}, true, false},
    Cas{"locale_non_utf8", {"TERM=xterm", "LC_ALL=POSIX"}, true, false},
    Cas{"locale_absente", {"TERM=xterm"}, true, false},
    Cas{"locale_inconnue", {"TERM=xterm", "LC_ALL=xx_XX.UTF-8"}, true, false},
    Cas{"terminal_dumb", {"TERM=dumb", "LC_ALL=C.UTF-8"}, false, true},
    Cas{"term_vide", {"TERM=", "LC_ALL=C.UTF-8"}, false, true},
    Cas{"term_absent", {"LC_ALL=C.UTF-8"}, false, true}), NomDuCas());

// Scripts compare what comes through a pipe: the locale and the terminal type
// change none of its bytes.
TEST(Tube, GardeLesOctetsCp850SousUneLocaleUtf8) {
    DossierTemporaire dossier;
    const Resultat r = executer({.etapes = {{"", "0\n"}},
                                 .environnement = {"TERM=xterm", "LC_ALL=C.UTF-8", "LANG=fr_FR.UTF-8"},
                                 .dossier = dossier.chemin()});
    EXPECT_EQ(r.sortie, ecranCp850 + reproche);
    EXPECT_EQ(r.statut, 0);
}

}  // namespace
