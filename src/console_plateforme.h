#pragma once

#include "texte.h"

// What differs between Windows and the POSIX systems, one file for each:
// preparerConsole (console.h) and the writing below.

// Writes the text exactly, in the form the terminal, console, pipe or file reads.
void ecrire(Texte texte);
