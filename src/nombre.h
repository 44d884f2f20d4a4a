#pragma once

#include <algorithm>
#include <cstdio>

enum class Lecture {
    nombre,        // a number was read and stored
    aucun,         // no number could be read: the variable keeps its value
    hors_limites,  // a number was read but does not fit in an int: nothing stored
};

namespace detail {

inline bool estBlanc(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The value of the digit c in the given base, or -1 when c is not one.
inline int valeurChiffre(int c, int base) {
    int valeur = -1;
    if (c >= '0' && c <= '9') valeur = c - '0';
    else if (c >= 'a' && c <= 'f') valeur = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') valeur = c - 'A' + 10;
    return valeur < base ? valeur : -1;
}

}  // namespace detail

// Reads one integer the way the C library's "%i" conversion does: blanks skipped
// across lines, an optional sign, 0x/0X for hexadecimal, a leading 0 for octal.
// Reading stops at the first character that cannot continue the number, and that
// character is given back. Input of any length takes constant memory.
// The source gives one character at a time with lire() (EOF at the end) and takes
// back the last one with remettre(c).
template <class Source>
Lecture lireNombre(Source& source, int& valeur) {
    int c = source.lire();
    while (detail::estBlanc(c)) c = source.lire();

    const bool negatif = c == '-';
    if (c == '+' || c == '-') c = source.lire();

    int base = 10;
    bool chiffreLu = false;
    if (c == '0') {
        chiffreLu = true;
        base = 8;
        c = source.lire();
        // As in the C library, "0x" not followed by a hexadecimal digit reads as 0.
        if (c == 'x' || c == 'X') {
            base = 16;
            c = source.lire();
        }
    }

    // The magnitude stops growing just past 2^31, the largest one an int can take
    // (negated), so that a run of any number of digits never overflows.
    constexpr unsigned long long plafond = 2147483648ULL;
    unsigned long long grandeur = 0;
    for (int chiffre = detail::valeurChiffre(c, base); chiffre >= 0; chiffre = detail::valeurChiffre(c, base)) {
        chiffreLu = true;
        grandeur = std::min(grandeur * static_cast<unsigned>(base) + static_cast<unsigned>(chiffre),
                            plafond + 1);
        c = source.lire();
    }
    if (c != EOF) source.remettre(c);

    if (!chiffreLu) return Lecture::aucun;
    if (grandeur > (negatif ? plafond : plafond - 1)) return Lecture::hors_limites;
    const long long signe = static_cast<long long>(grandeur);
    valeur = static_cast<int>(negatif ? -signe : signe);
    return Lecture::nombre;
}

// A C stream as a source of characters: pipes and files.
struct FluxC {
    std::FILE* flux;
    int lire() { return std::getc(flux); }
    void remettre(int c) { std::ungetc(c, flux); }
};
