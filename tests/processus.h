#pragma once

#include <string>
#include <utility>
#include <vector>

#include "textes.h"

// Runs the built cardio as a user or a script would, and keeps what it wrote.

// Which standard streams a pseudo-terminal takes, as in a terminal window; the
// others stay pipes.
enum class SurTerminal { rien, entreeEtSortie, entree, sortie };

struct Lancement {
    // Each step waits until standard output ends with its first text, then types
    // the second. Standard input is closed after the last step.
    std::vector<std::pair<std::string, std::string>> etapes;
    std::string programme = CARDIO_EXE;
    std::vector<std::string> arguments;
    std::vector<std::string> environnement{"PATH=/usr/bin:/bin"};
    std::string dossier;               // working directory
    bool entreeFermee = false;         // start with no standard input at all
    bool sortieFermee = false;         // start with no standard output at all
    std::string sortieVers;            // a file for standard output instead of a pipe
    bool lecteurParti = false;         // standard output is a pipe nobody reads any more
    bool sansPrivileges = false;       // as root, run as the user nobody: see sansPrivileges below
    SurTerminal terminal = SurTerminal::rien;
    bool terminalBrut = false;         // left raw by a parent: no lines, no signals, Enter sends CR
    std::string tapeEnAvance;          // typed before the start, while a line editor held the terminal
    char eol = 0;                      // the terminal's EOL character (stty eol); 0 for none
};

struct Resultat {
    std::string sortie;                // empty where standard output goes elsewhere than the runner
    std::string erreur;                // standard error, always a pipe of its own
    int statut = -1;                   // exit status; 128 + signal; -1 when it hung or could not start
};

// A set-up call that fails (pipe, fork, open, dup2, chdir, setuid...) fails the case.
Resultat executer(const Lancement& lancement);

// Who a temporary folder is for: the suite alone, or the user nobody too.
enum class Ouverture { moi, tous };

// A fresh temporary folder, removed with everything in it. Open to all, it may
// sit elsewhere than TMPDIR, where the user nobody can reach it.
class DossierTemporaire {
public:
    explicit DossierTemporaire(Ouverture ouverture = Ouverture::moi);
    ~DossierTemporaire();
    DossierTemporaire(const DossierTemporaire&) = delete;
    DossierTemporaire& operator=(const DossierTemporaire&) = delete;
    const std::string& chemin() const { return chemin_; }
    std::string operator/(const std::string& nom) const { return chemin_ + "/" + nom; }

private:
    std::string chemin_;
};

// Readies the run to happen without privileges, in the given folder, reachable by
// the user nobody. Returns why it cannot (a reason to skip the case), or "".
std::string sansPrivileges(Lancement& lancement, const DossierTemporaire& dossier);

// Names, kinds, sizes, times and file contents of a folder, to compare before and after a run.
std::string instantane(const std::string& dossier);

// Names the cases of a table after their field nom.
struct NomDuCas {
    template <class Parametre>
    std::string operator()(const Parametre& info) const { return info.param.nom; }
};
