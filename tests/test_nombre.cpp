#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "nombre.h"

namespace {

struct Cas {
    const char* entree;
    Lecture lecture;
    int valeur;         // the variable after the read, preset to 1
    const char* reste;  // what is left in the input for the next read
};

std::ostream& operator<<(std::ostream& os, const Cas& c) { return os << '"' << c.entree << '"'; }

class LireNombre : public testing::TestWithParam<Cas> {};

TEST_P(LireNombre, LitCommeLaBibliothequeC) {
    const std::string texte = GetParam().entree;
    std::FILE* entree = fmemopen(const_cast<char*>(texte.data()), texte.size(), "r");
    ASSERT_NE(entree, nullptr);
    FluxC flux{entree};
    int valeur = 1;
    EXPECT_EQ(lireNombre(flux, valeur), GetParam().lecture);
    EXPECT_EQ(valeur, GetParam().valeur);
    std::string reste;
    for (int c = std::getc(entree); c != EOF; c = std::getc(entree)) reste += static_cast<char>(c);
    EXPECT_EQ(reste, GetParam().reste);
    std::fclose(entree);
}

constexpr auto nombre = Lecture::nombre;
constexpr auto aucun = Lecture::aucun;
constexpr auto hors = Lecture::hors_limites;

INSTANTIATE_TEST_SUITE_P(Cas, LireNombre, testing::Values(
    Cas{"42\n", nombre, 42, "\n"},
    Cas{" \t\n\r\v\f 7 8", nombre, 7, " 8"},
    Cas{"+5x", nombre, 5, "x"},
    Cas{"-12", nombre, -12, ""},
    Cas{"010", nombre, 8, ""},
    Cas{"08", nombre, 0, "8"},
    Cas{"0x1f;", nombre, 31, ";"},
    Cas{"0XaB", nombre, 171, ""},
    Cas{"0xg", nombre, 0, "g"},
    Cas{"-0x", nombre, 0, ""},
    Cas{"0", nombre, 0, ""},
    Cas{"", aucun, 1, ""},
    Cas{"   ", aucun, 1, ""},
    Cas{"abc", aucun, 1, "abc"},
    Cas{"+-5", aucun, 1, "-5"},
    Cas{"- 5", aucun, 1, " 5"},
    Cas{"2147483647", nombre, 2147483647, ""},
    Cas{"-2147483648", nombre, -2147483647 - 1, ""},
    Cas{"-0x80000000", nombre, -2147483647 - 1, ""},
    Cas{"2147483648", hors, 1, ""},
    Cas{"-2147483649", hors, 1, ""},
    Cas{"4294967297 2", hors, 1, " 2"},
    Cas{"0xffffffff", hors, 1, ""},
    Cas{"020000000000", hors, 1, ""},
    Cas{"99999999999999999999999999999999x", hors, 1, "x"}));

}  // namespace
