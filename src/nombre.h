#pragma once

#include <cstdio>

enum class Lecture {
    nombre,        // a number was read and stored
    aucun,         // no number could be read: the variable keeps its value
    hors_limites,  // a number was read but does not fit in an int: nothing stored
};

// Reads one integer the way the C library's "%i" conversion does: blanks skipped
// across lines, an optional sign, 0x/0X for hexadecimal, a leading 0 for octal.
// Reading stops at the first character that cannot continue the number, and that
// character is left in the stream. Input of any length takes constant memory.
Lecture lireNombre(std::FILE* entree, int& valeur);
