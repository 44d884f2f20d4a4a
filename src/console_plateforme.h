#pragma once

#include "texte.h"

// What differs between Windows and the POSIX systems, one file for each:
// preparerConsole (console.h) and the calls below.

// Writes the text exactly, in the form the terminal, console, pipe or file reads.
void ecrire(Texte texte);

// Whether standard input is typed by someone: a terminal or a console.
bool saisieAuClavier();

// Where the program's window closes with it (a Windows console of its own), asks
// on a line of its own to press Enter, and says true; otherwise writes nothing.
bool demanderAvantDeFermer();
