#include "processus.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

const std::string ecranCp850 =
    "Vous avez le choix de la pilule... non je d\202conne.\n"
    "Bienvenue dans la m... non dans le module cardio !\n"
    "Veuillez choisir le mode que vous souhaitez. \n"
    "----- Vous avez le choix entre ----- \n"
    "1 - Afficher les donn\202es contenues dans le fichier CSV \n"
    "2 - Afficher les donn\202es dans l'ordre croissant ou d\202croissant \n"
    "3 - Rechercher et afficher les donn\202es (temps particulier) \n"
    "4 - Afficher la moyenne du pouls (temps particulier) \n"
    "5 - Afficher le nombre de lignes de donn\202es actuellement en m\202moire \n"
    "6 - Rechercher et afficher les maximums/minimums de pouls \n"
    "7 - Quitter l'application \n"
    "------------------------------------ \n"
    "Faites votre choix : ";
const std::string titre = "Voici les donn\202es contenues dans le fichier donn\202es.csv : \n";
const std::string absent = "Fichier non trouv\202.";
const std::string reproche = "Alors comme \207a, on prend un autre nombre que ceux d\202finis ?";

namespace {

// Long enough for a sanitizer build on a busy machine; a run that takes longer hangs.
constexpr auto delai = std::chrono::seconds(20);

struct Chaines {
    std::vector<std::string> textes;
    std::vector<char*> pointeurs;
    explicit Chaines(std::vector<std::string> t) : textes(std::move(t)) {
        for (auto& texte : textes) pointeurs.push_back(texte.data());
        pointeurs.push_back(nullptr);
    }
};

int statutDe(int etat) {
    if (WIFEXITED(etat)) return WEXITSTATUS(etat);
    return 128 + WTERMSIG(etat);
}

int millisecondesRestantes(std::chrono::steady_clock::time_point fin) {
    const auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(fin - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<long long>(0, reste.count()));
}

constexpr uid_t nobody = 65534;

bool devenirNobody() { return setgroups(0, nullptr) == 0 && setgid(nobody) == 0 && setuid(nobody) == 0; }

// Only async-signal-safe calls between fork and exec.
[[noreturn]] void devenirCardio(const Lancement& l, Chaines& arguments, Chaines& environnement) {
    std::signal(SIGPIPE, SIG_DFL);
    if (!l.dossier.empty() && chdir(l.dossier.c_str()) != 0) _exit(126);
    if (l.sansPrivileges && geteuid() == 0 && !devenirNobody()) _exit(126);
    execve(l.programme.c_str(), arguments.pointeurs.data(), environnement.pointeurs.data());
    _exit(127);
}

// The runner's pipes must never take the numbers 0, 1 and 2, which the child's
// streams are moved onto: whatever the test process was started without is
// filled with /dev/null.
void ouvrirLesFluxStandard() {
    for (int fd = open("/dev/null", O_RDWR); fd >= 0; fd = open("/dev/null", O_RDWR)) {
        if (fd > STDERR_FILENO) {
            close(fd);
            return;
        }
    }
}

struct Enfant {
    pid_t pid;
    int entree, sortie, erreur;  // our ends; -1 where there is none
};

Enfant lancerSurTubes(const Lancement& l, Chaines& arguments, Chaines& environnement) {
    int entree[2], sortie[2], erreur[2];
    if (pipe2(entree, O_CLOEXEC) != 0 || pipe2(sortie, O_CLOEXEC) != 0 || pipe2(erreur, O_CLOEXEC) != 0) std::abort();
    const pid_t pid = fork();
    if (pid == 0) {
        if (l.entreeFermee) close(0); else dup2(entree[0], 0);
        if (l.sortieFermee) {
            close(1);
        } else if (l.lecteurParti) {
            int tube[2];
            if (pipe(tube) != 0) _exit(126);
            close(tube[0]);
            dup2(tube[1], 1);
        } else if (!l.sortieVers.empty()) {
            dup2(open(l.sortieVers.c_str(), O_WRONLY), 1);
        } else {
            dup2(sortie[1], 1);
        }
        dup2(erreur[1], 2);
        devenirCardio(l, arguments, environnement);
    }
    close(entree[0]);
    close(sortie[1]);
    close(erreur[1]);
    return {pid, entree[1], sortie[0], erreur[0]};
}

// The terminal is raw: no echo and no CR added, so it gets the program's own bytes.
Enfant lancerSurTerminal(const Lancement& l, Chaines& arguments, Chaines& environnement) {
    termios brut{};
    cfmakeraw(&brut);
    winsize taille{24, 80, 0, 0};
    int maitre = -1;
    const pid_t pid = forkpty(&maitre, nullptr, &brut, &taille);
    if (pid == 0) devenirCardio(l, arguments, environnement);
    return {pid, dup(maitre), maitre, -1};
}

}  // namespace

Resultat executer(const Lancement& l) {
    std::signal(SIGPIPE, SIG_IGN);
    ouvrirLesFluxStandard();
    std::vector<std::string> argv{l.programme};
    argv.insert(argv.end(), l.arguments.begin(), l.arguments.end());
    Chaines arguments(argv), environnement(l.environnement);
    const Enfant enfant = l.terminal ? lancerSurTerminal(l, arguments, environnement)
                                     : lancerSurTubes(l, arguments, environnement);
    fcntl(enfant.entree, F_SETFL, O_NONBLOCK);

    Resultat r;
    std::size_t etape = 0;
    std::string aTaper;
    pollfd fds[3] = {{enfant.sortie, POLLIN, 0}, {enfant.erreur, POLLIN, 0}, {enfant.entree, POLLOUT, 0}};
    std::string* recus[2] = {&r.sortie, &r.erreur};
    const auto fin = std::chrono::steady_clock::now() + delai;
    bool bloque = false;
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        while (etape < l.etapes.size() && r.sortie.ends_with(l.etapes[etape].first)) aTaper += l.etapes[etape++].second;
        if (fds[2].fd >= 0 && aTaper.empty() && etape == l.etapes.size()) {
            close(fds[2].fd);
            fds[2].fd = -1;
        }
        fds[2].events = aTaper.empty() ? 0 : POLLOUT;
        if (poll(fds, 3, millisecondesRestantes(fin)) == 0) {
            bloque = true;
            kill(enfant.pid, SIGKILL);
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char tampon[65536];
            const ssize_t n = read(fds[i].fd, tampon, sizeof tampon);
            if (n > 0) {
                recus[i]->append(tampon, static_cast<std::size_t>(n));
            } else {  // end of file, or EIO once the program has closed its terminal
                close(fds[i].fd);
                fds[i].fd = -1;
            }
        }
        if (fds[2].fd >= 0 && fds[2].revents != 0) {
            const ssize_t n = write(fds[2].fd, aTaper.data(), aTaper.size());
            if (n > 0) aTaper.erase(0, static_cast<std::size_t>(n));
            else if (errno != EAGAIN) aTaper.clear(), etape = l.etapes.size();  // the program stopped reading
        }
    }
    for (const pollfd& p : fds) if (p.fd >= 0) close(p.fd);
    int etat = 0;
    waitpid(enfant.pid, &etat, 0);
    r.statut = bloque ? -1 : statutDe(etat);
    return r;
}

std::string sansPrivileges(Lancement& l, const DossierTemporaire& dossier) {
    l.sansPrivileges = true;
    if (geteuid() != 0) return "";
    // The build folder may sit where nobody cannot reach it (a checkout under /root):
    // nobody runs a copy of the program placed in the case's own folder.
    l.programme = dossier / "cardio";
    std::filesystem::copy_file(CARDIO_EXE, l.programme);
    const pid_t pid = fork();
    if (pid == 0) {
        if (!devenirNobody()) _exit(1);
        _exit(access(l.programme.c_str(), X_OK) == 0 && access(l.dossier.c_str(), X_OK) == 0 ? 0 : 2);
    }
    int etat = 0;
    waitpid(pid, &etat, 0);
    if (WIFEXITED(etat) && WEXITSTATUS(etat) == 0) return "";
    if (WIFEXITED(etat) && WEXITSTATUS(etat) == 2)
        return "the user nobody cannot reach " + dossier.chemin() + ": set TMPDIR to a folder open to all";
    return "root cannot become the user nobody here (a user namespace that maps only root?): "
           "as root, a read-only file can be written, so the case would prove nothing";
}

DossierTemporaire::DossierTemporaire() {
    // A TMPDIR that is missing or closed to us falls back to /tmp, as tmpfile does.
    for (const char* racine : {static_cast<const char*>(std::getenv("TMPDIR")), "/tmp"}) {
        if (racine == nullptr || *racine == '\0') continue;
        std::string modele = std::string(racine) + "/cardio-XXXXXX";
        if (mkdtemp(modele.data()) != nullptr) {
            chemin_ = modele;
            return;
        }
    }
    std::abort();
}

DossierTemporaire::~DossierTemporaire() {
    std::error_code ignoree;
    std::filesystem::remove_all(chemin_, ignoree);
}

std::string instantane(const std::string& dossier) {
    std::vector<std::string> entrees;
    for (const auto& entree : std::filesystem::recursive_directory_iterator(dossier)) {
        struct stat s {};
        lstat(entree.path().c_str(), &s);
        std::ostringstream ligne;
        ligne << entree.path().string() << ' ' << std::oct << s.st_mode << std::dec << ' ' << s.st_size << ' '
              << s.st_mtim.tv_sec << '.' << s.st_mtim.tv_nsec;
        if (S_ISREG(s.st_mode)) ligne << ' ' << std::ifstream(entree.path(), std::ios::binary).rdbuf();
        entrees.push_back(ligne.str());
    }
    std::sort(entrees.begin(), entrees.end());
    std::string tout;
    for (const auto& ligne : entrees) tout += ligne + '\n';
    return tout;
}
