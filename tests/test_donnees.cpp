#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

#include "processus.h"

namespace {

namespace fs = std::filesystem;

void ecrireFichier(const std::string& chemin, mode_t droits) {
    std::ofstream(chemin) << "temps,pouls\n12:00,72\n12:01,75\n";
    chmod(chemin.c_str(), droits);
}

struct Cas {
    const char* nom;
    void (*preparer)(const DossierTemporaire&);
    std::string attendu;  // what follows the heading of entry 1
    bool sansPrivileges = false;
};

std::ostream& operator<<(std::ostream& os, const Cas& c) { return os << c.nom; }

class FichierDeDonnees : public testing::TestWithParam<Cas> {};

// The data file is only checked: whatever is there, nothing is created, written,
// truncated or touched, and the program neither hangs nor complains on standard error.
TEST_P(FichierDeDonnees, EstVerifieSansEtreTouche) {
    DossierTemporaire dossier{Ouverture::tous};
    fs::create_directory(dossier / "ici");
    GetParam().preparer(dossier);
    Lancement lancement{.etapes = {{"", "1\n"}}, .dossier = dossier / "ici"};
    if (GetParam().sansPrivileges) {
        if (const std::string raison = sansPrivileges(lancement, dossier); !raison.empty()) GTEST_SKIP() << raison;
    }
    const std::string avant = instantane(dossier.chemin());
    const Resultat r = executer(lancement);
    EXPECT_EQ(r.sortie, ecranCp850 + titre + GetParam().attendu);
    EXPECT_EQ(r.erreur, "");
    EXPECT_EQ(r.statut, 0);
    EXPECT_EQ(instantane(dossier.chemin()), avant);
}

// Root may open any file for reading and writing: the cases about permissions run
// the program as the user nobody when the suite runs as root, so that they count,
// and are skipped where root cannot become nobody.
INSTANTIATE_TEST_SUITE_P(Cas, FichierDeDonnees, testing::Values(
    Cas{"absent", [](const DossierTemporaire&) {}, absent},
    Cas{"present", [](const DossierTemporaire& d) { ecrireFichier(d / "ici/donnees.csv", 0644); }, ""},
    Cas{"vide", [](const DossierTemporaire& d) { ecrireFichier(d / "ici/donnees.csv", 0644); fs::resize_file(d / "ici/donnees.csv", 0); }, ""},
    Cas{"lecture_seule", [](const DossierTemporaire& d) { ecrireFichier(d / "ici/donnees.csv", 0444); }, absent, true},
    Cas{"ecriture_seule", [](const DossierTemporaire& d) { ecrireFichier(d / "ici/donnees.csv", 0222); }, absent, true},
    Cas{"inscriptible_par_tous", [](const DossierTemporaire& d) { chmod((d / "ici").c_str(), 0755); ecrireFichier(d / "ici/donnees.csv", 0666); }, "", true},
    Cas{"dossier", [](const DossierTemporaire& d) { fs::create_directory(d / "ici/donnees.csv"); }, absent},
    Cas{"lien_casse", [](const DossierTemporaire& d) { fs::create_symlink("manquant.csv", d / "ici/donnees.csv"); }, absent},
    Cas{"lien_vers_fichier", [](const DossierTemporaire& d) { ecrireFichier(d / "ici/vrai.csv", 0644); fs::create_symlink("vrai.csv", d / "ici/donnees.csv"); }, ""},
    Cas{"nom_accentue_utf8", [](const DossierTemporaire& d) { ecrireFichier(d / "ici/donn\303\251es.csv", 0644); }, absent},
    Cas{"nom_accentue_cp850", [](const DossierTemporaire& d) { ecrireFichier(d / "ici/donn\202es.csv", 0644); }, absent},
    Cas{"majuscules", [](const DossierTemporaire& d) { ecrireFichier(d / "ici/DONNEES.CSV", 0644); }, absent},
    Cas{"hors_du_dossier_de_travail", [](const DossierTemporaire& d) { ecrireFichier(d / "donnees.csv", 0644); }, absent},
    Cas{"tube_nomme", [](const DossierTemporaire& d) { mkfifo((d / "ici/donnees.csv").c_str(), 0644); }, ""}), NomDuCas());

}  // namespace
