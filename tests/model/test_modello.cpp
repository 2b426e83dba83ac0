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
    for (int c = 1; c <= 50; ++c)
        cinquanta.push_back({9, 50, c});
    for (int c = 1; c <= 5; ++c)
        troppe.push_back({1, 1 + (c - 1) / 2, 1 + (c - 1) % 2});
    const struct {
        Schema s;
        const char* parola; // "" accepted
    } casi[] = {{{1, 1, {{1, 1, 1}}}, ""},           {{50, 50, cinquanta}, ""},
                {{0, 5, {{1, 1, 1}}}, "righe"},      {{100, 100, {{10000, 100, 100}}}, ""},
                {{101, 5, {{1, 1, 1}}}, "righe"},    {{5, 0, {{1, 1, 1}}}, "colonne"},
                {{5, 101, {{1, 1, 1}}}, "colonne"},  {{5, 5, {}}, "isole"},
                {{2, 2, troppe}, "Troppe"},          {{5, 5, {{0, 1, 1}}}, "numero 0"},
                {{5, 5, {{26, 1, 1}}}, "numero 26"}, {{5, 5, {{1, 6, 1}}}, "fuori"},
                {{5, 5, {{1, 1, 0}}}, "fuori"},      {{5, 5, {{1, 2, 2}, {3, 2, 2}}}, "Isola 2"}};
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

// The tables follow the puzzle's size: a board and a margin of zeros, islands past the search's
// fifty, and back.
TEST(ApplicaSchema, SizesTheTablesToThePuzzle) {
    auto m = NuovoModello();
    Schema grande{100, 90, {}};
    for (int k = 1; k <= 60; ++k)
        grande.Isole.push_back({k * 20, k, 1 + k % 90});
    const struct {
        Schema s;
        size_t elementi, isole;
    } casi[] = {
        {{10, 10, {}}, 12 * 12, 51}, {grande, 102 * 92, 61}, {{7, 5, {{5, 7, 5}}}, 9 * 7, 51}};
    for (const auto& c : casi) {
        if (!c.s.Isole.empty()) {
            ASSERT_TRUE(ApplicaSchema(*m, c.s));
        }
        for (const Griglia8* t : {&m->TblGioco, &m->TblSchema, &m->TblVisitate, &m->TblIsoleLog,
                                  &m->Tblsol[0], &m->Tblsol[MaxSol]})
            EXPECT_EQ(t->Elementi(), c.elementi);
        EXPECT_EQ(m->Ele.size() * 1000 + m->svEle.size(), c.isole * 1001);
    }
    EXPECT_EQ(m->TblGioco(8, 6), 0); // the margin
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

TEST(TabelleGriglia, ResizingKeepsTheSharedCellsAndTheUtilitiesClearTheWholeTable) {
    Griglia8 t(3, 4);
    for (int r = 0; r <= 4; ++r)
        for (int c = 0; c <= 5; ++c)
            t(r, c) = static_cast<uint8_t>(10 * r + c);
    Griglia8 larga = t, stretta = t, copia;
    larga.Dimensiona(5, 6);
    stretta.Dimensiona(2, 2);
    CopiaTabella(t, copia);
    TabellaGriglia3<int16_t, 6> b;
    b.Dimensiona(2, 3);
    b(0, 1, 1) = b(1, 1, 1) = b(5, 3, 4) = -3;
    AzzeraTabellab(b);
    const int casi[][2] = {
        {larga(4, 5), 45},   {larga(6, 7), 0},  {larga(5, 3), 0},     {stretta(3, 3), 33},
        {stretta(1, 2), 12}, {copia(4, 5), 45}, {copia.Colonne(), 4}, {int(stretta.Elementi()), 16},
        {b(1, 1, 1), 0},     {b(5, 3, 4), 0},   {b(0, 1, 1), -3},     {int(b[0].Elementi()), 20}};
    for (size_t i = 0; i < std::size(casi); ++i)
        EXPECT_EQ(casi[i][0], casi[i][1]) << i;
    AzzeraTabella(t);
    EXPECT_EQ(t, Griglia8(3, 4));
}
