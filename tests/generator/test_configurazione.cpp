// Reading Isolmar.ini, and numbers at the start of a text.
#include "generator/Configurazione.h"

#include <gtest/gtest.h>

using namespace isolmar;

TEST(InizializzaAuto, KeysValuesAndRules) {
    auto m = NuovoModello();
    EXPECT_EQ(InizializzaAuto("dir=a\n"           // before any header: rule 0
                              "\t <regola>  \r\n" // header in any case, tabs and blanks around
                              "row=7\n"           // keys are upper-cased
                              "COLORE =9\n"       // an unknown key, ignored
                              "\tSCHEMI=12abc\n"  // the number at the start
                              "ISOLAMAX=xyz\n"    // no number: 0
                              "DIR= x y =z\n"     // up to the second "=", not trimmed
                              "senza uguale\n"
                              "MODOFILE=txt\rMODOFILE=xml\r\n" // CR ends a line; the last wins
                              "<REGOLA>\nROW=255\nCOL=+3\nSCHEMI=-5\nISOLAMAX= 4",
                              *m),
              "");
    EXPECT_EQ(m->NumRegole, 2);
    const auto& r = m->Regole;
    EXPECT_EQ(r[0].Dir + "|" + r[1].Dir + "|" + r[1].ModoFile, "a| x y |xml");
    EXPECT_EQ(std::vector<int>({r[1].Row, r[1].Col, r[1].Schemi, r[1].IsolaMax, r[2].Row, r[2].Col,
                                r[2].Schemi, r[2].IsolaMax}),
              std::vector<int>({7, 0, 12, 0, 255, 3, -5, 4}));

    // A second reading counts again and keeps what it does not give.
    EXPECT_EQ(InizializzaAuto("<REGOLA>\nDIR=due\n", *m), "");
    EXPECT_EQ(m->NumRegole, 1);
    EXPECT_EQ(r[1].Dir, "due");
    EXPECT_EQ(r[1].Row, 7);
}

TEST(InizializzaAuto, WhatDoesNotFitIsReportedAndNothingIsOverrun) {
    auto m = NuovoModello();
    std::string testo;
    for (int i = 1; i <= 21; ++i)
        testo += "<REGOLA>\r\nROW=" + std::to_string(i) + "\r\n";
    EXPECT_EQ(InizializzaAuto(testo, *m),
              "Isolmar.ini, riga 41: ci sono più di 20 regole \"<REGOLA>\".");
    EXPECT_EQ(m->NumRegole, 20);
    EXPECT_EQ(m->Regole[20].Row, 20);

    for (const char* cattivo : {"256", "-1", "12abc", "abc", "", "1.5"}) {
        auto n = NuovoModello();
        EXPECT_EQ(InizializzaAuto(std::string("<REGOLA>\nROW=3\nROW=") + cattivo + "\nCOL=4", *n),
                  "Isolmar.ini, riga 3: il valore di ROW deve essere un numero intero da 0 a 255.")
            << cattivo;
        EXPECT_EQ(n->Regole[1].Row, 3) << "the earlier value stays";
        EXPECT_EQ(n->Regole[1].Col, 0) << "reading stops at the faulty line";
    }
    // A known key with a blank before "=" is named with its line, not silently left out; a
    // byte-order mark before the first line is skipped.
    for (const char* bom : {"", "\xEF\xBB\xBF"})
        EXPECT_EQ(InizializzaAuto(std::string(bom) + "<REGOLA>\nROW = 5\n", *m),
                  "Isolmar.ini, riga 2: \"ROW \" non è una chiave: si scrive ROW=valore, senza "
                  "blank prima di \"=\".");
    EXPECT_EQ(m->NumRegole, 1);
    EXPECT_NE(InizializzaAuto("SCHEMI=40000", *m), "");
    EXPECT_NE(InizializzaAuto("ISOLAMAX=300", *m), "");
}

TEST(NumeroIniziale, LeadingNumberOfAText) {
    for (auto [testo, letto, numero] : {std::tuple{"  42abc", true, 42LL},
                                        {"-7 ", true, -7LL},
                                        {"- 3", false, 0LL},
                                        {"99999999999999999999999", true, 1'000'000'000'000LL}}) {
        long long n = -1;
        EXPECT_EQ(NumeroIniziale(testo, n), letto) << testo;
        EXPECT_EQ(n, numero) << testo;
    }
}
