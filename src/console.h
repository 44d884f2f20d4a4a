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
