#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <optional>

#include <langinfo.h>
#include <termios.h>
#include <unistd.h>

#include "codage.h"
#include "console.h"
#include "console_plateforme.h"
#include "saisie.h"

namespace {

// The form of é, à and ç for this run, told once by preparerConsole. Pipes and
// files always get code page 850, whatever the locale says: the locale is only
// looked at on a terminal.
Codage formeDesLettres = Codage::cp850;

bool sortieTerminal() { return isatty(STDOUT_FILENO) == 1; }

// Standard input typed at a terminal, read here rather than by the C library: one
// read(2) at a time, into a buffer that holds a whole line of the terminal (Linux
// keeps 4095 characters and the newline; stdio would read 1024 at a time). A
// terminal that reads lines (canonical mode) returns at most one line to a read,
// whatever ended it: a newline, its EOL character or Ctrl-D. So the read that
// brings the number brings the rest of its line, which never reaches the shell,
// and nothing more is read to drop it: that could wait for keys that will not
// come (Enter sent as a bare CR, a raw terminal, Ctrl-D) or take a line typed for
// the next program.
class SaisieAuTerminal : public Saisie<SaisieAuTerminal, char> {
    friend Saisie;

    void remplir() {
        ssize_t lus = 0;
        do lus = read(STDIN_FILENO, tampon_, taille);
        while (lus < 0 && errno == EINTR);
        if (lus <= 0) {  // Ctrl-D on an empty line, or the terminal gone: as stdio, read no more
            finie_ = true;
            return;
        }
        debut_ = 0;
        fin_ = static_cast<std::size_t>(lus);
        // A line ended by Ctrl-D or by the EOL character has no newline: it gets one, so
        // that a number ends with its line instead of waiting for the next.
        if (lignes_ && tampon_[fin_ - 1] != '\n') tampon_[fin_++] = '\n';
    }
};

SaisieAuTerminal terminal;

bool terminalSansCommandes() {
    const char* nom = std::getenv("TERM");
    return nom == nullptr || *nom == '\0' || std::strcmp(nom, "dumb") == 0;
}

// The locale of the terminal, as the C library would take it: the first of
// LC_ALL, LC_CTYPE and LANG that is set and not empty.
const char* nomDeLocale() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* valeur = std::getenv(variable);
        if (valeur != nullptr && *valeur != '\0') return valeur;
    }
    return "";
}

// The locale's name is enough but for a name without codeset, such as fr_FR:
// only then is the locale loaded, and where the C library does not know it,
// UTF-8 is what today's terminals read.
Codage codageTerminal() {
    const char* nom = nomDeLocale();
    if (const std::optional<Codage> codage = codageDuNom(nom)) return *codage;
    // No locale name is longer; the C library refuses longer ones too.
    constexpr std::size_t longueurMaximale = 255;
    if (std::strlen(nom) <= longueurMaximale && std::setlocale(LC_CTYPE, nom) != nullptr) {
        return codageDuJeu(nl_langinfo(CODESET));
    }
    return Codage::utf8;
}

}  // namespace

void preparerConsole() {
    // A reader that goes away must not turn the run into a failure: writes then
    // fail quietly and the program still ends with status 0.
    std::signal(SIGPIPE, SIG_IGN);
    termios mode{};
    if (tcgetattr(STDIN_FILENO, &mode) == 0) terminal.activer((mode.c_lflag & ICANON) != 0);
    if (!sortieTerminal()) return;
    formeDesLettres = codageTerminal();
    if (terminalSansCommandes()) return;
    // Cursor home, erase the display and the lines kept above it, as clear does.
    std::fputs("\033[H\033[2J\033[3J", stdout);
    std::fflush(stdout);
}

void ecrire(Texte texte) { std::fputs(texte.en(formeDesLettres), stdout); }

Lecture lireSaisie(int& valeur) {
    if (terminal.active()) return lireNombre(terminal, valeur);
    FluxC entree{stdin};
    return lireNombre(entree, valeur);
}

// Nothing to read: at a terminal, the reads that brought the number brought the
// whole of its line, which goes with the program; pipes and files are read no
// further than the number.
void oublierLaLigne() {}

// A terminal's window belongs to its shell, which stays once the program ends.
void attendreAvantDeFermer() {}
