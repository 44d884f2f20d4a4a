#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <langinfo.h>
#include <unistd.h>

#include "console.h"
#include "console_plateforme.h"

namespace {

bool sortieTerminal() { return isatty(STDOUT_FILENO) == 1; }

bool terminalSansCommandes() {
    const char* terminal = std::getenv("TERM");
    return terminal == nullptr || *terminal == '\0' || std::strcmp(terminal, "dumb") == 0;
}

}  // namespace

void preparerConsole() {
    // A reader that goes away must not turn the run into a failure: writes then
    // fail quietly and the program still ends with status 0.
    std::signal(SIGPIPE, SIG_IGN);
    if (!sortieTerminal()) return;
    std::setlocale(LC_CTYPE, "");
    if (terminalSansCommandes()) return;
    // Cursor home, erase the display and the lines kept above it, as clear does.
    std::fputs("\033[H\033[2J\033[3J", stdout);
    std::fflush(stdout);
}

// The locale is only looked at on a terminal: pipes and files always get
// code page 850, whatever the locale says.
bool ecranUtf8() {
    return sortieTerminal() && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
}
