#include "console.h"

#include <cstdio>

#include "console_plateforme.h"

namespace {
constexpr TexteConsole finDeLigne{"\n"};

// Every read stops on the character after the number and leaves it, so the line
// being dropped is already in hand: this never waits for a new one.
void lireJusquAuRetourALaLigne() {
    int c = std::getchar();
    while (c != '\n' && c != EOF) c = std::getchar();
}
}  // namespace

void ecrireLigne(Texte texte) {
    ecrire(texte);
    ecrire(finDeLigne);
}

void ecrireTexte(Texte texte) { ecrire(texte); }

Lecture lireReponse(int& valeur) {
    std::fflush(stdout);
    return lireNombre(stdin, valeur);
}

void oublierLaLigne() {
    // After the end of input (Ctrl-D, Ctrl-Z) there is no line left; a Windows
    // console would even be read again, and wait.
    if (!saisieAuClavier() || std::feof(stdin)) return;
    std::fflush(stdout);
    lireJusquAuRetourALaLigne();
}

void finirLaSession() {
    oublierLaLigne();
    if (!demanderAvantDeFermer()) return;
    std::fflush(stdout);
    // Enter closes the window, even after a Ctrl-Z that ended the answer.
    std::clearerr(stdin);
    lireJusquAuRetourALaLigne();
}
