// Board set-up and the grid-table utilities.
#include "model/Impostazione.h"
#include "model/Schema.h"
#include "view/PiattaformaHeadless.h"

#include <gtest/gtest.h>

using namespace isolmar;

namespace {

// A 10 x 10 puzzle with 12 clues.
std::unique_ptr<Modello> DodiciIndizi() {
    auto m = NuovoModello();
    Schema s{10, 10, {}};
    const int pos[12][3] = {{2, 1, 1}, {3, 1, 5}, {1, 2, 9}, {4, 3, 3}, {2, 4, 7}, {1, 5, 1},
                            {5, 6, 5}, {2, 7, 10}, {3, 8, 2}, {1, 9, 7}, {6, 10, 4}, {9, 10, 10}};
    for (const auto& p : pos) s.Isole.push_back({p[0], p[1], p[2]});
    EXPECT_TRUE(ApplicaSchema(*m, s));
    return m;
}

} // namespace

TEST(InizializzaSchema, TenByTenWithTwelveCluesLaysOutTheBoard) {
    auto m = DodiciIndizi();
    Griglia Gr;
    Gr.ColoreTestoGriglia = 0x000080;
    PiattaformaHeadless p;
    m->TblSchema(5, 5) = 2; // left over from an earlier search
    InizializzaSchema(*m, Gr, p);

    EXPECT_EQ(m->CelleLibere, 88);
    int uni = 0;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c) uni += m->TblSchema(r, c) == 1 ? 1 : 0;
    EXPECT_EQ(uni, 12);
    EXPECT_EQ(m->TblSchema(5, 5), 0);

    EXPECT_EQ(Gr.Righe(), 11);
    EXPECT_EQ(Gr.Colonne(), 11);
    EXPECT_EQ(Gr.AltezzaRiga(0), 0);
    EXPECT_EQ(Gr.LarghezzaColonna(0), 0);
    EXPECT_EQ(Gr.AltezzaRiga(10), 500);
    EXPECT_EQ(Gr.Larghezza, 5110);
    EXPECT_EQ(Gr.Altezza, 5110);
    EXPECT_EQ(Gr.CellaIn(1, 5).Testo, "3");
    EXPECT_EQ(Gr.CellaIn(1, 5).Sfondo, Bianco);
    EXPECT_EQ(Gr.CellaIn(1, 5).Font, "Arial");
    EXPECT_FLOAT_EQ(Gr.CellaIn(1, 5).Dimensione, 9);
    EXPECT_EQ(Gr.CellaIn(1, 5).ColoreTesto, 0x000080u);
    EXPECT_EQ(Gr.CellaIn(1, 6).Testo, "");
    EXPECT_EQ(Gr.CellaIn(1, 6).Sfondo, Grigio);
    EXPECT_EQ(Gr.CellaIn(1, 6).Allinea, Allineamento::CentroCentro);
    EXPECT_TRUE(Gr.Visibile);
    EXPECT_EQ(p.Impaginazioni, 1);
    EXPECT_TRUE(p.Abilitati.at("CommandSoluz"));
}

TEST(InizializzaSchema, WhileGeneratingCluesAreWhiteButUnnumberedAndRedrawIsResumedOnRequest) {
    auto m = DodiciIndizi();
    Griglia Gr;
    PiattaformaHeadless p;
    int ridisegni = 0;
    Gr.SuRidisegno([&] { ++ridisegni; });
    Gr.ImpostaRidisegno(false);
    ridisegni = 0;
    m->ModoTempo = 1;
    InizializzaSchema(*m, Gr, p);
    EXPECT_EQ(Gr.CellaIn(1, 5).Testo, "");
    EXPECT_EQ(Gr.CellaIn(1, 5).Sfondo, Bianco);
    EXPECT_FALSE(Gr.Ridisegno());
    EXPECT_EQ(ridisegni, 0);

    m->RidisegnaSchema = Vero;
    InizializzaSchema(*m, Gr, p);
    EXPECT_TRUE(Gr.Ridisegno());
    EXPECT_EQ(ridisegni, 1);
}

TEST(InizializzaSchema, ShrinkingToASmallerPuzzleLeavesNoStaleCells) {
    auto m = DodiciIndizi();
    Griglia Gr;
    PiattaformaHeadless p;
    InizializzaSchema(*m, Gr, p);
    ASSERT_TRUE(ApplicaSchema(*m, Schema{3, 2, {{2, 3, 2}}}));
    InizializzaSchema(*m, Gr, p);
    EXPECT_EQ(Gr.Righe(), 4);
    EXPECT_EQ(Gr.Colonne(), 3);
    EXPECT_EQ(Gr.CellaIn(1, 1).Testo, "");
    EXPECT_EQ(Gr.CellaIn(3, 2).Testo, "2");
    EXPECT_EQ(m->CelleLibere, 5);
    EXPECT_EQ(Gr.Larghezza, 1110);
}

TEST(InizializzaTblGioco, ClueCellsAreIslandAndTheMoveListIsEmptied) {
    auto m = DodiciIndizi();
    Griglia gr2;
    gr2.ImpostaColonne(8);
    gr2.Visibile = true;
    m->NumMosseGioco = 17;
    m->TblGioco(2, 2) = 2;
    InizializzaTblGioco(*m, gr2);
    EXPECT_EQ(m->TblGioco(2, 2), 0);
    EXPECT_EQ(m->TblGioco(10, 10), 1);
    EXPECT_EQ(m->TblGioco(8, 2), 1);
    EXPECT_EQ(m->NumMosseGioco, 0);
    EXPECT_EQ(gr2.Colonne(), 1);
    EXPECT_FALSE(gr2.Visibile);

    m->TblSchema(4, 4) = 6;
    InizializzaSchemaEle(*m);
    EXPECT_EQ(m->TblSchema(4, 4), 0);
    EXPECT_EQ(m->TblSchema(2, 9), 1);
    EXPECT_EQ(m->TblSchema, m->TblGioco);
}

TEST(TabelleGriglia, UtilitiesTouchOnlyRowsAndColumnsOneToN) {
    Griglia8 t, copia;
    for (auto& v : t.v) v = 7;
    AzzeraTabella(t, 3);
    EXPECT_EQ(t(1, 1), 0);
    EXPECT_EQ(t(3, 3), 0);
    EXPECT_EQ(t(4, 3), 7);
    EXPECT_EQ(t(3, 4), 7);
    EXPECT_EQ(t(0, 2), 7);
    EXPECT_EQ(t(2, 0), 7);

    CopiaTabella(t, copia, 4);
    EXPECT_EQ(copia(4, 4), 7);
    EXPECT_EQ(copia(2, 2), 0);
    EXPECT_EQ(copia(5, 1), 0);
    EXPECT_EQ(copia(0, 1), 0);

    TabellaGriglia3<int16_t, 6> b;
    for (auto& g : b.t)
        for (auto& v : g.v) v = -3;
    AzzeraTabellab(b, 2);
    EXPECT_EQ(b(1, 1, 1), 0);
    EXPECT_EQ(b(5, 2, 2), 0);
    EXPECT_EQ(b(0, 1, 1), -3);
    EXPECT_EQ(b(3, 3, 1), -3);
    EXPECT_EQ(b(3, 0, 1), -3);
}
