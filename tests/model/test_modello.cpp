// The model's defaults and limits, replacing a puzzle, board set-up and the grid-table utilities.
#include "model/Impostazione.h"
#include "model/Modello.h"
#include "model/Schema.h"
#include "view/PiattaformaHeadless.h"

#include <gtest/gtest.h>

using namespace isolmar;

namespace {

// A 10 x 10 puzzle with 12 clues.
std::unique_ptr<Modello> DodiciIndizi() {
    const int indizi[][3] = {{2, 1, 1}, {3, 1, 5},  {1, 2, 9}, {4, 3, 3}, {2, 4, 7},  {1, 5, 1},
                             {5, 6, 5}, {2, 7, 10}, {3, 8, 2}, {1, 9, 7}, {6, 10, 4}, {9, 10, 10}};
    Schema s{10, 10, {}};
    for (const auto& i : indizi)
        s.Isole.push_back({i[0], i[1], i[2]});
    auto m = NuovoModello();
    EXPECT_TRUE(ApplicaSchema(*m, s));
    return m;
}

} // namespace

// The window's defaults; the monomino is the only shape.
TEST(Modello, FreshModelHasTheWindowDefaults) {
    auto m = NuovoModello();
    EXPECT_EQ(
        std::vector<int>({m->NumRighe, m->NumColonne, m->NumEle, m->NumTessere, m->DimMaxIsola,
                          m->MaxLivello, m->TempoMaxGen, m->IndTessere[1].Prima,
                          m->IndTessere[1].Ultima, m->IndTessere[2].Prima}),
        std::vector<int>({10, 10, 0, 1, 4, 4, 50, 1, 1, 0}));
}

TEST(ValidaSchema, AcceptsTheModelsLimitsAndRefusesEachKindOfPuzzleOutsideThem) {
    std::vector<Indizio> cinquanta, troppe;
    for (int c = 1; c <= 51; ++c) {
        if (c <= 50) cinquanta.push_back({9, 50, c});
        troppe.push_back({1, 1 + (c - 1) / 50, 1 + (c - 1) % 50});
    }
    const struct {
        Schema s;
        const char* parola; // "" accepted
    } casi[] = {{{1, 1, {{1, 1, 1}}}, ""},
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
                {{5, 5, {{1, 2, 2}, {3, 2, 2}}}, "Isola 2"}};
    for (const auto& c : casi) {
        const std::string msg = ValidaSchema(c.s);
        EXPECT_TRUE(*c.parola ? msg.find(c.parola) != std::string::npos : msg.empty()) << msg;
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
    ASSERT_EQ(letto.Isole.size(), 1u);
    EXPECT_EQ(letto.Righe * 10 + letto.Isole[0].Num, 75);
}

// The board of a puzzle: clue cells numbered, the rest grey, no stale search marks; while
// generating the clues are blank and nothing is redrawn; a smaller puzzle leaves no stale cells.
TEST(InizializzaSchema, LaysOutTheBoardAndLeavesNothingStale) {
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
    EXPECT_TRUE(Gr.Visibile && p.Abilitati.at("CommandSoluz"));

    int ridisegni = 0;
    Gr.SuRidisegno([&] { ++ridisegni; });
    Gr.ImpostaRidisegno(false);
    ridisegni = 0;
    m->ModoTempo = 1; // generating
    InizializzaSchema(*m, Gr, p);
    EXPECT_EQ(Gr.CellaIn(1, 5).Testo, "");
    EXPECT_EQ(Gr.CellaIn(1, 5).Sfondo, Bianco);
    EXPECT_FALSE(Gr.Ridisegno());
    EXPECT_EQ(ridisegni, 0);
    m->RidisegnaSchema = Vero;
    m->ModoTempo = 0;
    ASSERT_TRUE(ApplicaSchema(*m, Schema{3, 2, {{2, 3, 2}}}));
    InizializzaSchema(*m, Gr, p);
    EXPECT_TRUE(Gr.Ridisegno());
    EXPECT_EQ(ridisegni, 1);
    EXPECT_EQ(Gr.Righe() * 10 + Gr.Colonne(), 43);
    EXPECT_EQ(Gr.CellaIn(1, 1).Testo + "|" + Gr.CellaIn(3, 2).Testo, "|2");
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
    t.v.fill(7);
    AzzeraTabella(t, 3);
    CopiaTabella(t, copia, 4);
    TabellaGriglia3<int16_t, 6> b;
    for (auto& g : b.t)
        g.v.fill(-3);
    AzzeraTabellab(b, 2);
    const int casi[][2] = {{t(1, 1), 0},     {t(3, 3), 0},     {t(4, 3), 7},     {t(3, 4), 7},
                           {t(0, 2), 7},     {t(2, 0), 7},     {copia(4, 4), 7}, {copia(2, 2), 0},
                           {copia(5, 1), 0}, {copia(0, 1), 0}, {b(1, 1, 1), 0},  {b(5, 2, 2), 0},
                           {b(0, 1, 1), -3}, {b(3, 3, 1), -3}, {b(3, 0, 1), -3}};
    for (size_t i = 0; i < std::size(casi); ++i)
        EXPECT_EQ(casi[i][0], casi[i][1]) << i;
}
