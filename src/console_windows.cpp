#include <cstdio>
#include <cstdlib>

#include <io.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "console.h"
#include "console_plateforme.h"

void preparerConsole() {
    std::fflush(stdout);
    std::system("CLS");
}

// A console set to code page 65001 reads UTF-8; any other output, console or
// not, gets the code page 850 bytes.
bool ecranUtf8() { return _isatty(_fileno(stdout)) != 0 && GetConsoleOutputCP() == CP_UTF8; }
