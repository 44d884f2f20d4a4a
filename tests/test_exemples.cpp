#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "processus.h"

namespace {

// The roff escapes an example may hold, and the characters man shows for them:
// the suite's own table, so that a new one fails here rather than pass unread.
const std::pair<std::string_view, std::string_view> echappements[] = {
    {"\\e", "\\"},     {"\\-", "-"},      {"\\&", ""},       {"\\ ", " "},      {"\\('e", "é"},
    {"\\(`e", "è"},    {"\\(^e", "ê"},    {"\\(`a", "à"},    {"\\(^a", "â"},    {"\\(,c", "ç"},
    {"\\(^i", "î"},    {"\\(^o", "ô"},    {"\\(`u", "ù"},    {"\\(Fo", "«"},    {"\\(Fc", "»"},
    {"\\(aq", "'"}};

std::string commeManLeMontre(const std::string& ligne) {
    std::string texte;
    for (std::size_t i = 0; i < ligne.size();) {
        if (ligne[i] != '\\') {
            texte += ligne[i++];
            continue;
        }
        const auto connu = std::find_if(std::begin(echappements), std::end(echappements), [&](const auto& e) {
            return ligne.compare(i, e.first.size(), e.first) == 0;
        });
        if (connu == std::end(echappements)) {
            ADD_FAILURE() << "an escape the suite does not know, in an example: " << ligne.substr(i);
            return texte;
        }
        texte += connu->second;
        i += connu->first.size();
    }
    return texte;
}

struct Exemple {
    std::string commandes;  // the lines after "$ ", one script
    std::string attendu;    // the lines the page shows under them
};

// Each block .EX ... .EE of the EXEMPLES section of the manual page.
std::vector<Exemple> exemplesDeLaPage() {
    std::ifstream page(CARDIO_PAGE);
    std::vector<Exemple> exemples;
    bool section = false, bloc = false;
    for (std::string ligne; std::getline(page, ligne);) {
        if (ligne.starts_with(".SH")) section = ligne == ".SH EXEMPLES";
        if (!section) continue;
        if (ligne == ".EX") exemples.emplace_back();
        bloc = (bloc || ligne == ".EX") && ligne != ".EE";
        if (!bloc || ligne == ".EX") continue;
        const std::string texte = commeManLeMontre(ligne);
        if (texte.starts_with("$ ")) exemples.back().commandes += texte.substr(2) + "\n";
        else exemples.back().attendu += texte + "\n";
    }
    return exemples;
}

// Every example of the manual page, run in an empty folder with the built
// cardio first on PATH, prints what the page shows. The page cannot show a
// last line without its line end: one is added where the output lacks it.
TEST(PageDeManuel, ChaqueExempleEcritCeQueMontreLaPage) {
    const std::vector<Exemple> exemples = exemplesDeLaPage();
    ASSERT_GE(exemples.size(), 3u) << CARDIO_PAGE << ": its EXEMPLES section is missing or short";
    const std::string cardio = CARDIO_EXE;
    for (const Exemple& exemple : exemples) {
        SCOPED_TRACE(exemple.commandes);
        ASSERT_FALSE(exemple.commandes.empty());
        DossierTemporaire dossier;
        Resultat r = executer({.programme = "/bin/sh",
                               .arguments = {"-c", exemple.commandes},
                               .environnement = {"PATH=" + cardio.substr(0, cardio.rfind('/')) + ":/usr/bin:/bin",
                                                 "LC_ALL=C.UTF-8"},
                               .dossier = dossier.chemin()});
        if (!r.sortie.ends_with("\n")) r.sortie += "\n";
        EXPECT_EQ(r.sortie, exemple.attendu);
        EXPECT_EQ(r.erreur, "");
        EXPECT_EQ(r.statut, 0);
    }
}

}  // namespace
