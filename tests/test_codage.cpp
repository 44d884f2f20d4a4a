#include <gtest/gtest.h>

#include <string>

#include "codage.h"

namespace {

struct Cas {
    std::string nom;
    std::optional<Codage> codage;  // nothing: only the locale's data can tell
};

std::ostream& operator<<(std::ostream& os, const Cas& c) { return os << '"' << c.nom.substr(0, 40) << '"'; }

class CodageDuNom : public testing::TestWithParam<Cas> {};

// A locale variable may hold anything: each name falls into one of the rows,
// without reading past its end (the sanitizer run checks that).
TEST_P(CodageDuNom, LitLeJeuDeCaracteresDuNom) { EXPECT_EQ(codageDuNom(GetParam().nom), GetParam().codage); }

INSTANTIATE_TEST_SUITE_P(Cas, CodageDuNom, testing::Values(
    Cas{"fr_FR.UTF-8", Codage::utf8},
    Cas{"fr_FR.utf8@euro", Codage::utf8},
    Cas{"fr_FR.ISO_8859-1", Codage::latin1},
    Cas{"de_DE@euro", Codage::latin1},
    Cas{"tr_TR.LATIN5", Codage::latin1},
    Cas{"fr_FR.windows-1252", Codage::latin1},
    Cas{"fr_CA.ibm850", Codage::cp850},
    Cas{"el_GR.ISO-8859-7", Codage::ascii},
    Cas{"fr_FR.UTF-8.UTF-8", Codage::ascii},
    Cas{"fr_FR.", std::nullopt},
    Cas{"fr@euro.UTF-8", std::nullopt},
    Cas{"fr_FR.\351\377@", Codage::ascii},
    Cas{"\303\251", std::nullopt},
    Cas{"@", std::nullopt},
    Cas{".", std::nullopt},
    Cas{"", Codage::utf8},
    Cas{std::string(100000, 'x'), std::nullopt},
    Cas{"x." + std::string(100000, '.') + "@", Codage::ascii}));

}  // namespace
