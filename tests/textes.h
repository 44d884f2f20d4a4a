#pragma once

#include <string>
#include <string_view>

#include "texte.h"

// The texts cardio writes, read from textes.txt, where each is written once, in
// UTF-8. A name the file lacks, or a text that cannot be read, stops the suite.
std::string texte(std::string_view nom);

// The UTF-8 text in the given form, encoded by the C library's iconv and a table
// of the suite's own, never by the program's conversion.
std::string enCodage(const std::string& utf8, Codage codage);

// The text of that name as pipes and files get it: in code page 850.
std::string cp850(std::string_view nom);

// Texts several tables expect, as code page 850 bytes: the menu with its prompt,
// the heading of entry 1, the missing-file message, the question of entry 2,
// the last words of entry 7, the rebuke.
extern const std::string ecranCp850;
extern const std::string titre;
extern const std::string absent;
extern const std::string question;
extern const std::string fin;
extern const std::string reproche;
