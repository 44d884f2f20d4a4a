// Compiled by a test with TEXTE a character that code page 850 lacks, in the
// form the program writes its texts: the build must stop, and the compiler's
// message say why.
#include "texte.h"

constexpr Texte texte = "c" TEXTE "ur"_texte;
