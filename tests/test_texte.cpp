#include <gtest/gtest.h>

#include <string>

#include "textes.h"

namespace {

// Every letter and sign a text may hold, on a line of its own.
constexpr TexteConsole toutes{"àâäçéèêëîïôöùûüÿ ÀÂÄÇÉÈÊËÎÏÔÖÙÛÜ «»°\n"};

// Each form the program writes is the one the C library's iconv gives (the ASCII
// one, the suite's own table); a Windows console gets the compiler's UTF-16.
TEST(Lettres, ChaqueFormeEstCelleDeSonJeuDeCaracteres) {
    for (const Codage codage : {Codage::cp850, Codage::latin1, Codage::ascii}) {
        EXPECT_EQ(Texte(toutes).en(codage), enCodage(toutes.utf8, codage)) << "form " << static_cast<int>(codage);
    }
    EXPECT_EQ(std::u16string(toutes.utf16), u"àâäçéèêëîïôöùûüÿ ÀÂÄÇÉÈÊËÎÏÔÖÙÛÜ «»°\r\n");
}

}  // namespace
