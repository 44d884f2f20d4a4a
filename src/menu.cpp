#include "menu.h"

#include <cstdlib>

#include "console.h"
#include "donnees.h"

namespace {

constexpr TexteConsole ecran{
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
    "Faites votre choix : "};

constexpr TexteConsole titreDonnees{"Voici les données contenues dans le fichier données.csv : "};
constexpr TexteConsole questionOrdre{"Dans l'ordre croissant ou décroissant ? "};
constexpr TexteConsole ordreCroissant{"Voici les données dans l'ordre croissant : *WIP* "};
constexpr TexteConsole ordreDecroissant{"Voici les données dans l'ordre décroissant : *WIP* "};
constexpr TexteConsole questionTemps{"Précisez le temps en question : "};
constexpr TexteConsole calculMoyenne{"Veuillez patienter... calcul de la moyenne des pouls "};
constexpr TexteConsole moyenne{"La moyenne est : *WIP*"};
constexpr TexteConsole nombreLignes{"Nombres de lignes actuellement en mémoire : *WIP*"};
constexpr TexteConsole minimum{"Valeur minimale : *WIP*"};
constexpr TexteConsole maximum{"Valeur maximale : *WIP*"};
constexpr TexteConsole finProgramme{"Veuillez patienter... mise à mort du programme"};
constexpr TexteConsole reproche{"Alors comme ça, on prend un autre nombre que ceux définis ?"};

void afficherDansLOrdre(int& choixcroissance) {
    ecrireLigne(questionOrdre);
    // An answer too large for an int is no answer: nothing more is written.
    if (lireReponse(choixcroissance) == Lecture::hors_limites) return;
    if (choixcroissance == 1) ecrireLigne(ordreCroissant);
    else if (choixcroissance == 2) ecrireLigne(ordreDecroissant);
}

void executer(int faites_votre_choix, int& choixcroissance) {
    switch (faites_votre_choix) {
        case 1:
            ecrireLigne(titreDonnees);
            lireDonnees();
            break;
        case 2:
            afficherDansLOrdre(choixcroissance);
            break;
        case 3:
            ecrireLigne(questionTemps);
            break;
        case 4:
            ecrireLigne(questionTemps);
            ecrireLigne(calculMoyenne);
            ecrireTexte(moyenne);
            break;
        case 5:
            ecrireTexte(nombreLignes);
            break;
        case 6:
            ecrireTexte(minimum);
            ecrireTexte(maximum);
            break;
        case 7:
            // The user asked to leave: no waiting, even in a window of its own.
            ecrireTexte(finProgramme);
            oublierLaLigne();
            std::exit(0);
        default:
            ecrireTexte(reproche);
            break;
    }
}

}  // namespace

void menu() {
    preparerConsole();
    int faites_votre_choix = 1;
    int choixcroissance = 1;
    ecrireTexte(ecran);
    // A number too large for an int selects no entry: it draws the rebuke.
    if (lireReponse(faites_votre_choix) == Lecture::hors_limites) {
        ecrireTexte(reproche);
    } else {
        executer(faites_votre_choix, choixcroissance);
    }
    finirLaSession();
}
