#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "processus.h"
#include "texte.h"

namespace {

const std::string effacement = "\033[H\033[2J\033[3J";

// The text as a terminal in the given form shows it.
std::string enCodage(const std::string& cp850, Codage codage) {
    // Each letter in the order of Codage: UTF-8, code page 850, Latin-1, ASCII.
    const std::string lettres[][4] = {{"\303\251", "\202", "\351", "e"},
                                      {"\303\240", "\205", "\340", "a"},
                                      {"\303\247", "\207", "\347", "c"}};
    std::string texte;
    for (const char c : cp850) {
        const auto lettre = std::find_if(std::begin(lettres), std::end(lettres), [c](auto& l) { return l[1][0] == c; });
        texte += lettre == std::end(lettres) ? std::string(1, c) : (*lettre)[static_cast<int>(codage)];
    }
    return texte;
}

bool sansCodeC1(const std::string& octets) {
    return std::none_of(octets.begin(), octets.end(), [](char c) { return (c & 0xE0) == 0x80; });
}

// A locale that the C library knows and whose name gives no codeset: fr_FR
// built as ISO-8859-1 into a folder of the test's own. Empty where localedef
// or the locale's sources are missing.
std::string dossierDeLocales(const DossierTemporaire& dossier) {
    const std::string commande = "localedef -i fr_FR -f ISO-8859-1 '" + (dossier / "fr_FR") + "' >/dev/null 2>&1";
    return std::system(commande.c_str()) == 0 ? dossier.chemin() : "";
}

struct Cas {
    const char* nom;
    std::vector<std::string> environnement;
    bool efface;
    Codage codage;
    bool localeInstallee = false;  // LOCPATH names a folder holding fr_FR in ISO-8859-1
};

std::ostream& operator<<(std::ostream& os, const Cas& c) { return os << c.nom; }

class Terminal : public testing::TestWithParam<Cas> {};

// The terminal gets the letters its locale reads, and never a C1 control code
// unless the locale names a code page that has these letters there; a pipe,
// under the same settings, gets the code page 850 bytes.
TEST_P(Terminal, EffaceEtEcritSelonLaLocale) {
    Lancement lancement{.etapes = {{"", "0\n"}}, .environnement = GetParam().environnement, .terminal = true};
    DossierTemporaire locales;
    if (GetParam().localeInstallee) {
        const std::string dossier = dossierDeLocales(locales);
        if (dossier.empty()) GTEST_SKIP() << "localedef, or the fr_FR locale source (package locales), is missing";
        lancement.environnement.push_back("LOCPATH=" + dossier);
    }
    const std::string texte = ecranCp850 + reproche;
    const Resultat r = executer(lancement);
    EXPECT_EQ(r.sortie, (GetParam().efface ? effacement : "") + enCodage(texte, GetParam().codage));
    if (GetParam().codage != Codage::cp850) {
        EXPECT_TRUE(sansCodeC1(r.sortie));
    }
    EXPECT_EQ(r.erreur, "");
    EXPECT_EQ(r.statut, 0);

    lancement.terminal = false;
    const Resultat tube = executer(lancement);
    EXPECT_EQ(tube.sortie, texte);
    EXPECT_EQ(tube.statut, 0);
}

constexpr auto utf8 = Codage::utf8;
constexpr auto latin1 = Codage::latin1;
constexpr auto cp850 = Codage::cp850;
constexpr auto ascii = Codage::ascii;

INSTANTIATE_TEST_SUITE_P(Cas, Terminal, testing::Values(
    Cas{"xterm_utf8", {"TERM=xterm", "LC_ALL=C.UTF-8"}, true, utf8},
    Cas{"utf8_par_lang", {"TERM=xterm-256color", "LANG=C.UTF-8"}, true, utf8},
    Cas{"locale_non_installee", {"TERM=xterm", "LANG=fr_FR.UTF-8"}, true, utf8},
    Cas{"locale_inconnue", {"TERM=xterm", "LC_ALL=xx_XX.utf8"}, true, utf8},
    Cas{"locale_absente", {"TERM=xterm"}, true, utf8},
    Cas{"locale_c", {"TERM=xterm", "LANG=C"}, true, utf8},
    Cas{"locale_posix", {"TERM=xterm", "LC_ALL=POSIX"}, true, utf8},
    Cas{"nom_sans_jeu_inconnu", {"TERM=xterm", "LANG=xx_XX"}, true, utf8},
    Cas{"nom_sans_jeu_installe", {"TERM=xterm", "LANG=fr_FR"}, true, latin1, true},
    Cas{"latin1", {"TERM=xterm", "LANG=fr_FR.ISO-8859-1"}, true, latin1},
    Cas{"latin9_euro", {"TERM=xterm", "LANG=fr_FR.ISO-8859-15@euro"}, true, latin1},
    Cas{"euro_seul", {"TERM=xterm", "LANG=fr_FR@euro"}, true, latin1},
    Cas{"lc_all_vide_ignore", {"TERM=xterm", "LC_ALL=", "LANG=de_DE.iso88591"}, true, latin1},
    Cas{"lc_all_l_emporte", {"TERM=xterm", "LANG=C.UTF-8", "LC_ALL=fr_FR.ISO8859-15"}, true, latin1},
    Cas{"lc_ctype_l_emporte_sur_lang", {"TERM=xterm", "LANG=fr_FR.UTF-8", "LC_CTYPE=fr_FR.iso885915"}, true, latin1},
    Cas{"jeu_sans_ces_lettres", {"TERM=xterm", "LANG=ru_RU.KOI8-R"}, true, ascii},
    Cas{"page_de_code_850", {"TERM=xterm", "LANG=fr_FR.CP850"}, true, cp850},
    Cas{"page_de_code_437", {"TERM=xterm", "LANG=en_US.IBM437"}, true, cp850},
    Cas{"terminal_dumb", {"TERM=dumb", "LC_ALL=C.UTF-8"}, false, utf8},
    Cas{"term_vide", {"TERM=", "LC_ALL=C.UTF-8"}, false, utf8},
    Cas{"term_absent", {"LC_ALL=C.UTF-8"}, false, utf8}), NomDuCas());

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
