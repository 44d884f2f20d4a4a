#pragma once

#include "nombre.h"
#include "texte.h"

// The program's console: the only place that knows whether it writes to a
// terminal, a Windows console, a pipe or a file.

// Readies standard output for the run and clears the console before the menu.
// One file for each platform holds it.
void preparerConsole();

// Writes the text followed by a newline.
void ecrireLigne(Texte texte);

// Writes the text exactly, with no newline added.
void ecrireTexte(Texte texte);

// Shows everything written so far, then reads one number from standard input.
Lecture lireReponse(int& valeur);

// Typed at a terminal or a console, the rest of the answer's line, which is there
// already, is dropped, so that none of it reaches the shell as a command; nothing
// past it is read, so this never waits, and lines typed after it stay for whoever
// reads next. Pipes and files are read no further.
void oublierLaLigne();

// Ends the run once its last text is written: the rest of the line is dropped,
// and a Windows console that the program has to itself (a double-click opened
// it) waits for Enter, so that the answer does not vanish with the window.
void finirLaSession();
