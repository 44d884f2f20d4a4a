#include "textes.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <utility>

#include <iconv.h>

const std::string ecranCp850 = cp850("ecran");
const std::string titre = cp850("titre");
const std::string absent = cp850("absent");
const std::string question = cp850("question");
const std::string fin = cp850("fin");
const std::string reproche = cp850("reproche");

namespace {

[[noreturn]] void arreter(const std::string& raison) {
    std::fprintf(stderr, "%s: %s\n", CARDIO_TEXTES, raison.c_str());
    std::abort();
}

// Name, then parts between double quotes, on its line and the indented ones under it.
std::map<std::string, std::string, std::less<>> lire() {
    std::ifstream fichier(CARDIO_TEXTES);
    if (!fichier) arreter("cannot be read");
    std::map<std::string, std::string, std::less<>> textes;
    std::string* courant = nullptr;
    for (std::string ligne; std::getline(fichier, ligne);) {
        if (ligne.empty() || ligne[0] == '#') continue;
        if (ligne[0] != ' ' && ligne[0] != '\t') courant = &textes[ligne.substr(0, ligne.find_first_of(" \t"))];
        const std::size_t ouvrante = ligne.find('"'), fermante = ligne.rfind('"');
        if (courant == nullptr || ouvrante == fermante) arreter("a line is no part of a text: " + ligne);
        for (std::size_t i = ouvrante + 1; i < fermante; ++i) {
            const bool retour = ligne.compare(i, 2, "\\n") == 0;
            *courant += retour ? '\n' : ligne[i];
            i += retour;
        }
    }
    return textes;
}

std::string parIconv(const std::string& utf8, const char* jeu) {
    const iconv_t conversion = iconv_open(jeu, "UTF-8");
    if (conversion == reinterpret_cast<iconv_t>(-1)) arreter(std::string("iconv does not know ") + jeu);
    std::string entree = utf8, sortie(4 * utf8.size(), '\0');
    char* de = entree.data();
    char* vers = sortie.data();
    std::size_t reste = entree.size(), place = sortie.size();
    const std::size_t converti = iconv(conversion, &de, &reste, &vers, &place);
    iconv_close(conversion);
    if (converti == static_cast<std::size_t>(-1)) arreter("iconv cannot write in " + std::string(jeu) + ": " + utf8);
    sortie.resize(sortie.size() - place);
    return sortie;
}

// For a terminal whose character set has none of the letters: each group of
// letters, and what stands for them.
const std::pair<std::string_view, std::string_view> sansAccent[] = {
    {"àâä", "a"}, {"ç", "c"}, {"éèêë", "e"}, {"îï", "i"}, {"ôö", "o"}, {"ùûü", "u"}, {"ÿ", "y"},
    {"ÀÂÄ", "A"}, {"Ç", "C"}, {"ÉÈÊË", "E"}, {"ÎÏ", "I"}, {"ÔÖ", "O"}, {"ÙÛÜ", "U"},
    {"«", "<<"}, {"»", ">>"}, {"°", "o"}};

std::string enAscii(const std::string& utf8) {
    std::string texte;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            texte += utf8[i];
            continue;
        }
        const std::string lettre = utf8.substr(i++, 2);
        const std::size_t avant = texte.size();
        for (const auto& [lettres, remplacement] : sansAccent) {
            if (lettres.find(lettre) != std::string_view::npos) texte += remplacement;
        }
        if (texte.size() == avant) arreter("no ASCII form for " + lettre);
    }
    return texte;
}

}  // namespace

std::string texte(std::string_view nom) {
    static const auto textes = lire();
    const auto trouve = textes.find(nom);
    if (trouve == textes.end()) arreter("no text named " + std::string(nom));
    return trouve->second;
}

std::string enCodage(const std::string& utf8, Codage codage) {
    switch (codage) {
        case Codage::cp850: return parIconv(utf8, "CP850");
        case Codage::latin1: return parIconv(utf8, "ISO-8859-1");
        case Codage::ascii: return enAscii(utf8);
        case Codage::utf8: break;
    }
    return utf8;
}

std::string cp850(std::string_view nom) { return enCodage(texte(nom), Codage::cp850); }
