#pragma once

#include <cstddef>
#include <cstdio>
#include <type_traits>

// Keys typed at a terminal or a Windows console, read by the program itself
// rather than by the C library: one read of the platform's at a time, into a
// buffer that holds a whole line of it, so that the read that brings the number
// brings the rest of its line, and nothing is read past it. Lecteur, one for
// each platform, derives from this and fills the buffer in remplir(); lireNombre
// takes the characters one at a time.
template <class Lecteur, class Caractere>
class Saisie {
public:
    static constexpr std::size_t taille = 4096;

    // Standard input is a terminal or a console, which reads lines or not.
    void activer(bool lignes) {
        active_ = true;
        lignes_ = lignes;
    }

    bool active() const { return active_; }

    int lire() {
        if (debut_ == fin_ && !finie_) static_cast<Lecteur&>(*this).remplir();
        if (debut_ == fin_) return EOF;
        return static_cast<int>(static_cast<std::make_unsigned_t<Caractere>>(tampon_[debut_++]));
    }

    // Only ever the character just read.
    void remettre(int) { --debut_; }

protected:
    Caractere tampon_[taille + 1];  // and the newline of a line that ended without one
    std::size_t debut_ = 0, fin_ = 0;
    bool lignes_ = false;
    bool finie_ = false;  // the end of input, or the terminal or console gone: read no more

private:
    bool active_ = false;
};
