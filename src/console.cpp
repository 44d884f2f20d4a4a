#include "console.h"

#include <cstdio>

#include "console_plateforme.h"

namespace {

const char* selonEcran(Texte texte) { return ecranUtf8() ? texte.utf8 : texte.cp850; }

}  // namespace

void ecrireLigne(Texte texte) { std::puts(selonEcran(texte)); }

void ecrireTexte(Texte texte) { std::fputs(selonEcran(texte), stdout); }

Lecture lireReponse(int& valeur) {
    std::fflush(stdout);
    return lireNombre(stdin, valeur);
}
