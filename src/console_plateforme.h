#pragma once

#include "nombre.h"
#include "texte.h"

// What differs between Windows and the POSIX systems, one file for each:
// preparerConsole and oublierLaLigne (console.h), and the calls below.

inline constexpr Texte finDeLigne = "\n"_texte;

// Writes the text exactly, in the form the terminal, console, pipe or file reads.
void ecrire(Texte texte);

// Reads one number from standard input, the way a terminal, a console, a pipe or
// a file gives it.
Lecture lireSaisie(int& valeur);

// Where the program's window closes with it (a Windows console of its own), asks
// on a line of its own to press Enter, and waits for it; otherwise does nothing.
void attendreAvantDeFermer();
