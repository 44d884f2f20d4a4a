// Starts the program given on its command line in this same console, after
// turning off the console's line input (and its echo, which needs it), as a
// parent program may leave it: Enter then sends a bare CR. Ends with the
// program's status.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

int main(int argc, char** argv) {
    HANDLE entree = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (argc != 2 || !GetConsoleMode(entree, &mode) ||
        !SetConsoleMode(entree, mode & ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT)))
        return 125;
    STARTUPINFOA demarrage{};
    demarrage.cb = sizeof demarrage;
    PROCESS_INFORMATION processus{};
    if (!CreateProcessA(argv[1], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &demarrage, &processus))
        return 126;
    WaitForSingleObject(processus.hProcess, INFINITE);
    DWORD statut = 127;
    GetExitCodeProcess(processus.hProcess, &statut);
    return static_cast<int>(statut);
}
