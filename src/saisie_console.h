#pragma once

#include <cstddef>
#include <string_view>

#include "saisie.h"

// What one read of a console brought: a number of characters; none when the
// console gives no more.
struct Lus {
    std::size_t nombre = 0;
};

// Keys typed at a Windows console, read by the program itself rather than by
// the C runtime, whose text mode stops at a Ctrl-Z without ending the input,
// and reads one key past a CR to look for an LF. Console makes the reads:
// lire(tampon, place) is one ReadConsoleW of at most place characters.
//
// With line input (the usual mode) the console hands over at most one line to a
// read, once Enter is pressed, so the read that brings the number brings its
// line, or the first part of a line longer than the buffer, whose other parts
// are already there. Without line input there are no lines to wait for: a read
// brings the keys typed so far, and after the number nothing more is read.
//
// Ctrl-Z ends the line it is typed in, and a number with it: what follows it is
// dropped. First on a line, it ends the input.
template <class Console>
class SaisieALaConsole : public Saisie<SaisieALaConsole<Console>, wchar_t> {
    using Base = Saisie<SaisieALaConsole<Console>, wchar_t>;
    using Base::debut_, Base::fin_, Base::finie_, Base::lignes_, Base::tampon_, Base::taille;

public:
    explicit SaisieALaConsole(Console console = Console{}) : console_(console) {}

    // Drops what is left of the answer's line: what the reads brought, and the
    // parts of a long line that the console holds already. Never waits.
    void oublierLaLigne() {
        debut_ = fin_;
        finirLaLigne();
    }

private:
    friend Base;
    static constexpr wchar_t ctrlZ = 0x1A;
    static constexpr std::size_t tailleDuReste = 256;

    Console console_;
    bool ligneEntiere_ = true;  // the reads so far brought the whole of their line

    // Reads one part of a line into the buffer given; false when the console gives
    // nothing more. With line input, a part is the line's last when it is shorter
    // than the buffer or ends with the line.
    bool lirePartie(wchar_t* tampon, std::size_t place, std::size_t& lus) {
        lus = console_.lire(tampon, place).nombre;
        if (lus == 0) {
            finie_ = true;
            return false;
        }
        ligneEntiere_ = !lignes_ || lus < place || tampon[lus - 1] == L'\n';
        return true;
    }

    void remplir() {
        const bool debutDeLigne = ligneEntiere_;
        std::size_t lus = 0;
        if (!lirePartie(tampon_, taille, lus)) return;
        debut_ = 0;
        fin_ = lus;
        const std::size_t z = std::wstring_view(tampon_, fin_).find(ctrlZ);
        if (z == std::wstring_view::npos) return;
        finirLaLigne();
        if (z == 0 && debutDeLigne) {
            finie_ = true;
            fin_ = 0;
            return;
        }
        tampon_[z] = L'\n';
        fin_ = z + 1;
    }

    // Reads and drops the parts of the line that the console holds already.
    void finirLaLigne() {
        wchar_t reste[tailleDuReste];
        std::size_t lus = 0;
        while (!ligneEntiere_ && !finie_) lirePartie(reste, tailleDuReste, lus);
    }
};
