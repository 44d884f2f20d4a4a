#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>

#include "processus.h"
#include "texte.h"

namespace {

const std::string effacement = "\033[H\033[2J\033[3J";

// Whether the terminal, reading the bytes in its character set, finds no C1
// control code (U+0080 to U+009F): in UTF-8 these are C2 80 to C2 9F, and the
// second byte of a letter such as É (C3 89) is none; elsewhere, a byte 80 to 9F.
bool sansCodeC1(const std::string& octets, Codage codage) {
    for (std::size_t i = 0; i < octets.size(); ++i) {
        const auto octet = static_cast<unsigned char>(octets[i]);
        const bool c1 = codage == Codage::utf8
                            ? octet == 0xC2 && i + 1 < octets.size() && (octets[i + 1] & 0xE0) == 0x80
                            : (octet & 0xE0) == 0x80;
        if (c1) return false;
    }
    return true;
}

// A locale that the C library knows and whose name gives no codeset: fr_FR
// built as ISO-8859-1 into a folder of the test's own. Empty where localedef
// or the locale's sources are missing.
std::string dossierDeLocales(const DossierTemporaire& dossier) {
    std::string chemin;  // quoted for the shell, whatever TMPDIR holds
    for (const char c : dossier / "fr_FR") chemin += c == '\'' ? std::string("'\\''") : std::string(1, c);
    const std::string commande = "localedef -i fr_FR -f ISO-8859-1 '" + chemin + "' >/dev/null 2>&1";
    return std::system(commande.c_str()) == 0 ? dossier.chemin() : "";
}

struct Cas {
    const char* nom;
    std::vector<std::string> environnement;
    bool efface;
    Codage codage;
    bool localeInstallee = false;  // LOCPATH names a folder holding fr_FR in ISO-8859-1
    bool entreeTube = false;       // only standard output is the terminal
};

std::ostream& operator<<(std::ostream& os, const Cas& c) { return os << c.nom; }

class Terminal : public testing::TestWithParam<Cas> {};

// The terminal gets the letters its locale reads, and never a C1 control code
// unless the locale names a code page that has these letters there; a pipe,
// under the same settings, gets the code page 850 bytes.
TEST_P(Terminal, EffaceEtEcritSelonLaLocale) {
    Lancement lancement{.etapes = {{"", "0\n"}},
                        .environnement = GetParam().environnement,
                        .terminal = SurTerminal::entreeEtSortie};
    if (GetParam().entreeTube) {
        // Its writer stays and the answer's line is unfinished: nothing more is read.
        lancement.etapes = {{"", "0 reste"}, {"jamais", ""}};
        lancement.terminal = SurTerminal::sortie;
    }
    DossierTemporaire locales;
    if (GetParam().localeInstallee) {
        const std::string dossier = dossierDeLocales(locales);
        if (dossier.empty()) GTEST_SKIP() << "localedef, or the fr_FR locale source (package locales), is missing";
        lancement.environnement.push_back("LOCPATH=" + dossier);
    }
    const std::string texte = ::texte("ecran") + ::texte("reproche");
    const Resultat r = executer(lancement);
    EXPECT_EQ(r.sortie, (GetParam().efface ? effacement : "") + enCodage(texte, GetParam().codage));
    if (GetParam().codage != Codage::cp850) {
        EXPECT_TRUE(sansCodeC1(r.sortie, GetParam().codage));
    }
    EXPECT_EQ(r.erreur, "");
    EXPECT_EQ(r.statut, 0);

    lancement.terminal = SurTerminal::rien;
    const Resultat tube = executer(lancement);
    EXPECT_EQ(tube.sortie, ecranCp850 + reproche);
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
    Cas{"cp1252", {"TERM=xterm", "LANG=fr_FR.CP1252"}, true, latin1},
    Cas{"entree_en_tube", {"TERM=xterm", "LANG=fr_FR.ISO-8859-1"}, true, latin1, false, true},
    Cas{"page_de_code_850", {"TERM=xterm", "LANG=fr_FR.CP850"}, true, cp850},
    Cas{"page_de_code_437", {"TERM=xterm", "LANG=en_US.IBM437"}, true, cp850},
    Cas{"terminal_dumb", {"TERM=dumb", "LC_ALL=C.UTF-8"}, false, utf8},
    Cas{"term_vide", {"TERM=", "LC_ALL=C.UTF-8"}, false, utf8},
    Cas{"term_absent", {"LC_ALL=C.UTF-8"}, false, utf8}), NomDuCas());

// Typed at a terminal, the rest of the answer's line goes with the program and
// never reaches the shell; the next line stays for whoever reads next.
enum class Mode {
    lignes,        // the terminal reads whole lines, as a shell leaves it
    brut,          // left raw by a parent
    tapeEnAvance,  // typed while bash's line editor had the terminal, before the start
    sortieEnTube,  // only standard input is the terminal
};

struct Ligne {
    const char* nom;
    std::string reponses;  // typed first, then the blanks and the rest
    std::vector<std::string_view> attendu;  // the names of the texts that follow the menu and its prompt
    std::size_t blancs = 2000;
    std::string reste = "TAIL\nNEXT\n";
    std::string ensuite{};  // typed once the answer is written
    Mode mode = Mode::lignes;
    char eol = 0;  // the terminal's EOL character
};

std::ostream& operator<<(std::ostream& os, const Ligne& l) { return os << l.nom; }

class ResteDeLaLigne : public testing::TestWithParam<Ligne> {};

TEST_P(ResteDeLaLigne, NArrivePasAuProgrammeSuivant) {
    const Ligne& l = GetParam();
    DossierTemporaire dossier;
    const std::string saisie = l.reponses + std::string(l.blancs, ' ') + l.reste;
    // A pipe gets code page 850, the terminal the form of its locale.
    std::string ecrit = texte("ecran");
    for (std::string_view nom : l.attendu) ecrit += texte(nom);
    if (l.mode == Mode::sortieEnTube) ecrit = enCodage(ecrit, Codage::cp850);
    const bool tapeEnAvance = l.mode == Mode::tapeEnAvance;
    const Resultat r = executer({.etapes = {{"", tapeEnAvance ? "" : saisie}, {ecrit, l.ensuite}},
                                 .programme = "/bin/sh",
                                 .arguments = {"-c", "\"$0\" && head -n 1", CARDIO_EXE},
                                 .environnement = {"PATH=/usr/bin:/bin", "LC_ALL=C.UTF-8"},
                                 .dossier = dossier.chemin(),
                                 .terminal = l.mode == Mode::sortieEnTube ? SurTerminal::entree
                                                                          : SurTerminal::entreeEtSortie,
                                 .terminalBrut = l.mode == Mode::brut,
                                 .tapeEnAvance = tapeEnAvance ? saisie : "",
                                 .eol = l.eol});
    EXPECT_EQ(r.sortie, ecrit + "NEXT\n");
    EXPECT_EQ(r.erreur, "");
    EXPECT_EQ(r.statut, 0);
}

INSTANTIATE_TEST_SUITE_P(Cas, ResteDeLaLigne, testing::Values(
    Ligne{"entree7", "7", {"fin"}},
    Ligne{"reproche", "0", {"reproche"}},
    Ligne{"hors_limites", "99999999999", {"reproche"}},
    Ligne{"entree2", "2\n1", {"question", "croissant"}},
    // Ctrl-D at the prompt: the lines typed after it are not the answer's.
    Ligne{"fin_de_saisie", "\004", {"titre", "absent"}, 0, "NEXT\n"},
    // Ctrl-D ends the answer's line without a newline, after a blank or right after the number.
    Ligne{"ctrl_d_apres_la_reponse", "7 \004", {"fin"}, 0, "NEXT\nNEXT2\n"},
    Ligne{"ctrl_d_colle_au_nombre", "7\004", {"fin"}, 0, "NEXT\nNEXT2\n"},
    // The character that ends the first number begins the second: -2 answers nothing.
    Ligne{"caractere_rendu", "2-2", {"question"}},
    // The line fills the whole read, EOL included, with no newline: one is added past it.
    Ligne{"eol_remplit_la_lecture", "5", {"lignes"}, 4094,
          "\001NEXT\n", "", Mode::lignes, '\001'},
    // The terminal keeps 4095 characters of a line: the program reads no more.
    Ligne{"dix_megaoctets", "7", {"fin"}, 10 << 20},
    // No lines: Enter sends a CR, and nothing after it may be waited for.
    Ligne{"mode_brut", "7\r", {"fin"}, 0, "", "NEXT\n", Mode::brut},
    // Raw, Ctrl-C is no signal but a key, and no number: entry 1, status 0.
    Ligne{"ctrl_c_en_mode_brut", "\003", {"titre", "absent"}, 0, "", "NEXT\n", Mode::brut},
    // Enter came as a CR, and the next command with it: it goes with the program.
    Ligne{"tape_en_avance", "7\recho SUITE\r", {"fin"}, 0, "", "NEXT\n", Mode::tapeEnAvance},
    Ligne{"sortie_en_tube", "7", {"fin"}, 2000, "TAIL\nNEXT\n", "", Mode::sortieEnTube}), NomDuCas());

}  // namespace
