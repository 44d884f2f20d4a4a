#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "nombre.h"
#include "processus.h"
#include "saisie_console.h"

namespace {

// One read of a Windows console: the characters it may take, and what it brings;
// one that Ctrl-C interrupted brings nothing.
struct Appel {
    std::size_t place;
    std::wstring touches;
    bool interrompue = false;
};

// A console that answers each read with the next of its script, and past it with
// nothing, as a console that gives no more. It keeps what each read asked for.
struct ConsoleScriptee {
    std::vector<Appel> script;
    std::vector<std::size_t> demandes{};
    Lus lire(wchar_t* tampon, std::size_t place) {
        demandes.push_back(place);
        if (demandes.size() > script.size()) return {};
        const Appel& a = script[demandes.size() - 1];
        std::copy(a.touches.begin(), a.touches.end(), tampon);
        return {a.touches.size(), a.interrompue};
    }
};

struct Cas {
    const char* nom;
    std::vector<Appel> script;  // every read up to the end of the answer's line, and no more
    std::vector<int> valeurs;   // the numbers read one after the other, each preset to 1
    bool lignes = true;         // the console's line input
    bool traitee = true;        // its processed input: Enter gives CR LF, else a bare CR
};

std::ostream& operator<<(std::ostream& os, const Cas& c) { return os << c.nom; }

class ConsoleWindows : public testing::TestWithParam<Cas> {};

// The menu's reads, then the drop of what is left of the line: the numbers come
// out, each read asks for what it should, and nothing is read past the line.
TEST_P(ConsoleWindows, LitLaReponseEtRienDePlus) {
    ConsoleScriptee console{GetParam().script};
    std::vector<std::size_t> places;
    for (const Appel& a : console.script) {
        ASSERT_LE(a.touches.size(), a.place) << "a read brings no more than it may take";
        places.push_back(a.place);
    }
    SaisieALaConsole saisie{console};
    saisie.activer(GetParam().lignes, GetParam().traitee);
    std::vector<int> valeurs(GetParam().valeurs.size(), 1);
    for (int& valeur : valeurs) lireNombre(saisie, valeur);
    saisie.oublierLaLigne();
    EXPECT_EQ(valeurs, GetParam().valeurs);
    EXPECT_EQ(console.demandes, places);
}

std::wstring blancs(std::size_t n) { return std::wstring(n, L' '); }
const std::wstring ctrlZ = L"\x1a";

INSTANTIATE_TEST_SUITE_P(Cas, ConsoleWindows, testing::Values(
    Cas{"une_ligne", {{4096, L"7\r\n"}}, {7}},
    Cas{"console_fermee", {{4096, L""}}, {1}},
    Cas{"ctrl_c_puis_la_ligne", {{4096, L"", true}, {4096, L"7\r\n"}}, {7}},
    Cas{"ligne_longue", {{4096, L"7" + blancs(4095)}, {256, blancs(256)}, {256, L"echo FUITE\r\n"}}, {7}},
    Cas{"cr_lf_coupes", {{4096, L"7" + blancs(4094) + L"\r"}, {256, L"\n"}}, {7}},
    // Ctrl-J types a line feed that is not the line's end, even last in a read.
    Cas{"ctrl_j_en_fin_de_lecture", {{4096, L"7" + blancs(4094) + L"\n"}, {256, L"echo FUITE\r\n"}}, {7}},
    Cas{"ctrl_j_en_fin_de_reste", {{4096, L"5" + blancs(4095)}, {256, blancs(255) + L"\n"}, {256, L"abc\r\n"}}, {5}},
    Cas{"cr_sans_traitement", {{4096, L"7" + blancs(4094) + L"\r"}}, {7}, true, false},
    Cas{"cr_lf_sans_traitement", {{4096, L"7" + blancs(4093) + L"\r\n"}}, {7}, true, false},
    Cas{"ctrl_z_en_tete", {{4096, ctrlZ + L"\r\n"}}, {1}},
    Cas{"ctrl_z_en_tete_de_ligne_longue", {{4096, ctrlZ + blancs(4095)}, {256, L"7\r\n"}}, {1}},
    // What follows Ctrl-Z on its line is dropped: the question reads the next line.
    Cas{"ctrl_z_dans_la_ligne", {{4096, L"2" + ctrlZ + L"1\r\n"}, {4096, L"2\r\n"}}, {2, 2}},
    Cas{"sans_lignes", {{4096, L"7"}, {4096, L"\r"}}, {7}, false},
    Cas{"sans_lignes_ctrl_z_apres_un_nombre", {{4096, L"2"}, {4096, ctrlZ}, {4096, L"2"}, {4096, L"\r"}}, {2, 2}, false},
    Cas{"sans_lignes_ctrl_z_d_un_coup", {{4096, L"2" + ctrlZ + L"2\r"}}, {2, 2}, false},
    Cas{"sans_lignes_ctrl_z_apres_entree", {{4096, L"\r"}, {4096, ctrlZ + L"7"}}, {1}, false}), NomDuCas());

}  // namespace
