#include "model/Modello.h"
#include "model/Schema.h"

#include <gtest/gtest.h>

using namespace isolmar;

TEST(Modello, FreshModelHasTheWindowDefaultsAndTheMonomino) {
    auto m = NuovoModello();
    EXPECT_EQ(m->NumRighe, 10);
    EXPECT_EQ(m->NumColonne, 10);
    EXPECT_EQ(m->NumEle, 0);
    EXPECT_EQ(m->NumTessere, 1);
    EXPECT_EQ(m->IndTessere[1].Prima, 1);
    EXPECT_EQ(m->IndTessere[1].Ultima, 1);
    EXPECT_EQ(m->IndTessere[2].Prima, 0);
    const Tessera& t = m->Tessere[1];
    EXPECT_EQ(t.Dim, 1);
    EXPECT_EQ(t.Righe, 3);
    EXPECT_EQ(t.Colonne, 3);
    EXPECT_EQ(t.Cella[2][2], CellaTessera);
    EXPECT_EQ(t.Cella[1][2], CellaBordo);
    EXPECT_EQ(t.Cella[3][2], CellaBordo);
    EXPECT_EQ(t.Cella[2][1], CellaBordo);
    EXPECT_EQ(t.Cella[2][3], CellaBordo);
    EXPECT_EQ(t.Cella[1][1], Fuori);
    EXPECT_EQ(m->DimMaxIsola, 4);
    EXPECT_EQ(m->MaxLivello, 4);
    EXPECT_EQ(m->TempoMaxGen, 50);
}

TEST(Modello, TablesHaveTheModelsBoundsAndWidths) {
    Modello* m = nullptr;
    static_assert(sizeof(m->Ele) / sizeof(m->Ele[0]) == 51);
    static_assert(sizeof(m->Tessere) / sizeof(m->Tessere[0]) == 14001);
    static_assert(sizeof(m->Mosse) / sizeof(m->Mosse[0]) == 30001);
    static_assert(sizeof(m->NodiCella) / sizeof(m->NodiCella[0]) == 1000001);
    static_assert(sizeof(m->Eleparz) / sizeof(m->Eleparz[0]) == 201);
    static_assert(sizeof(m->Tblsol.t) / sizeof(m->Tblsol.t[0]) == 11);
    static_assert(sizeof(m->EleSol) / sizeof(m->EleSol[0]) == 10);
    static_assert(sizeof(m->EleSol[0]) / sizeof(m->EleSol[0][0]) == 6);
    static_assert(sizeof(Booleano) == 2 && Vero == -1);
    static_assert(sizeof(m->Mosse[0].Blocchi) == 2);
    static_assert(sizeof(m->CelleLibere) == 2 && sizeof(m->NumProve) == 4);
    SUCCEED();
}

TEST(Modello, GridTablesAreColumnMajor) {
    Griglia8 t;
    t(3, 7) = 1;
    t(4, 7) = 2;
    const uint8_t* base = &t(0, 0);
    EXPECT_EQ(&t(4, 7) - &t(3, 7), 1);
    EXPECT_EQ(&t(0, 8) - &t(0, 7), 51);
    EXPECT_EQ(base[7 * 51 + 3], 1);
}

namespace {
Schema schema(int righe, int colonne, std::vector<Indizio> isole) {
    return Schema{righe, colonne, std::move(isole)};
}
} // namespace

TEST(ValidaSchema, AcceptsPuzzlesOnTheModelsLimits) {
    EXPECT_EQ(ValidaSchema(schema(1, 1, {{1, 1, 1}})), "");
    std::vector<Indizio> cinquanta;
    for (int c = 1; c <= 50; ++c) cinquanta.push_back({9, 50, c});
    EXPECT_EQ(ValidaSchema(schema(50, 50, cinquanta)), "");
}

TEST(ValidaSchema, RefusesEachKindOfPuzzleOutsideTheModel) {
    struct Caso {
        Schema s;
        const char* parola;
    };
    std::vector<Indizio> troppe;
    for (int c = 1; c <= 51; ++c) troppe.push_back({1, 1 + (c - 1) / 50, 1 + (c - 1) % 50});
    const Caso casi[] = {
        {schema(0, 5, {{1, 1, 1}}), "righe"},
        {schema(51, 5, {{1, 1, 1}}), "righe"},
        {schema(5, 0, {{1, 1, 1}}), "colonne"},
        {schema(5, 51, {{1, 1, 1}}), "colonne"},
        {schema(5, 5, {}), "isole"},
        {schema(50, 50, troppe), "Troppe"},
        {schema(5, 5, {{0, 1, 1}}), "numero 0"},
        {schema(5, 5, {{10, 1, 1}}), "numero 10"},
        {schema(5, 5, {{1, 6, 1}}), "fuori"},
        {schema(5, 5, {{1, 1, 0}}), "fuori"},
        {schema(5, 5, {{1, 2, 2}, {3, 2, 2}}), "Isola 2"},
    };
    for (const Caso& c : casi) {
        const std::string msg = ValidaSchema(c.s);
        EXPECT_NE(msg.find(c.parola), std::string::npos) << "messaggio: " << msg;
    }
}

TEST(ApplicaSchema, ReplacesThePuzzleOnlyWhenValid) {
    auto m = NuovoModello();
    ASSERT_TRUE(ApplicaSchema(*m, schema(4, 6, {{3, 1, 1}, {2, 4, 6}})));
    m->Ele[1].Marcata = 1;
    m->Ele[2].Tessera = 55;
    EXPECT_FALSE(ApplicaSchema(*m, schema(4, 6, {{3, 1, 1}, {2, 9, 6}})));
    EXPECT_EQ(m->NumRighe, 4);
    EXPECT_EQ(m->NumColonne, 6);
    EXPECT_EQ(m->Ele[1].Marcata, 1);

    ASSERT_TRUE(ApplicaSchema(*m, schema(7, 7, {{5, 7, 7}})));
    EXPECT_EQ(m->NumEle, 1);
    EXPECT_EQ(m->Ele[1], (Isola{5, 7, 7, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(m->Ele[2], Isola{});
    const Schema letto = SchemaDa(*m);
    EXPECT_EQ(letto.Righe, 7);
    ASSERT_EQ(letto.Isole.size(), 1u);
    EXPECT_EQ(letto.Isole[0].Num, 5);
}
