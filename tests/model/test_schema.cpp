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
    const int pos[12][3] = {{2, 1, 1}, {3, 1, 5},  {1, 2, 9}, {4, 3, 3}, {2, 4, 7},  {1, 5, 1},
                            {5, 6, 5}, {2, 7, 10}, {3, 8, 2}, {1, 9, 7}, {6, 10, 4}, {9, 10, 10}};
    for (const auto& p : pos)
        s.Isole.push_back({p[0], p[1], p[2]});
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
    int uni = 0;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c)
            uni += m->TblSchema(r, c) == 1 ? 1 : 0;
    const Griglia::Cella &indizio = Gr.CellaIn(1, 5), &vuota = Gr.CellaIn(1, 6);
    EXPECT_EQ(
        std::vector<long>({m->CelleLibere, uni, m->TblSchema(5, 5), Gr.Righe(), Gr.Colonne(),
                           Gr.AltezzaRiga(0), Gr.LarghezzaColonna(0), Gr.AltezzaRiga(10),
                           Gr.Larghezza, Gr.Altezza, indizio.Sfondo, indizio.ColoreTesto,
                           vuota.Sfondo, p.Impaginazioni}),
        std::vector<long>({88, 12, 0, 11, 11, 0, 0, 500, 5110, 5110, Bianco, 0x000080, Grigio, 1}));
    EXPECT_EQ(indizio.Testo + "|" + indizio.Font + "|" + vuota.Testo, "3|Arial|");
    EXPECT_FLOAT_EQ(indizio.Dimensione, 9);
    EXPECT_EQ(vuota.Allinea, Allineamento::CentroCentro);
    EXPECT_TRUE(Gr.Visibile);
    EXPECT_TRUE(p.Abilitati.at("CommandSoluz"));
}

TEST(InizializzaSchema, UnnumberedCluesWhileGeneratingRedrawOnRequestNoStaleCellsAfter) {
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
    m->ModoTempo = 0;
    ASSERT_TRUE(ApplicaSchema(*m, Schema{3, 2, {{2, 3, 2}}})); // a smaller puzzle
    InizializzaSchema(*m, Gr, p);
    EXPECT_TRUE(Gr.Ridisegno());
    EXPECT_EQ(ridisegni, 1);
    EXPECT_EQ(Gr.Righe() * 10 + Gr.Colonne(), 43);
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
    EXPECT_EQ(std::vector<int>({m->TblGioco(2, 2), m->TblGioco(10, 10), m->TblGioco(8, 2),
                                m->NumMosseGioco, gr2.Colonne(), gr2.Visibile}),
              std::vector<int>({0, 1, 1, 0, 1, 0}));
    m->TblSchema(4, 4) = 6;
    InizializzaSchemaEle(*m);
    EXPECT_EQ(m->TblSchema(4, 4), 0);
    EXPECT_EQ(m->TblSchema, m->TblGioco);
}

TEST(TabelleGriglia, UtilitiesTouchOnlyRowsAndColumnsOneToN) {
    Griglia8 t, copia;
    for (auto& v : t.v)
        v = 7;
    AzzeraTabella(t, 3);
    CopiaTabella(t, copia, 4);
    TabellaGriglia3<int16_t, 6> b;
    for (auto& g : b.t)
        for (auto& v : g.v)
            v = -3;
    AzzeraTabellab(b, 2);
    const struct {
        int valore, atteso;
    } casi[] = {{t(1, 1), 0},     {t(3, 3), 0},     {t(4, 3), 7},     {t(3, 4), 7},
                {t(0, 2), 7},     {t(2, 0), 7},     {copia(4, 4), 7}, {copia(2, 2), 0},
                {copia(5, 1), 0}, {copia(0, 1), 0}, {b(1, 1, 1), 0},  {b(5, 2, 2), 0},
                {b(0, 1, 1), -3}, {b(3, 3, 1), -3}, {b(3, 0, 1), -3}};
    for (size_t i = 0; i < std::size(casi); ++i)
        EXPECT_EQ(casi[i].valore, casi[i].atteso) << i;
}
