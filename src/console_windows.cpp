#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "console.h"
#include "console_plateforme.h"
#include "saisie.h"

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "a console's characters are UTF-16");
static_assert(std::u16string_view(TexteConsole{"a\n"}.utf16) == u"a\r\n", "a console's lines end with CR LF");

constexpr TexteConsole finDeLigne{"\n"};
constexpr TexteConsole appuyezSurEntree{"Appuyez sur Entrée pour fermer."};

// Whether the last text written ended its line, so that the closing request
// starts a line of its own.
bool ligneTerminee = true;

// Whether the standard stream is a console, with the given mode flags on.
bool estUneConsole(DWORD flux, DWORD avec = 0) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(flux), &mode) != 0 && (mode & avec) == avec;
}

// Alone in its console: nobody's shell (cmd, PowerShell) keeps the window open.
bool seulDansSaConsole() {
    DWORD processus[2];
    return GetConsoleProcessList(processus, 2) == 1;
}

// Standard input typed at a console, read here rather than by the C runtime,
// whose text mode stops at a Ctrl-Z without ending the input, and reads one key
// past a CR to look for an LF. One ReadConsoleW at a time: with line input (the
// usual mode) the console hands over at most one line to a read, once Enter is
// pressed, so the read that brings the number brings its line, or the first part
// of a line longer than the buffer, whose other parts are already there. Without
// line input there are no lines: a read brings the keys typed so far, and after
// the number nothing more is read.
class SaisieALaConsole : public Saisie<SaisieALaConsole, wchar_t> {
public:
    // Drops what is left of the answer's line: what the reads brought, and the
    // parts of a long line that the console holds already. Never waits.
    void oublierLaLigne() {
        debut_ = fin_;
        finirLaLigne();
    }

private:
    friend Saisie;
    static constexpr wchar_t ctrlZ = 0x1A;
    bool ligneEntiere_ = true;  // the reads so far brought the whole of their line

    // Reads one part of a line into the buffer given; false when the console gives
    // nothing more. With line input, a part is the line's last when it is shorter
    // than the buffer or ends with the line.
    bool lirePartie(wchar_t* tampon, DWORD place, DWORD& lus) {
        lus = 0;
        if (ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), tampon, place, &lus, nullptr) == 0 || lus == 0) {
            finie_ = true;
            return false;
        }
        ligneEntiere_ = !lignes_ || lus < place || tampon[lus - 1] == L'\n';
        return true;
    }

    void remplir() {
        const bool debutDeLigne = ligneEntiere_;
        DWORD lus = 0;
        if (!lirePartie(tampon_, static_cast<DWORD>(taille), lus)) return;
        debut_ = 0;
        fin_ = lus;
        const std::size_t z = std::wstring_view(tampon_, lus).find(ctrlZ);
        if (z == std::wstring_view::npos) return;
        // Ctrl-Z ends the line it is typed in: what follows it is dropped, and a
        // number ends there. First on a line, it ends the input.
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
        wchar_t reste[256];
        DWORD lus = 0;
        while (!ligneEntiere_ && !finie_) lirePartie(reste, 256, lus);
    }
};

SaisieALaConsole console;

}  // namespace

void preparerConsole() {
    if (estUneConsole(STD_INPUT_HANDLE)) console.activer(estUneConsole(STD_INPUT_HANDLE, ENABLE_LINE_INPUT));
    std::fflush(stdout);
    std::system("CLS");
}

// A console is given its own characters, which it shows right whatever its code
// page; a redirected output (pipe, file) gets the code page 850 bytes.
void ecrire(Texte texte) {
    const std::u16string_view caracteres(texte.utf16);
    if (!caracteres.empty()) ligneTerminee = caracteres.back() == u'\n';
    if (!estUneConsole(STD_OUTPUT_HANDLE)) {
        std::fputs(texte.cp850, stdout);
        return;
    }
    // Whatever the C library still holds comes first.
    std::fflush(stdout);
    DWORD ecrits = 0;
    WriteConsoleW(GetStdHandle(STD_OUTPUT_HANDLE), reinterpret_cast<const wchar_t*>(caracteres.data()),
                  static_cast<DWORD>(caracteres.size()), &ecrits, nullptr);
}

// A console is read by the program itself; a pipe or a file by the C runtime,
// which decides what a Ctrl-Z in a file does.
Lecture lireSaisie(int& valeur) {
    if (console.active()) return lireNombre(console, valeur);
    FluxC entree{stdin};
    return lireNombre(entree, valeur);
}

// At a console, what the reads brought and the rest of a long line, already
// there; pipes and files are read no further than the number.
void oublierLaLigne() { console.oublierLaLigne(); }

void attendreAvantDeFermer() {
    if (!estUneConsole(STD_INPUT_HANDLE) || !estUneConsole(STD_OUTPUT_HANDLE) || !seulDansSaConsole()) return;
    if (!ligneTerminee) ecrire(finDeLigne);
    ecrire(appuyezSurEntree);
    // Keys typed before the request was shown (an Enter typed twice after the
    // answer) must not close the window before it can be read.
    FlushConsoleInputBuffer(GetStdHandle(STD_INPUT_HANDLE));
    // Enter closes the window, even after a Ctrl-Z that ended the input, and
    // even as a bare CR (a console without line input).
    wchar_t touches[64];
    DWORD lues = 0;
    while (ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), touches, 64, &lues, nullptr) != 0 && lues > 0) {
        if (std::wstring_view(touches, lues).find_first_of(L"\r\n") != std::wstring_view::npos) return;
    }
}
