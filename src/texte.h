#pragma once

#include <cstddef>

// The forms a text of the program may be written in.
enum class Codage {
    utf8,    // a terminal that reads UTF-8
    cp850,   // the Windows console, and pipes and files, where scripts compare the bytes
    latin1,  // a terminal in ISO-8859-1, -15, CP1252...: the letters are the same bytes in all
    ascii,   // a terminal whose character set has none of these letters: e a c
};

// A text of the program in each of its forms.
struct Texte {
    const char* utf8;
    const char* cp850;
    const char* latin1;
    const char* ascii;
    const char16_t* utf16;  // a Windows console's own characters, lines ended by CR LF

    constexpr const char* en(Codage codage) const {
        switch (codage) {
            case Codage::cp850: return cp850;
            case Codage::latin1: return latin1;
            case Codage::ascii: return ascii;
            case Codage::utf8: break;
        }
        return utf8;
    }
};

namespace detail {
// The characters a text may hold beyond ASCII: the letters and signs of French
// that code page 850 has. Latin-1 and UTF-16 hold each at its Unicode number.
struct Lettre {
    char16_t unicode;
    char cp850;
    char ascii[3];  // for a terminal without it: the letter without its accent
};
inline constexpr Lettre lettres[] = {
    {u'à', '\x85', "a"}, {u'â', '\x83', "a"}, {u'ä', '\x84', "a"}, {u'ç', '\x87', "c"},
    {u'é', '\x82', "e"}, {u'è', '\x8A', "e"}, {u'ê', '\x88', "e"}, {u'ë', '\x89', "e"},
    {u'î', '\x8C', "i"}, {u'ï', '\x8B', "i"}, {u'ô', '\x93', "o"}, {u'ö', '\x94', "o"},
    {u'ù', '\x97', "u"}, {u'û', '\x96', "u"}, {u'ü', '\x81', "u"}, {u'ÿ', '\x98', "y"},
    {u'À', '\xB7', "A"}, {u'Â', '\xB6', "A"}, {u'Ä', '\x8E', "A"}, {u'Ç', '\x80', "C"},
    {u'É', '\x90', "E"}, {u'È', '\xD4', "E"}, {u'Ê', '\xD2', "E"}, {u'Ë', '\xD3', "E"},
    {u'Î', '\xD7', "I"}, {u'Ï', '\xD8', "I"}, {u'Ô', '\xE2', "O"}, {u'Ö', '\x99', "O"},
    {u'Ù', '\xEB', "U"}, {u'Û', '\xEA', "U"}, {u'Ü', '\x9A', "U"},
    {u'«', '\xAE', "<<"}, {u'»', '\xAF', ">>"}, {u'°', '\xF8', "o"},
};

// Deliberately not constexpr: a TexteConsole built from a text that holds a
// character code page 850 lacks stops the build, and the compiler's message
// gives its name. The literal "..."_texte says more, below.
inline const Lettre& caractere_absent_de_la_page_de_code_850() { return lettres[0]; }

inline constexpr std::size_t nombreDeLettres = sizeof lettres / sizeof lettres[0];

// The place in lettres of the letter whose UTF-8 form starts with these two
// bytes; nombreDeLettres where none does. (A place rather than a pointer: GCC 14
// does not compare a pointer into the table with null while compiling.)
constexpr std::size_t rangDeLaLettre(unsigned char premier, unsigned char second) {
    // Only two-byte forms (110xxxxx 10xxxxxx) can be one of them.
    if ((premier & 0xE0) != 0xC0 || (second & 0xC0) != 0x80) return nombreDeLettres;
    const auto unicode = static_cast<char16_t>((premier & 0x1F) << 6 | (second & 0x3F));
    std::size_t rang = 0;
    while (rang < nombreDeLettres && lettres[rang].unicode != unicode) ++rang;
    return rang;
}

constexpr const Lettre& lettre(unsigned char premier, unsigned char second) {
    const std::size_t rang = rangDeLaLettre(premier, second);
    return rang < nombreDeLettres ? lettres[rang] : caractere_absent_de_la_page_de_code_850();
}

// A UTF-8 literal as the compiler gives it, unconverted.
template <std::size_t N>
struct Litteral {
    char octets[N]{};
    consteval Litteral(const char (&source)[N]) {
        for (std::size_t i = 0; i < N; ++i) octets[i] = source[i];
    }
};

// Where the first character of the text that code page 850 lacks starts, counted
// in bytes from 1 (0 where there is none), and its Unicode number.
struct Absent {
    std::size_t octet = 0;
    unsigned long unicode = 0;
};
template <std::size_t N>
consteval Absent premierAbsent(const Litteral<N>& texte) {
    for (std::size_t i = 0; i + 1 < N; ++i) {
        const auto premier = static_cast<unsigned char>(texte.octets[i]);
        if (premier < 0x80) continue;
        const auto second = static_cast<unsigned char>(texte.octets[i + 1]);
        if (rangDeLaLettre(premier, second) < nombreDeLettres) {
            ++i;
            continue;
        }
        // Decoded from its UTF-8 form, for the message: up to four bytes.
        unsigned long unicode = premier & (premier >= 0xF0 ? 0x07u : premier >= 0xE0 ? 0x0Fu : 0x1Fu);
        for (std::size_t j = i + 1; j < N && (static_cast<unsigned char>(texte.octets[j]) & 0xC0) == 0x80; ++j) {
            unicode = unicode << 6 | (static_cast<unsigned char>(texte.octets[j]) & 0x3Fu);
        }
        return {i + 1, unicode};
    }
    return {};
}

// Instantiated for a text that holds a character code page 850 lacks: both GCC
// and Clang print the message, and the template's arguments, the character's
// place in the text (in bytes, from 1) and its Unicode number, in decimal
// (œ 339, Œ 338, € 8364, Ÿ 376).
template <std::size_t octet, unsigned long unicode>
struct caractere_absent_de_la_page_de_code_850_octet_unicode {
    static_assert(octet == 0,
                  "a text of the program holds a character that code page 850 lacks: "
                  "only ASCII and the letters of src/texte.h can be written");
    static constexpr bool present = true;
};
}  // namespace detail

// Holds a UTF-8 literal and its other forms, converted while compiling, so that
// the texts are written once, readable, and cost nothing at run time.
template <std::size_t N>
struct TexteConsole {
    char utf8[N]{};
    char cp850[N]{};
    char latin1[N]{};
    char ascii[N]{};
    char16_t utf16[2 * N]{};  // room for a CR before each newline

    consteval TexteConsole(const char (&source)[N]) {
        std::size_t j = 0, a = 0, k = 0;
        for (std::size_t i = 0; i < N; ++i, ++j, ++a, ++k) {
            utf8[i] = source[i];
            if (static_cast<unsigned char>(source[i]) < 0x80) {
                cp850[j] = latin1[j] = ascii[a] = source[i];
                // A console left with DISABLE_NEWLINE_AUTO_RETURN by another program
                // would step a bare LF down without going back to the margin.
                if (source[i] == '\n') utf16[k++] = u'\r';
                utf16[k] = static_cast<char16_t>(source[i]);
                continue;
            }
            // The last byte is the terminating NUL, so a byte above 0x7F has one after it.
            const detail::Lettre& l = detail::lettre(static_cast<unsigned char>(source[i]),
                                                     static_cast<unsigned char>(source[i + 1]));
            utf8[i + 1] = source[i + 1];
            cp850[j] = l.cp850;
            latin1[j] = static_cast<char>(l.unicode);
            // At most two characters, as many as the letter's UTF-8 bytes.
            ascii[a] = l.ascii[0];
            if (l.ascii[1] != '\0') ascii[++a] = l.ascii[1];
            utf16[k] = l.unicode;
            ++i;
        }
    }

    constexpr operator Texte() const { return {utf8, cp850, latin1, ascii, utf16}; }
};

// The text in all its forms, converted once, while compiling.
template <detail::Litteral source>
inline constexpr TexteConsole<sizeof source.octets> converti{source.octets};

// A text of the program where it is used: "Fichier non trouvé."_texte. Each
// literal is converted once, while compiling, and lives as long as the program.
template <detail::Litteral source>
constexpr Texte operator""_texte() {
    constexpr detail::Absent absent = detail::premierAbsent(source);
    // A missing character stops the build here, first, with its place and number.
    static_assert(
        detail::caractere_absent_de_la_page_de_code_850_octet_unicode<absent.octet, absent.unicode>::present);
    return converti<source>;
}
