#include "codage.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>

namespace {

char minuscule(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// True when the name reads as the key, a lower-case name without "-" or "_".
bool designe(std::string_view nom, std::string_view cle) {
    std::size_t i = 0;
    for (const char c : nom) {
        if (c == '-' || c == '_') continue;
        if (i == cle.size() || minuscule(c) != cle[i]) return false;
        ++i;
    }
    return i == cle.size();
}

bool designeUnDe(std::string_view nom, std::initializer_list<std::string_view> cles) {
    for (const std::string_view cle : cles) {
        if (designe(nom, cle)) return true;
    }
    return false;
}

// The characters from debut up to fin, which the caller keeps within the text:
// substr would check them again and bring in the C++ library for its exception.
std::string_view tranche(std::string_view texte, std::size_t debut, std::size_t fin) {
    return {texte.data() + debut, fin - debut};
}

}  // namespace

Codage codageDuJeu(std::string_view jeu) {
    if (designe(jeu, "utf8")) return Codage::utf8;
    // The sets that hold é, à and ç where Latin-1 does, by the names and aliases of
    // the C library's charmaps.
    if (designeUnDe(jeu, {"iso88591", "latin1", "l1", "isoir100", "ibm819", "cp819",       // ISO-8859-1
                          "iso885915", "latin9",                                          // ISO-8859-15
                          "iso88593", "latin3", "l3", "isoir109",                         // ISO-8859-3
                          "iso88599", "latin5", "l5", "isoir148", "ibm920", "cp920",      // ISO-8859-9
                          "iso885914", "latin8", "l8", "isoir199", "isoceltic",           // ISO-8859-14
                          "iso885916", "latin10", "l10", "isoir226",                      // ISO-8859-16
                          "cp1252", "windows1252", "msansi", "cp1254", "windows1254", "msturk"}))
        return Codage::latin1;
    // The Windows console's own code pages, as a terminal emulating one names them.
    if (designeUnDe(jeu, {"cp850", "ibm850", "cp437", "ibm437"})) return Codage::cp850;
    return Codage::ascii;
}

std::optional<Codage> codageDuNom(std::string_view nom) {
    // language[_territory][.codeset][@modifier]
    const std::size_t arobase = std::min(nom.find('@'), nom.size());
    const std::string_view avant = tranche(nom, 0, arobase);
    const std::string_view modificateur = arobase < nom.size() ? tranche(nom, arobase + 1, nom.size()) : "";
    const std::size_t point = avant.find('.');
    if (point != std::string_view::npos && point + 1 < avant.size()) {
        return codageDuJeu(tranche(avant, point + 1, avant.size()));
    }
    if (designe(modificateur, "euro")) return Codage::latin1;
    // Today's systems and Python (PEP 538) take the C locale for UTF-8.
    if (nom.empty() || nom == "C" || nom == "POSIX") return Codage::utf8;
    return std::nullopt;
}
