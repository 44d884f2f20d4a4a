#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <optional>

#include "processus.h"

namespace {

const std::string croissant = cp850("croissant");
const std::string decroissant = cp850("decroissant");
const std::string temps = cp850("temps");
const std::string moyenne = temps + cp850("moyenne");
const std::string lignes = cp850("lignes");
const std::string extremes = cp850("extremes");

struct Cas {
    const char* nom;
    std::string entree;
    std::string attendu;  // what follows the menu and its prompt
    // Megabytes of one byte typed before entree, built only by the case that runs,
    // not by every start of the test program.
    char octetRepete = 0;
    std::size_t megaoctets = 0;
};

std::ostream& operator<<(std::ostream& os, const Cas& c) { return os << c.nom; }

class Choix : public testing::TestWithParam<Cas> {};

// Every run happens in an empty folder, answers through a pipe, ends with status 0,
// writes nothing on standard error and leaves the folder as it was.
TEST_P(Choix, EcritExactementSesOctets) {
    DossierTemporaire dossier;
    const std::string avant = instantane(dossier.chemin());
    const std::string entree = std::string(GetParam().megaoctets << 20, GetParam().octetRepete) + GetParam().entree;
    const Resultat r = executer({.etapes = {{"", entree}}, .dossier = dossier.chemin()});
    EXPECT_EQ(r.sortie, ecranCp850 + GetParam().attendu);
    EXPECT_EQ(r.erreur, "");
    EXPECT_EQ(r.statut, 0);
    EXPECT_EQ(instantane(dossier.chemin()), avant);
}

// The numbers here choose entries that exist, or none that a menu of this kind
// could reach (0, negatives, 99, past an int), so that an entry added to the
// menu changes no row but its own.
INSTANTIATE_TEST_SUITE_P(Entrees, Choix, testing::Values(
    Cas{"entree1", "1\n", titre + absent},
    Cas{"entree2_croissant", "2\n1\n", question + croissant},
    Cas{"entree2_decroissant", "2\n2\n", question + decroissant},
    Cas{"entree2_autre_reponse", "2\n3\n", question},
    Cas{"entree2_lettre_garde_1", "2\nx\n", question + croissant},
    Cas{"entree2_fin_de_saisie_garde_1", "2\n", question + croissant},
    Cas{"entree2_reponse_sur_la_meme_ligne", "2 2\n", question + decroissant},
    Cas{"entree3", "3\n", temps},
    Cas{"entree4", "4\n", moyenne},
    Cas{"entree5", "5\n", lignes},
    Cas{"entree6", "6\n", extremes},
    Cas{"entree7", "7\n", fin},
    Cas{"zero", "0\n", reproche},
    Cas{"negatif", "-1\n", reproche},
    Cas{"quatre_vingt_dix_neuf", "99\n", reproche}), NomDuCas());

INSTANTIATE_TEST_SUITE_P(Lecture, Choix, testing::Values(
    Cas{"lettres_gardent_1", "abc\n", titre + absent},
    Cas{"saisie_vide_garde_1", "", titre + absent},
    Cas{"octal_07", "07\n", fin},
    Cas{"octal_s_arrete_au_chiffre_9", "019\n", titre + absent},
    Cas{"hexadecimal_0x6", "0x6\n", extremes},
    Cas{"hexadecimal_0X5", "0X5\n", lignes},
    Cas{"08_lu_comme_0", "08\n", reproche},
    Cas{"signe_plus", "+5\n", lignes},
    Cas{"blancs_sur_plusieurs_lignes", " \n\n\t 5\n", lignes},
    Cas{"signe_seul_garde_1", "-x\n", titre + absent},
    Cas{"0x_sans_chiffre_vaut_0", "0xg\n", reproche},
    Cas{"le_reste_sert_a_la_question", "2x\n", question + croissant},
    Cas{"megaoctets_de_blancs", "5", lignes, ' ', 8},
    Cas{"megaoctets_de_zeros", "7", fin, '0', 8}), NomDuCas());

// Numbers that do not fit in an int select nothing and answer nothing.
INSTANTIATE_TEST_SUITE_P(HorsLimites, Choix, testing::Values(
    Cas{"choix_2_puissance_32_plus_1", "4294967297\n", reproche},
    Cas{"choix_int_max_plus_1", "2147483648\n", reproche},
    Cas{"choix_int_min_moins_1", "-2147483649\n", reproche},
    Cas{"choix_hexadecimal", "0x100000001\n", reproche},
    Cas{"choix_megaoctets_de_chiffres", "\n", reproche, '9', 8},
    Cas{"reponse_2_puissance_32_plus_2", "2\n4294967298\n", question},
    Cas{"reponse_2_puissance_32_plus_1", "2\n4294967297\n", question},
    Cas{"reponse_int_min_est_un_nombre", "2\n-2147483648\n", question},
    Cas{"choix_int_max_est_un_nombre", "2147483647\n", reproche}), NomDuCas());

// A script sees each prompt before it has to answer: the answers are only given
// once the text that asks for them has come through the pipe.
TEST(Invite, ArriveAvantLaSaisie) {
    DossierTemporaire dossier;
    const Resultat r = executer({.etapes = {{ecranCp850, "2\n"}, {question, "2\n"}},
                                 .dossier = dossier.chemin()});
    EXPECT_EQ(r.sortie, ecranCp850 + question + decroissant);
    EXPECT_EQ(r.statut, 0);
}

// Arguments, environment and standard streams the program cannot count on.
struct Entourage {
    const char* nom;
    Lancement lancement;
    std::optional<std::string> attendu;  // nothing where the output cannot reach the runner
};

std::ostream& operator<<(std::ostream& os, const Entourage& e) { return os << e.nom; }

class Hostile : public testing::TestWithParam<Entourage> {};

TEST_P(Hostile, FinitNormalement) {
    DossierTemporaire dossier;
    std::ofstream(dossier / "donnees.csv") << "12:00,72\n";
    const std::string avant = instantane(dossier.chemin());
    Lancement lancement = GetParam().lancement;
    lancement.dossier = dossier.chemin();
    const Resultat r = executer(lancement);
    if (GetParam().attendu) {
        EXPECT_EQ(r.sortie, *GetParam().attendu);
    }
    EXPECT_EQ(r.erreur, "");
    EXPECT_EQ(r.statut, 0);
    EXPECT_EQ(instantane(dossier.chemin()), avant);
}

INSTANTIATE_TEST_SUITE_P(Cas, Hostile, testing::Values(
    Entourage{"arguments_ignores", {.etapes = {{"", "5\n"}}, .arguments = {"7", "--aide", ""}}, ecranCp850 + lignes},
    Entourage{"environnement_vide", {.etapes = {{"", "7\n"}}, .environnement = {}}, ecranCp850 + fin},
    Entourage{"entree_fermee", {.entreeFermee = true}, ecranCp850 + titre},
    // Standard input stays open: the rest of a line on a pipe is left for the next program.
    Entourage{"tube_ouvert_reste_non_lu", {.etapes = {{"", "7 reste"}, {"jamais", ""}}}, ecranCp850 + fin},
    Entourage{"sortie_pleine", {.etapes = {{"", "1\n"}}, .sortieVers = "/dev/full"}, std::nullopt},
    Entourage{"sortie_pleine_entree7", {.etapes = {{"", "7\n"}}, .sortieVers = "/dev/full"}, std::nullopt},
    Entourage{"lecteur_parti", {.etapes = {{"", "7\n"}}, .lecteurParti = true}, std::nullopt},
    Entourage{"sortie_fermee_fichier_intact", {.etapes = {{"", "1\n"}}, .sortieFermee = true}, std::nullopt}), NomDuCas());

}  // namespace
