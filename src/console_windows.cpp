#include <cstdio>
#include <cstdlib>
#include <string_view>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "console.h"
#include "console_plateforme.h"

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

// A console that reads lines (the usual mode; a parent program may have turned
// it off) holds the rest of the answer's line, which is there already, up to its
// CR LF; without line input there are no lines, and nothing more is read. After the end of input (Ctrl-Z) there is no line left: the
// console would be read again, and wait.
void oublierLaLigne() {
    if (!estUneConsole(STD_INPUT_HANDLE, ENABLE_LINE_INPUT) || std::feof(stdin)) return;
    std::fflush(stdout);
    int c = std::getchar();
    while (c != '\n' && c != EOF) c = std::getchar();
}

void attendreAvantDeFermer() {
    if (!estUneConsole(STD_INPUT_HANDLE) || !estUneConsole(STD_OUTPUT_HANDLE) || !seulDansSaConsole()) return;
    if (!ligneTerminee) ecrire(finDeLigne);
    ecrire(appuyezSurEntree);
    // From the console itself: Enter closes the window, even after a Ctrl-Z that
    // ended the answer, and even as a bare CR, after which the C library would
    // wait for one more key.
    wchar_t touches[64];
    DWORD lues = 0;
    while (ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), touches, 64, &lues, nullptr) != 0 && lues > 0) {
        if (std::wstring_view(touches, lues).find_first_of(L"\r\n") != std::wstring_view::npos) return;
    }
}
