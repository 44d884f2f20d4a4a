#pragma once

#include <cstddef>
#include <string_view>

#include "saisie.h"

// What one read of a console brought: a number of characters; none when Ctrl-C
// interrupted the read (interrompue), or when the console gives no more.
struct Lus {
    std::size_t nombre = 0;
    bool interrompue = false;
};

// One read of the console that Ctrl-C did not interrupt: the number of characters
// it brought, 0 when the console gives no more. A read that Ctrl-C interrupted is
// made again: where Ctrl-C ends the program, the console's own handling of it
// does so.
template <class Console>
std::size_t lireMalgreCtrlC(Console& console, wchar_t* tampon, std::size_t place) {
    Lus lecture;
    do lecture = console.lire(tampon, place);
    while (lecture.interrompue);
    return lecture.nombre;
}

// Keys typed at a Windows console, read by the program itself rather than by
// the C runtime, whose text mode stops at a Ctrl-Z without ending the input,
// and reads one key past a CR to look for an LF. Console makes the reads:
// lire(tampon, place) is one ReadConsoleW of at most place characters.
//
// With line input (the usual mode) the console hands over at most one line to a
// read, once Enter is pressed, so the read that brings the number brings its
// line, or the first part of a line longer than the buffer, whose other parts
// are already there. Only Enter ends a line: CR LF, or a bare CR where the
// console's processed input is off. A line feed typed within a line (Ctrl-J) is
// one of its characters. Without line input there are no lines to wait for: a
// read brings the keys typed so far, and after the number nothing more is read.
//
// Ctrl-Z ends the line it is typed in, and a number with it. First on a line, it
// ends the input. With line input, what follows it on its line is dropped.
template <class Console>
class SaisieALaConsole : public Saisie<SaisieALaConsole<Console>, wchar_t> {
    using Base = Saisie<SaisieALaConsole<Console>, wchar_t>;
    using Base::debut_, Base::fin_, Base::finie_, Base::lignes_, Base::tampon_, Base::taille;

public:
    explicit SaisieALaConsole(Console& console) : console_(console) {}

    void activer(bool lignes, bool traitee) {
        Base::activer(lignes);
        traitee_ = traitee;
    }

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

    Console& console_;
    bool traitee_ = true;        // Enter gives CR LF
    bool ligneEntiere_ = true;   // the reads so far brought the whole of their line
    bool nouvelleLigne_ = true;  // without line input: the next key starts a line

    // Whether a part that fills its read is the last of its line: it ends with
    // the line's own end.
    bool finitSaLigne(const wchar_t* tampon, std::size_t lus) const {
        const std::wstring_view partie(tampon, lus);
        return partie.ends_with(L"\r\n") || (!traitee_ && partie.ends_with(L'\r'));
    }

    // Reads one part of a line into the buffer given: the number of characters
    // read, 0 when the console gives no more.
    std::size_t lirePartie(wchar_t* tampon, std::size_t place) {
        const std::size_t lus = lireMalgreCtrlC(console_, tampon, place);
        if (lus == 0) finie_ = true;
        else ligneEntiere_ = !lignes_ || lus < place || finitSaLigne(tampon, lus);
        return lus;
    }

    void remplir() {
        const bool debutDeLigne = ligneEntiere_;
        const std::size_t lus = lirePartie(tampon_, taille);
        if (lus == 0) return;
        debut_ = 0;
        fin_ = lus;
        if (lignes_) couperLaLigne(debutDeLigne);
        else couperSansLignes();
    }

    // With line input: the read holds one line, or a part of it.
    void couperLaLigne(bool debutDeLigne) {
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

    // Without line input: a line starts with the first key and after each Enter,
    // a CR; a Ctrl-Z elsewhere only ends the number before it.
    void couperSansLignes() {
        for (std::size_t i = 0; i < fin_; ++i) {
            wchar_t& c = tampon_[i];
            if (c == ctrlZ && nouvelleLigne_) {
                finie_ = true;
                fin_ = i;
                return;
            }
            if (c == ctrlZ) c = L'\n';
            // An LF, right after a CR, belongs to the same Enter.
            if (c == L'\r') nouvelleLigne_ = true;
            else if (c != L'\n') nouvelleLigne_ = false;
        }
    }

    // Reads and drops the parts of the line that the console holds already.
    void finirLaLigne() {
        wchar_t reste[tailleDuReste];
        while (!ligneEntiere_ && !finie_) lirePartie(reste, tailleDuReste);
    }
};
