#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "console.h"
#include "console_plateforme.h"
#include "saisie_console.h"

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "a console's characters are UTF-16");
static_assert(std::u16string_view("a\n"_texte.utf16) == u"a\r\n", "a console's lines end with CR LF");

constexpr Texte appuyezSurEntree = "Appuyez sur Entrée pour fermer."_texte;

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

// One ReadConsoleW of standard input. Ctrl-C, where the console processes it,
// interrupts a read: it then succeeds with no characters, and Windows says that
// it was aborted (Wine says nothing). A read that fails finds no console.
struct ConsoleWindows {
    static Lus lire(wchar_t* tampon, std::size_t place) {
        DWORD lus = 0;
        SetLastError(ERROR_SUCCESS);
        const BOOL reussie =
            ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), tampon, static_cast<DWORD>(place), &lus, nullptr);
        if (reussie != 0 && lus > 0) return {lus, false};
        return {0, reussie != 0 || GetLastError() == ERROR_OPERATION_ABORTED};
    }
};

// Standard input typed at a console, read by the program itself.
ConsoleWindows windows;
SaisieALaConsole console{windows};

}  // namespace

void preparerConsole() {
    if (estUneConsole(STD_INPUT_HANDLE)) {
        console.activer(estUneConsole(STD_INPUT_HANDLE, ENABLE_LINE_INPUT),
                        estUneConsole(STD_INPUT_HANDLE, ENABLE_PROCESSED_INPUT));
    }
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
    // even as a bare CR (a console without line input); a Ctrl-C that the
    // console lets through does not.
    wchar_t touches[64];
    for (;;) {
        const std::wstring_view lu(touches, lireMalgreCtrlC(windows, touches, 64));
        if (lu.empty() || lu.find_first_of(L"\r\n") != std::wstring_view::npos) return;
    }
}
