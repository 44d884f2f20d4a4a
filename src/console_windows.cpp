#include <cstdio>
#include <cstdlib>
#include <string>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "console.h"
#include "console_plateforme.h"

void preparerConsole() {
    std::fflush(stdout);
    std::system("CLS");
}

// A console is given its own characters, which it shows right whatever its code
// page; a redirected output (pipe, file) gets the code page 850 bytes.
void ecrire(Texte texte) {
    const HANDLE sortie = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (!GetConsoleMode(sortie, &mode)) {
        std::fputs(texte.cp850, stdout);
        return;
    }
    // Whatever the C library still holds comes first.
    std::fflush(stdout);
    const int taille = MultiByteToWideChar(CP_UTF8, 0, texte.utf8, -1, nullptr, 0);
    if (taille <= 1) return;
    std::wstring caracteres(static_cast<std::size_t>(taille), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, texte.utf8, -1, caracteres.data(), taille);
    DWORD ecrits = 0;
    WriteConsoleW(sortie, caracteres.data(), static_cast<DWORD>(taille - 1), &ecrits, nullptr);
}
