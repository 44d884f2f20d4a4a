#pragma once

#include <cstddef>

// The forms a text of the program may be written in.
enum class Codage {
    utf8,    // a terminal that reads UTF-8
    cp850,   // the Windows console, and pipes and files, where scripts compare the bytes
    latin1,  // a terminal in ISO-8859-1, -15, CP1252...: é à ç are the same bytes in all
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
// The letters the texts may hold, by the second byte of their UTF-8 form (C3 xx).
struct Lettre {
    unsigned char utf8;
    char cp850, latin1, ascii;
};
inline constexpr Lettre lettres[] = {
    {0xA9, '\x82', '\xE9', 'e'},  // é
    {0xA0, '\x85', '\xE0', 'a'},  // à
    {0xA7, '\x87', '\xE7', 'c'},  // ç
};

// Deliberately not constexpr: reaching it at compile time stops the build on a
// letter that has no place in the program's texts.
inline const Lettre& lettreSansEquivalent() { return lettres[0]; }

constexpr const Lettre& lettre(unsigned char premier, unsigned char second) {
    for (const Lettre& l : lettres) {
        if (premier == 0xC3 && second == l.utf8) return l;
    }
    return lettreSansEquivalent();
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
        std::size_t j = 0, k = 0;
        for (std::size_t i = 0; i < N; ++i, ++j, ++k) {
            utf8[i] = source[i];
            if (static_cast<unsigned char>(source[i]) < 0x80) {
                cp850[j] = latin1[j] = ascii[j] = source[i];
                // A console left with DISABLE_NEWLINE_AUTO_RETURN by another program
                // would step a bare LF down without going back to the margin.
                if (source[i] == '\n') utf16[k++] = u'\r';
                utf16[k] = static_cast<char16_t>(source[i]);
                continue;
            }
            const detail::Lettre& l = detail::lettre(static_cast<unsigned char>(source[i]),
                                                     static_cast<unsigned char>(source[i + 1]));
            utf8[i + 1] = source[i + 1];
            cp850[j] = l.cp850;
            latin1[j] = l.latin1;
            ascii[j] = l.ascii;
            // Latin-1 holds each letter at its Unicode number.
            utf16[k] = static_cast<unsigned char>(l.latin1);
            ++i;
        }
    }

    constexpr operator Texte() const { return {utf8, cp850, latin1, ascii, utf16}; }
};
