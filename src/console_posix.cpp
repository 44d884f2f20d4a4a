#include <clocale>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <optional>

#include <langinfo.h>
#include <unistd.h>

#include "codage.h"
#include "console.h"
#include "console_plateforme.h"

namespace {

// The form of é, à and ç for this run, told once by preparerConsole. Pipes and
// files always get code page 850, whatever the locale says: the locale is only
// looked at on a terminal.
Codage formeDesLettres = Codage::cp850;

bool sortieTerminal() { return isatty(STDOUT_FILENO) == 1; }

bool terminalSansCommandes() {
    const char* terminal = std::getenv("TERM");
    return terminal == nullptr || *terminal == '\0' || std::strcmp(terminal, "dumb") == 0;
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
    if (!sortieTerminal()) return;
    formeDesLettres = codageTerminal();
    if (terminalSansCommandes()) return;
    // Cursor home, erase the display and the lines kept above it, as clear does.
    std::fputs("\033[H\033[2J\033[3J", stdout);
    std::fflush(stdout);
}

void ecrire(Texte texte) { std::fputs(texte.en(formeDesLettres), stdout); }

bool saisieAuClavier() { return isatty(STDIN_FILENO) == 1; }

// A terminal's window belongs to its shell, which stays once the program ends.
bool demanderAvantDeFermer() { return false; }
