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

// Deliberately not constexpr: a text that reaches it stops the build, and the
// compiler's message gives its name.
inline const Lettre& caractere_absent_de_la_page_de_code_850() { return lettres[0]; }

// The letter whose UTF-8 form starts with these two bytes.
constexpr const Lettre& lettre(unsigned char premier, unsigned char second) {
    // Only two-byte forms (110xxxxx 10xxxxxx) can be one of them.
    if ((premier & 0xE0) == 0xC0 && (second & 0xC0) == 0x80) {
        const char16_t unicode = static_cast<char16_t>((premier & 0x1F) << 6 | (second & 0x3F));
        for (const Lettre& l : lettres) {
            if (l.unicode == unicode) return l;
        }
    }
    return caractere_absent_de_la_page_de_code_850();
}
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

// A text of the program where it is used: "Fichier non trouvé."_texte. Each
// literal is converted once, while compiling, and lives as long as the program.
template <TexteConsole texte>
constexpr Texte operator""_texte() {
    return texte;
}
