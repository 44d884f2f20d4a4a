#include "console.h"

#include <cstdio>

#include "console_plateforme.h"

void ecrireLigne(Texte texte) {
    ecrire(texte);
    ecrire(finDeLigne);
}

void ecrireTexte(Texte texte) { ecrire(texte); }

Lecture lireReponse(int& valeur) {
    std::fflush(stdout);
    return lireSaisie(valeur);
}

void finirLaSession() {
    oublierLaLigne();
    attendreAvantDeFermer();
}
