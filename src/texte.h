#pragma once

#include <cstddef>

// A text of the program in the two forms it may be written in: UTF-8, for a
// terminal that reads UTF-8, and code page 850, for the Windows console and for
// pipes and files, where scripts compare the bytes.
struct Texte {
    const char* utf8;
    const char* cp850;
};

namespace detail {
// Deliberately not constexpr: reaching it at compile time stops the build on a
// letter that has no place in the program's texts.
inline char lettreSansEquivalentCp850() { return '?'; }

consteval char versCp850(unsigned char premier, unsigned char second) {
    if (premier == 0xC3 && second == 0xA9) return static_cast<char>(0x82);  // é
    if (premier == 0xC3 && second == 0xA0) return static_cast<char>(0x85);  // à
    if (premier == 0xC3 && second == 0xA7) return static_cast<char>(0x87);  // ç
    return lettreSansEquivalentCp850();
}
}  // namespace detail

// Holds a UTF-8 literal and its code page 850 form, converted while compiling,
// so that the texts are written once, readable, and cost nothing at run time.
template <std::size_t N>
struct TexteConsole {
    char utf8[N]{};
    char cp850[N]{};

    consteval TexteConsole(const char (&source)[N]) {
        std::size_t j = 0;
        for (std::size_t i = 0; i < N; ++i) {
            utf8[i] = source[i];
            const auto octet = static_cast<unsigned char>(source[i]);
            if (octet < 0x80) {
                cp850[j++] = source[i];
            } else {
                utf8[i + 1] = source[i + 1];
                cp850[j++] = detail::versCp850(octet, static_cast<unsigned char>(source[i + 1]));
                ++i;
            }
        }
    }

    constexpr operator Texte() const { return {utf8, cp850}; }
};
