#include "menu.h"

#include <cstdlib>

#include "console.h"
#include "donnees.h"

namespace {

// The whole screen, written at once, down to the prompt, which waits on its line.
constexpr Texte ecran =
    "Vous avez le choix de la pilule... non je déconne.\n"
    "Bienvenue dans la m... non dans le module cardio !\n"
    "Veuillez choisir le mode que vous souhaitez. \n"
    "----- Vous avez le choix entre ----- \n"
    "1 - Afficher les données contenues dans le fichier CSV \n"
    "2 - Afficher les données dans l'ordre croissant ou décroissant \n"
    "3 - Rechercher et afficher les données (temps particulier) \n"
    "4 - Afficher la moyenne du pouls (temps particulier) \n"
    "5 - Afficher le nombre de lignes de données actuellement en mémoire \n"
    "6 - Rechercher et afficher les maximums/minimums de pouls \n"
    "7 - Quitter l'application \n"
    "------------------------------------ \n"
    "Faites votre choix : "_texte;
constexpr Texte reproche = "Alors comme ça, on prend un autre nombre que ceux définis ?"_texte;
constexpr Texte questionTemps = "Précisez le temps en question : "_texte;

void afficherLeFichier(int) {
    ecrireLigne("Voici les données contenues dans le fichier données.csv : "_texte);
    lireDonnees();
}

void afficherDansLOrdre(int choixcroissance) {
    ecrireLigne("Dans l'ordre croissant ou décroissant ? "_texte);
    // An answer too large for an int is no answer: nothing more is written.
    if (lireReponse(choixcroissance) == Lecture::hors_limites) return;
    if (choixcroissance == 1) ecrireLigne("Voici les données dans l'ordre croissant : *WIP* "_texte);
    else if (choixcroissance == 2) ecrireLigne("Voici les données dans l'ordre décroissant : *WIP* "_texte);
}

// The time is asked for, not read yet.
void rechercher(int) { ecrireLigne(questionTemps); }

void afficherLaMoyenne(int) {
    ecrireLigne(questionTemps);
    ecrireLigne("Veuillez patienter... calcul de la moyenne des pouls "_texte);
    ecrireTexte("La moyenne est : *WIP*"_texte);
}

void compterLesLignes(int) { ecrireTexte("Nombres de lignes actuellement en mémoire : *WIP*"_texte); }

void afficherLesExtremes(int) {
    ecrireTexte("Valeur minimale : *WIP*"_texte);
    ecrireTexte("Valeur maximale : *WIP*"_texte);
}

void quitter(int) {
    ecrireTexte("Veuillez patienter... mise à mort du programme"_texte);
    // The user asked to leave: no waiting, even in a window of its own.
    oublierLaLigne();
    std::exit(0);
}

// What each entry of the screen above does, in the order of their numbers,
// given the answer to the order's question, still unread.
using Action = void (*)(int choixcroissance);
constexpr Action entrees[] = {
    afficherLeFichier,    // 1
    afficherDansLOrdre,   // 2
    rechercher,           // 3
    afficherLaMoyenne,    // 4
    compterLesLignes,     // 5
    afficherLesExtremes,  // 6
    quitter,              // 7
};

// The entry of that number; none for any other number, nor for a number too
// large for an int.
Action entreeChoisie(Lecture lecture, int faites_votre_choix) {
    constexpr int nombreDEntrees = sizeof entrees / sizeof entrees[0];
    if (lecture == Lecture::hors_limites || faites_votre_choix < 1 || faites_votre_choix > nombreDEntrees)
        return nullptr;
    return entrees[faites_votre_choix - 1];
}

}  // namespace

void menu() {
    preparerConsole();
    int faites_votre_choix = 1;
    int choixcroissance = 1;
    ecrireTexte(ecran);
    const Lecture lecture = lireReponse(faites_votre_choix);
    if (const Action action = entreeChoisie(lecture, faites_votre_choix)) {
        action(choixcroissance);
    } else {
        ecrireTexte(reproche);
    }
    finirLaSession();
}
