#include "processus.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <sstream>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pty.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <utmp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

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

int millisecondesRestantes(std::chrono::steady_clock::time_point echeance) {
    const auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(echeance - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<long long>(0, reste.count()));
}

// A run that could not be set up as asked proves nothing: it fails the case.
void miseEnPlaceRatee(const std::string& raison) { ADD_FAILURE() << "setting up the run: " << raison; }

// A set-up call that failed fails the case, naming the call.
bool reussi(bool ok, const char* appel) {
    if (!ok) miseEnPlaceRatee(std::string(appel) + " failed: " + std::strerror(errno));
    return ok;
}

struct Identite {
    uid_t uid;
    gid_t gid;
};

std::optional<Identite> nobody() {
    const passwd* p = getpwnam("nobody");
    if (p == nullptr) return std::nullopt;
    return Identite{p->pw_uid, p->pw_gid};
}

bool devenir(Identite qui) { return setgroups(0, nullptr) == 0 && setgid(qui.gid) == 0 && setuid(qui.uid) == 0; }

// In the child, between fork and exec, where only async-signal-safe calls may be
// made: the name of a call that failed goes to the parent through the report
// pipe, which closes unread when exec succeeds.
struct Enfance {
    int rapport;
    [[noreturn]] void echec(const char* appel) const {
        [[maybe_unused]] const ssize_t n = write(rapport, appel, std::strlen(appel));
        _exit(126);
    }
    void exiger(bool ok, const char* appel) const {
        if (!ok) echec(appel);
    }
};

struct Preparation {
    Chaines arguments, environnement;
    std::optional<Identite> sansPrivileges;
};

[[noreturn]] void devenirCardio(const Lancement& l, Preparation& p, const Enfance& enfance) {
    std::signal(SIGPIPE, SIG_DFL);
    if (!l.dossier.empty()) enfance.exiger(chdir(l.dossier.c_str()) == 0, "chdir");
    if (p.sansPrivileges) enfance.exiger(devenir(*p.sansPrivileges), "setgroups/setgid/setuid");
    execve(l.programme.c_str(), p.arguments.pointeurs.data(), p.environnement.pointeurs.data());
    enfance.echec("execve");
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

struct Tube {
    int lecture = -1, ecriture = -1;
    bool ouvrir() { return reussi(pipe2(&lecture, O_CLOEXEC) == 0, "pipe2"); }
};

bool sortieVersLeRunner(const Lancement& l) { return !l.sortieFermee && !l.lecteurParti && l.sortieVers.empty(); }

struct Enfant {
    pid_t pid = -1;
    int entree = -1, sortie = -1, erreur = -1;  // our ends; -1 where there is none
    int terminal = -1;                          // the pseudo-terminal's master, if any
};

// Standard output: the runner's pipe, or what the case asks for instead.
void brancherLaSortie(const Lancement& l, int tubeDuRunner, const Enfance& enfance) {
    if (sortieVersLeRunner(l)) {
        enfance.exiger(dup2(tubeDuRunner, STDOUT_FILENO) == STDOUT_FILENO, "dup2");
    } else if (l.sortieFermee) {
        close(STDOUT_FILENO);
    } else if (l.lecteurParti) {
        int tube[2];
        enfance.exiger(pipe(tube) == 0, "pipe");
        close(tube[0]);
        enfance.exiger(dup2(tube[1], STDOUT_FILENO) == STDOUT_FILENO, "dup2");
    } else {
        const int fichier = open(l.sortieVers.c_str(), O_WRONLY);
        enfance.exiger(fichier >= 0, "open");
        enfance.exiger(dup2(fichier, STDOUT_FILENO) == STDOUT_FILENO, "dup2");
    }
}

// Keys typed while a line editor such as bash's had the terminal (no lines, and
// Enter left a CR), which then gave the terminal back as it found it.
bool taperEnAvance(const std::string& touches, int maitre, int esclave, const termios& rendu) {
    termios editeur = rendu;
    editeur.c_lflag &= ~static_cast<tcflag_t>(ICANON);
    editeur.c_iflag &= ~static_cast<tcflag_t>(ICRNL);
    if (!reussi(tcsetattr(esclave, TCSANOW, &editeur) == 0, "tcsetattr") ||
        !reussi(write(maitre, touches.data(), touches.size()) == static_cast<ssize_t>(touches.size()), "write"))
        return false;
    // The terminal takes them in a moment later.
    const int tapees = static_cast<int>(touches.size());
    int recues = 0;
    for (int essai = 0; essai < 2000 && ioctl(esclave, FIONREAD, &recues) == 0 && recues < tapees; ++essai) usleep(1000);
    if (recues != tapees) {
        miseEnPlaceRatee("the terminal holds " + std::to_string(recues) + " of the keys typed ahead");
        return false;
    }
    return reussi(tcsetattr(esclave, TCSANOW, &rendu) == 0, "tcsetattr");
}

// The terminal reads whole lines, as a shell leaves it, or is raw, but echoes
// nothing and adds no CR, so that it gets the program's own bytes.
bool ouvrirTerminal(const Lancement& l, int& maitre, int& esclave) {
    winsize taille{24, 80, 0, 0};
    if (!reussi(openpty(&maitre, &esclave, nullptr, nullptr, &taille) == 0, "openpty")) return false;
    termios t{};
    if (!reussi(tcgetattr(esclave, &t) == 0, "tcgetattr")) return false;
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_cc[VEOL] = static_cast<cc_t>(l.eol);
    if (l.terminalBrut) {
        t.c_lflag &= ~static_cast<tcflag_t>(ICANON | ISIG | IEXTEN);
        t.c_iflag &= ~static_cast<tcflag_t>(ICRNL | IXON);
        t.c_cc[VMIN] = 1;
        t.c_cc[VTIME] = 0;
    }
    return reussi(tcsetattr(esclave, TCSANOW, &t) == 0, "tcsetattr") &&
           reussi(fcntl(maitre, F_SETFD, FD_CLOEXEC) == 0, "fcntl") &&
           (l.tapeEnAvance.empty() || taperEnAvance(l.tapeEnAvance, maitre, esclave, t));
}

// Starts the program; a call that fails has failed the case, and the child's pid
// is then -1.
Enfant lancer(const Lancement& l, Preparation& p) {
    Tube entree, sortie, erreur, rapport;
    int maitre = -1, esclave = -1;
    Enfant enfant;
    const bool entreeTerminal = l.terminal == SurTerminal::entreeEtSortie || l.terminal == SurTerminal::entree;
    const bool sortieTerminal = l.terminal == SurTerminal::entreeEtSortie || l.terminal == SurTerminal::sortie;
    if (!entree.ouvrir() || !sortie.ouvrir() || !erreur.ouvrir() || !rapport.ouvrir()) return enfant;
    if (l.terminal != SurTerminal::rien && !ouvrirTerminal(l, maitre, esclave)) return enfant;
    enfant.pid = fork();
    if (!reussi(enfant.pid >= 0, "fork")) return enfant;
    if (enfant.pid == 0) {
        const Enfance enfance{rapport.ecriture};
        if (l.terminal != SurTerminal::rien) enfance.exiger(login_tty(esclave) == 0, "login_tty");
        if (!entreeTerminal) {
            if (l.entreeFermee) close(STDIN_FILENO);
            else enfance.exiger(dup2(entree.lecture, STDIN_FILENO) == STDIN_FILENO, "dup2");
        }
        if (!sortieTerminal) brancherLaSortie(l, sortie.ecriture, enfance);
        enfance.exiger(dup2(erreur.ecriture, STDERR_FILENO) == STDERR_FILENO, "dup2");
        devenirCardio(l, p, enfance);
    }
    for (const int fd : {entree.lecture, sortie.ecriture, erreur.ecriture, rapport.ecriture, esclave}) close(fd);
    char appel[64] = {};
    if (read(rapport.lecture, appel, sizeof appel - 1) > 0) miseEnPlaceRatee(std::string(appel) + " failed");
    close(rapport.lecture);
    enfant.erreur = erreur.lecture;
    // The terminal stays open until the run ends, whichever streams it took.
    enfant.terminal = maitre;
    if (entreeTerminal) {
        close(entree.ecriture);
        enfant.entree = dup(maitre);
    } else {
        enfant.entree = entree.ecriture;
    }
    if (sortieTerminal) {
        close(sortie.lecture);
        enfant.sortie = dup(maitre);
    } else if (sortieVersLeRunner(l)) {
        enfant.sortie = sortie.lecture;
    } else {
        close(sortie.lecture);
    }
    reussi(enfant.entree >= 0 && fcntl(enfant.entree, F_SETFL, O_NONBLOCK) == 0, "dup/fcntl");
    return enfant;
}

}  // namespace

Resultat executer(const Lancement& l) {
    std::signal(SIGPIPE, SIG_IGN);
    ouvrirLesFluxStandard();
    std::vector<std::string> argv{l.programme};
    argv.insert(argv.end(), l.arguments.begin(), l.arguments.end());
    Preparation preparation{Chaines(argv), Chaines(l.environnement), std::nullopt};
    if (l.sansPrivileges && geteuid() == 0) {
        preparation.sansPrivileges = nobody();
        if (!preparation.sansPrivileges) miseEnPlaceRatee("there is no user nobody");
    }
    Resultat r;
    const Enfant enfant = lancer(l, preparation);
    if (enfant.pid <= 0) return r;

    std::size_t etape = 0;
    std::string aTaper;
    pollfd fds[3] = {{enfant.sortie, POLLIN, 0}, {enfant.erreur, POLLIN, 0}, {enfant.entree, POLLOUT, 0}};
    std::string* recus[2] = {&r.sortie, &r.erreur};
    const auto echeance = std::chrono::steady_clock::now() + delai;
    bool bloque = false;
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        while (etape < l.etapes.size() && r.sortie.ends_with(l.etapes[etape].first)) aTaper += l.etapes[etape++].second;
        if (fds[2].fd >= 0 && aTaper.empty() && etape == l.etapes.size()) {
            close(fds[2].fd);
            fds[2].fd = -1;
        }
        fds[2].events = aTaper.empty() ? 0 : POLLOUT;
        if (poll(fds, 3, millisecondesRestantes(echeance)) == 0) {
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
    if (enfant.terminal >= 0) close(enfant.terminal);
    int etat = 0;
    reussi(waitpid(enfant.pid, &etat, 0) == enfant.pid, "waitpid");
    r.statut = bloque ? -1 : statutDe(etat);
    return r;
}

namespace {

enum class Acces { atteint, refuse, impossible };

// Whether the user can reach each path, tried as that user in a child process.
Acces peutAtteindre(Identite qui, std::initializer_list<const char*> chemins) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (!devenir(qui)) _exit(1);
        for (const char* chemin : chemins) {
            if (access(chemin, X_OK) != 0) _exit(2);
        }
        _exit(0);
    }
    int etat = 0;
    if (!reussi(pid > 0 && waitpid(pid, &etat, 0) == pid, "fork/waitpid")) return Acces::impossible;
    if (WIFEXITED(etat) && WEXITSTATUS(etat) == 0) return Acces::atteint;
    return WIFEXITED(etat) && WEXITSTATUS(etat) == 2 ? Acces::refuse : Acces::impossible;
}

}  // namespace

std::string sansPrivileges(Lancement& l, const DossierTemporaire& dossier) {
    l.sansPrivileges = true;
    if (geteuid() != 0) return "";
    const std::optional<Identite> qui = nobody();
    if (!qui) return "this system has no user nobody to run the case as";
    // The build folder may sit where nobody cannot reach it (a checkout under /root):
    // nobody runs a copy of the program placed in the case's own folder.
    l.programme = dossier / "cardio";
    std::filesystem::copy_file(CARDIO_EXE, l.programme);
    switch (peutAtteindre(*qui, {l.programme.c_str(), l.dossier.c_str()})) {
        case Acces::atteint: return "";
        case Acces::refuse: return "the user nobody cannot reach " + dossier.chemin();
        case Acces::impossible: break;
    }
    return "root cannot become the user nobody here (a user namespace that maps only root?): "
           "as root, a read-only file can be written, so the case would prove nothing";
}

DossierTemporaire::DossierTemporaire(Ouverture ouverture) {
    // As root, a folder open to all must be one the user nobody can reach.
    const std::optional<Identite> qui = ouverture == Ouverture::tous && geteuid() == 0 ? nobody() : std::nullopt;
    // A TMPDIR that is missing or closed to us falls back to /tmp, as tmpfile does;
    // one closed to others (mode 0700, as pam_tmpdir makes it), to the first of the
    // usual places that nobody reaches. Where none is, the last made stays.
    for (const char* racine : {static_cast<const char*>(std::getenv("TMPDIR")), "/tmp", "/var/tmp", "/dev/shm"}) {
        if (racine == nullptr || *racine == '\0') continue;
        std::string modele = std::string(racine) + "/cardio-XXXXXX";
        if (mkdtemp(modele.data()) == nullptr) continue;
        if (!chemin_.empty()) std::filesystem::remove(chemin_);
        chemin_ = modele;
        if (ouverture == Ouverture::tous) chmod(chemin_.c_str(), 0755);
        if (!qui || peutAtteindre(*qui, {chemin_.c_str()}) != Acces::refuse) return;
    }
    if (chemin_.empty()) std::abort();
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
