#include "donnees.h"

#include <cstdio>

#include "console.h"

namespace {
constexpr Texte fichierNonTrouve = "Fichier non trouvé."_texte;
}

void lireDonnees() {
    // "r+" neither creates nor truncates: the file is only checked, never changed.
    std::FILE* ptr = std::fopen("donnees.csv", "r+");
    if (ptr == nullptr) {
        ecrireTexte(fichierNonTrouve);
        return;
    }
    std::fclose(ptr);
}
