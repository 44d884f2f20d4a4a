#include <cstdio>
#include <cstdlib>
#include <string_view>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "console.h"
#include "console_plateforme.h"

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "a console's characters are UTF-16");

constexpr TexteConsole finDeLigne{"\n"};
constexpr TexteConsole appuyezSurEntree{"Appuyez sur Entrée pour fermer."};

// Whether the last text written ended its line, so that the closing request
// starts a line of its own.
bool ligneTerminee = true;

bool estUneConsole(DWORD flux) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(flux), &mode) != 0;
}

// Alone in its console: nobody's shell (cmd, PowerShell) keeps the window open.
bool seulDansSaConsole() {
    DWORD processus[2];
    return GetConsoleProcessList(processus, 2) == 1;
}

}  // namespace

void preparerConsole() {
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

Lecture lireSaisie(int& valeur) {
    FluxC entree{stdin};
    return lireNombre(entree, valeur);
}

// The rest of the answer's line is there already: every read stops on the
// character after the number. After the end of input (Ctrl-Z) there is no line
// left: the console would be read again, and wait.
void oublierLaLigne() {
    if (!estUneConsole(STD_INPUT_HANDLE) || std::feof(stdin)) return;
    std::fflush(stdout);
    int c = std::getchar();
    while (c != '\n' && c != EOF) c = std::getchar();
}

void attendreAvantDeFermer() {
    if (!estUneConsole(STD_INPUT_HANDLE) || !estUneConsole(STD_OUTPUT_HANDLE) || !seulDansSaConsole()) return;
    if (!ligneTerminee) ecrire(finDeLigne);
    ecrire(appuyezSurEntree);
    // Enter closes the window, even after a Ctrl-Z that ended the answer.
    std::clearerr(stdin);
    int c = std::getchar();
    while (c != '\n' && c != EOF) c = std::getchar();
}
