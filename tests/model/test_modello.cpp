#include "model/Modello.h"
#include "model/Schema.h"

#include <gtest/gtest.h>

using namespace isolmar;

TEST(Modello, FreshModelHasTheWindowDefaultsTheMonominoAndTheBounds) {
    auto m = NuovoModello();
    EXPECT_EQ(std::vector<int>({m->NumRighe, m->NumColonne, m->NumEle, m->NumTessere,
                                m->DimMaxIsola, m->MaxLivello, m->TempoMaxGen}),
              std::vector<int>({10, 10, 0, 1, 4, 4, 50}));
    EXPECT_EQ(m->IndTessere[1].Prima, 1);
    EXPECT_EQ(m->IndTessere[1].Ultima, 1);
    EXPECT_EQ(m->IndTessere[2].Prima, 0);
    const Tessera& t = m->Tessere[1];
    EXPECT_EQ(t.Dim * 100 + t.Righe * 10 + t.Colonne, 133);
    // The monomino in the middle of its 3 x 3 box, its border around it, the corners outside.
    const int8_t atteso[3][3] = {{Fuori, CellaBordo, Fuori},
                                 {CellaBordo, CellaTessera, CellaBordo},
                                 {Fuori, CellaBordo, Fuori}};
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(t.Cella[r][c], atteso[r - 1][c - 1]) << r << c;

    static_assert(sizeof(m->Ele) / sizeof(m->Ele[0]) == 51);
    static_assert(sizeof(m->Tessere) / sizeof(m->Tessere[0]) == 14001);
    static_assert(sizeof(m->Eleparz) / sizeof(m->Eleparz[0]) == 201);
    static_assert(sizeof(m->Tblsol.t) / sizeof(m->Tblsol.t[0]) == 11);
    static_assert(sizeof(m->EleSol) / sizeof(m->EleSol[0]) == 10);
    static_assert(sizeof(m->EleSol[0]) / sizeof(m->EleSol[0][0]) == 6);
    static_assert(sizeof(Booleano) == 2 && Vero == -1);
    static_assert(sizeof(m->Mosse[0].Blocchi) == 2);
    static_assert(sizeof(m->CelleLibere) == 2 && sizeof(m->NumProve) == 8);
    // Grid tables are column-major.
    Griglia8 g;
    g(3, 7) = 1;
    EXPECT_EQ(&g(4, 7) - &g(3, 7), 1);
    EXPECT_EQ(&g(0, 8) - &g(0, 7), 51);
    EXPECT_EQ((&g(0, 0))[7 * 51 + 3], 1);
}

TEST(ValidaSchema, AcceptsTheModelsLimitsAndRefusesEachKindOfPuzzleOutsideThem) {
    std::vector<Indizio> cinquanta, troppe;
    for (int c = 1; c <= 50; ++c)
        cinquanta.push_back({9, 50, c});
    for (int c = 1; c <= 51; ++c)
        troppe.push_back({1, 1 + (c - 1) / 50, 1 + (c - 1) % 50});
    const struct {
        Schema s;
        const char* parola; // "" accepted
    } casi[] = {
        {{1, 1, {{1, 1, 1}}}, ""},
        {{50, 50, cinquanta}, ""},
        {{0, 5, {{1, 1, 1}}}, "righe"},
        {{51, 5, {{1, 1, 1}}}, "righe"},
        {{5, 0, {{1, 1, 1}}}, "colonne"},
        {{5, 51, {{1, 1, 1}}}, "colonne"},
        {{5, 5, {}}, "isole"},
        {{50, 50, troppe}, "Troppe"},
        {{5, 5, {{0, 1, 1}}}, "numero 0"},
        {{5, 5, {{10, 1, 1}}}, "numero 10"},
        {{5, 5, {{1, 6, 1}}}, "fuori"},
        {{5, 5, {{1, 1, 0}}}, "fuori"},
        {{5, 5, {{1, 2, 2}, {3, 2, 2}}}, "Isola 2"},
    };
    for (const auto& c : casi) {
        const std::string msg = ValidaSchema(c.s);
        if (*c.parola == '\0')
            EXPECT_EQ(msg, "");
        else
            EXPECT_NE(msg.find(c.parola), std::string::npos) << "messaggio: " << msg;
    }
}

TEST(ApplicaSchema, ReplacesThePuzzleOnlyWhenValid) {
    auto m = NuovoModello();
    ASSERT_TRUE(ApplicaSchema(*m, {4, 6, {{3, 1, 1}, {2, 4, 6}}}));
    m->Ele[1].Marcata = 1;
    EXPECT_FALSE(ApplicaSchema(*m, {4, 6, {{3, 1, 1}, {2, 9, 6}}}));
    EXPECT_EQ(m->NumColonne, 6);
    EXPECT_EQ(m->Ele[1].Marcata, 1);

    ASSERT_TRUE(ApplicaSchema(*m, {7, 7, {{5, 7, 7}}}));
    EXPECT_EQ(m->NumEle, 1);
    EXPECT_EQ(m->Ele[1], (Isola{5, 7, 7, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(m->Ele[2], Isola{});
    const Schema letto = SchemaDa(*m);
    EXPECT_EQ(letto.Righe, 7);
    ASSERT_EQ(letto.Isole.size(), 1u);
    EXPECT_EQ(letto.Isole[0].Num, 5);
}
