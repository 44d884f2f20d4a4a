// Compiled by a test with TEXTE a character that code page 850 lacks: the build
// must stop, and the compiler's message say why.
#include "texte.h"

constexpr TexteConsole texte{TEXTE};
