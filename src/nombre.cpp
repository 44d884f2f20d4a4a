#include "nombre.h"

#include <algorithm>

namespace {

bool estBlanc(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The value of the digit c in the given base, or -1 when c is not one.
int valeurChiffre(int c, int base) {
    int valeur = -1;
    if (c >= '0' && c <= '9') valeur = c - '0';
    else if (c >= 'a' && c <= 'f') valeur = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') valeur = c - 'A' + 10;
    return valeur < base ? valeur : -1;
}

}  // namespace

Lecture lireNombre(std::FILE* entree, int& valeur) {
    int c = std::getc(entree);
    while (estBlanc(c)) c = std::getc(entree);

    const bool negatif = c == '-';
    if (c == '+' || c == '-') c = std::getc(entree);

    int base = 10;
    bool chiffreLu = false;
    if (c == '0') {
        chiffreLu = true;
        base = 8;
        c = std::getc(entree);
        // As in the C library, "0x" not followed by a hexadecimal digit reads as 0.
        if (c == 'x' || c == 'X') {
            base = 16;
            c = std::getc(entree);
        }
    }

    // The magnitude stops growing just past 2^31, the largest one an int can take
    // (negated), so that a run of any number of digits never overflows.
    constexpr unsigned long long plafond = 2147483648ULL;
    unsigned long long grandeur = 0;
    for (int chiffre = valeurChiffre(c, base); chiffre >= 0; chiffre = valeurChiffre(c, base)) {
        chiffreLu = true;
        grandeur = std::min(grandeur * static_cast<unsigned>(base) + static_cast<unsigned>(chiffre),
                            plafond + 1);
        c = std::getc(entree);
    }
    if (c != EOF) std::ungetc(c, entree);

    if (!chiffreLu) return Lecture::aucun;
    if (grandeur > (negatif ? plafond : plafond - 1)) return Lecture::hors_limites;
    const long long signe = static_cast<long long>(grandeur);
    valeur = static_cast<int>(negatif ? -signe : signe);
    return Lecture::nombre;
}
