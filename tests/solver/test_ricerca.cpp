// The search, its solution store and its checks, judged by an independent rule checker.
#include "model/Impostazione.h"
#include "solver/Regole.h"
#include "solver/Risolutore.h"
#include "solver/Tessere.h"
#include "view/PiattaformaHeadless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

using namespace isolmar;
using namespace isolmar::prova;

namespace {

struct Banco : BancoRisolutore {
    using BancoRisolutore::BancoRisolutore;
    // The multi-solution mode from the first island, as the configuration list runs it.
    void Multiple() {
        s.SortaEle("A");
        s.InizializzaMossePossibili();
        m->SoluzMultiple = Vero;
        m->NumSolParz = 0;
        m->Trovata = Falso;
        s.ProvaTessera(1);
        m->SoluzMultiple = Falso;
    }
};

// The published puzzles, then the hard ones.
std::vector<Pubblicato> Tutti() {
    auto tutti = PuzzlePubblicati();
    for (auto& x : PuzzleDifficili())
        tutti.push_back(std::move(x));
    return tutti;
}

// A random board of lato + 0..vari - 1 rows and columns with isole + 0..variIsole - 1 clues of 1 to
// maxNum on distinct cells (a clue drawn on a taken cell is dropped).
Schema Casuale(std::mt19937& gen, int lato, int vari, int isole, int variIsole, int maxNum) {
    Schema s{lato + static_cast<int>(gen() % vari), lato + static_cast<int>(gen() % vari), {}};
    const int n = isole + static_cast<int>(gen() % variIsole);
    for (int i = 0; i < n; ++i) {
        const int r = 1 + static_cast<int>(gen() % s.Righe);
        const int c = 1 + static_cast<int>(gen() % s.Colonne);
        if (std::none_of(s.Isole.begin(), s.Isole.end(),
                         [&](const Indizio& d) { return d.Riga == r && d.Colonna == c; }))
            s.Isole.push_back({1 + static_cast<int>(gen() % maxNum), r, c});
    }
    return s;
}

// Esc once the search has made n attempts (looked at every yield).
void LimitaProve(Banco& b, int32_t n) {
    b.p.DopoCessioni(0, [&b, n] {
        if (b.m->NumProve >= n)
            b.m->TempoScaduto = 1;
        else
            LimitaProve(b, n);
    });
}

} // namespace

// How many solutions, whether the search stopped on the last one asked for (Trovata, the
// solution then painted on the board), the first solution (the vertical domino comes first in
// the shape table); a search that holds no solution leaves the board and the free-cell count as
// before (a wall set beforehand stays).
TEST(Ricerca, SmallBoardsFindTheirSolutionsAndLeaveTheBoardAsBefore) {
    const struct {
        Schema s;
        int chieste, trovate;
        Tavola prima;
    } casi[] = {
        {{2, 2, {{1, 1, 1}}}, 1, 1, {"10", "00"}},
        {{2, 2, {{2, 1, 1}}}, 3, 2, {"10", "10"}},
        {{5, 5, {{2, 1, 1}, {1, 3, 1}, {6, 4, 3}}},
         2,
         1,
         {"11000", "00010", "10110", "01110", "00000"}},
        {{3, 3, {{1, 1, 1}, {1, 1, 2}}}, 1, 0, {}}, // two neighbouring clues: no placement
        {{2, 2, {{1, 1, 1}, {1, 2, 2}}}, 1, 0, {}}, // the two wall cells cannot meet
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(&c - casi);
        Banco b(c.s);
        if (c.s.Righe == 3) b.m->TblSchema(3, 3) = 2;
        const Griglia8 prima = b.m->TblSchema;
        const int16_t libere = b.m->CelleLibere;
        ASSERT_TRUE(b.s.SoluzioneStart(c.chieste));
        ASSERT_EQ(b.m->NumSol, c.trovate);
        EXPECT_EQ(b.m->Trovata != 0, c.trovate == c.chieste);
        for (int k = 1; k <= c.trovate; ++k)
            EXPECT_EQ(ControllaRegole(c.s, TavolaDaTblsol(*b.m, k)), "");
        EXPECT_EQ(c.trovate ? TavolaDaTblsol(*b.m, 1) : Tavola{}, c.prima);
        if (c.trovate == c.chieste) {
            for (int r = 1; r <= c.s.Righe; ++r)
                for (int k = 1; k <= c.s.Colonne; ++k)
                    EXPECT_EQ(b.Gr.CellaIn(r, k).Sfondo,
                              c.prima[r - 1][k - 1] == '1' ? Bianco : Blu);
            continue;
        }
        EXPECT_EQ(b.m->TblSchema, prima) << "every shape is taken off again";
        EXPECT_EQ(b.m->CelleLibere, libere);
    }
}

// Multi-solution mode collects every valid board, and stops at exactly 200: four clues of 3 far
// apart on an 8 x 8 board have thousands.
TEST(Ricerca, MultiSolutionModeCollectsUpToTwoHundred) {
    const struct {
        Schema s;
        int attese;
        bool piena;
    } casi[] = {{Schema{2, 2, {{2, 1, 1}}}, 2, false},
                {Schema{8, 8, {{3, 2, 2}, {3, 2, 7}, {3, 7, 2}, {3, 7, 7}}}, 200, true}};
    for (const auto& caso : casi) {
        Banco b(caso.s);
        const Griglia8 prima = b.m->TblSchema;
        b.Multiple();
        EXPECT_EQ(b.m->Trovata != 0, caso.piena);
        EXPECT_EQ(b.m->NumSolParz, caso.attese);
        EXPECT_EQ(b.m->NumEleparz[caso.attese], b.m->NumEle);
        EXPECT_TRUE(caso.piena || b.m->TblSchema == prima);
    }
}

// Esc is seen within a bounded number of inner steps wherever it falls: while the tables are
// built, inside the attempts on boards of 8- and 9-cell islands (one attempt there can be long),
// in the multi-solution mode. A search started after the board is set up again runs normally.
TEST(Ricerca, EscStopsWithinABoundedNumberOfInnerSteps) {
    const struct {
        const char* nome;
        long cessione;   // Esc at this yield
        bool multiple;   // the multi-solution mode
        bool inAvvio;    // Esc falls while the tables are built
        bool poiRisolto; // then solved from scratch (quick first solution)
    } casi[] = {
        {"janko-0389", 20, false, false, true},    // 15 x 15, a few thousand attempts
        {"janko-0596", 200, false, false, true},   // 10 x 10, clues of 9
        {"janko-0969", 200, false, true, true},    // the cover lists
        {"janko-0084", 100, false, true, true},    //
        {"janko-0779", 5, false, true, false},     // 17 x 17, clues of 9: 2 million list nodes
        {"janko-0779", 3000, false, false, false}, //
        {"janko-0779", 3000, true, false, false},  //
    };
    const std::vector<Pubblicato> tutti = Tutti();
    for (const auto& caso : casi) {
        SCOPED_TRACE(std::string(caso.nome) + " at yield " + std::to_string(caso.cessione));
        const auto x = std::find_if(tutti.begin(), tutti.end(),
                                    [&](const Pubblicato& t) { return t.Nome == caso.nome; });
        ASSERT_NE(x, tutti.end());
        Banco b(x->S);
        b.m->NumProve = 0;
        uint64_t passiAlFermo = 0;
        int64_t proveAlFermo = -1;
        b.p.DopoCessioni(caso.cessione, [&] {
            b.m->TempoScaduto = 1;
            passiAlFermo = b.s.PassiInterni;
            proveAlFermo = b.m->NumProve;
        });
        if (caso.multiple) {
            b.Multiple();
        } else {
            ASSERT_TRUE(b.s.SoluzioneStart(1));
            EXPECT_EQ(b.m->NumSol, 0);
        }
        ASSERT_EQ(b.m->TempoScaduto, 1);
        EXPECT_EQ(proveAlFermo == 0, caso.inAvvio) << proveAlFermo;
        EXPECT_LE(b.m->NumProve, proveAlFermo + 1); // the attempt after the one that saw Esc
        // At most the shape in hand is finished: its cells' cover lists (up to 28 cells).
        int32_t lista = 0;
        for (int k = 1; k <= MaxRighe * MaxRighe; ++k)
            lista = std::max(lista, b.m->InizioCopre[k + 1] - b.m->InizioCopre[k]);
        EXPECT_LE(b.s.PassiInterni - passiAlFermo, Risolutore::PassiPerCessione + 28u * lista);
        if (!caso.poiRisolto) continue;
        InizializzaSchema(*b.m, b.Gr, b.p);
        ASSERT_TRUE(b.s.SoluzioneStart(1));
        EXPECT_EQ(b.m->NumSol, 1);
        EXPECT_EQ(TavolaDaTblsol(*b.m, 1), x->Soluzione);
    }
}

// Every published puzzle, the hard ones too (islands of 8 and 9, boards up to 14 x 24, more
// placements and list nodes than the tables start with), is solved to its published solution
// and proved unique within a budget of attempts (Esc when it runs out).
TEST(Ricerca, PublishedPuzzlesSolveToTheirPublishedUniqueSolution) {
    const auto tutti = Tutti();
    ASSERT_GE(tutti.size(), 60u);
    int grandi = 0;
    std::vector<std::string> oltreIlBudget;
    for (const auto& x : tutti) {
        SCOPED_TRACE(x.Nome);
        Banco b(x.S);
        LimitaProve(b, 400'000);
        ASSERT_TRUE(b.s.SoluzioneStart(2));
        grandi += b.m->NumMosse > MosseIniziali;
        if (b.m->TempoScaduto == 1) {
            oltreIlBudget.push_back(x.Nome);
            continue;
        }
        ASSERT_EQ(b.m->NumSol, 1);
        EXPECT_FALSE(b.m->Trovata);
        EXPECT_EQ(TavolaDaTblsol(*b.m, 1), x.Soluzione);
    }
    EXPECT_EQ(oltreIlBudget, std::vector<std::string>{});
    EXPECT_GE(grandi, 2);
}

// Every board of a tiny grid judged by the rule checker: the search (ordinary mode, asking for
// more solutions than exist) must find exactly the valid ones, each once, so no pruning loses one.
TEST(Ricerca, TinyPuzzlesHaveTheSolutionsBruteForceFinds) {
    std::mt19937 gen(5);
    int conSoluzione = 0;
    for (int prova = 0; prova < 40; ++prova) {
        SCOPED_TRACE(prova);
        const Schema s = Casuale(gen, 2, 3, 1, 3, 4);
        const int celle = s.Righe * s.Colonne;
        std::set<Tavola> attese, trovate;
        for (int bit = 0; bit < (1 << celle); ++bit) {
            Tavola t(s.Righe, std::string(s.Colonne, '0'));
            for (int k = 0; k < celle; ++k)
                if (bit >> k & 1) t[k / s.Colonne][k % s.Colonne] = '1';
            if (ControllaRegole(s, t).empty()) attese.insert(t);
        }
        Banco b(s);
        ASSERT_TRUE(b.s.SoluzioneStart(MaxSol));
        for (int k = 1; k <= b.m->NumSol; ++k)
            trovate.insert(TavolaDaTblsol(*b.m, k));
        EXPECT_EQ(b.m->NumSol, std::min(static_cast<int>(attese.size()), MaxSol));
        EXPECT_EQ(trovate.size(), static_cast<size_t>(b.m->NumSol)) << "a board twice";
        EXPECT_TRUE(std::includes(attese.begin(), attese.end(), trovate.begin(), trovate.end()));
        conSoluzione += !attese.empty();
    }
    EXPECT_GT(conSoluzione, 10);
}

// Backjumping and the deductions (before the search and during it) may only skip branches
// without solutions, and the lazy usability tests must read what the block counters say: on
// published puzzles with one clue taken away (so that they have many solutions) and on random
// small boards, each measure finds the same solutions, every one valid, in the same order as
// plain backtracking with counters; backjumping with no more attempts, lazy usability with
// exactly the same.
TEST(Ricerca, EachMeasureFindsTheSameSolutionsInTheSameOrder) {
    std::vector<std::pair<std::string, Schema>> casi;
    for (const auto& x : PuzzlePubblicati()) {
        // Small boards: the plain search with counters is slow on large islands.
        if (x.S.Righe * x.S.Colonne > 150 ||
            std::any_of(x.S.Isole.begin(), x.S.Isole.end(), [](auto& d) { return d.Num > 7; }))
            continue;
        const int n = static_cast<int>(x.S.Isole.size());
        for (int tolta : {0, n / 2, n - 1}) {
            Schema s = x.S;
            s.Isole.erase(s.Isole.begin() + tolta);
            casi.push_back({x.Nome + " without clue " + std::to_string(tolta), s});
        }
    }
    std::mt19937 gen(23);
    for (int prova = 0; prova < 60; ++prova)
        casi.push_back({"random " + std::to_string(prova), Casuale(gen, 4, 4, 2, 4, 7)});
    // Plain, backjumping, lazy usability, hypotheses during the search, and the deductions
    // before it too, as {SaltiIndietro, Domini, LivelliIpotesi, Deduzioni}. One bench per measure
    // serves every case, as in the generator: nothing of one search may leak into the next.
    constexpr std::tuple<bool, bool, int, bool> modi[] = {{false, false, 0, false},
                                                          {true, false, 0, false},
                                                          {true, true, 0, false},
                                                          {true, true, MaxEle, false},
                                                          {true, true, 8, true}};
    constexpr int n = std::size(modi);
    std::unique_ptr<Banco> banchi[n];
    for (auto& b : banchi)
        b = std::make_unique<Banco>(casi.front().second);
    int confronti = 0, conSoluzioni = 0, saltate = 0, ipotizzate = 0, dedotte = 0;
    for (const auto& [nome, s] : casi) {
        SCOPED_TRACE(nome);
        std::vector<Tavola> trovate[n];
        int32_t prove[n] = {};
        bool interrotta = false;
        for (int modo = 0; modo < n; ++modo) {
            Banco& b = *banchi[modo];
            b.Carica(s);
            b.m->NumProve = 0;
            std::tie(b.s.SaltiIndietro, b.s.Domini, b.s.LivelliIpotesi, b.s.Deduzioni) = modi[modo];
            b.s.ProveSenzaDeduzioni = b.s.ProvePrimaDelleIpotesi = 0;
            LimitaProve(b, 20'000);
            ASSERT_TRUE(b.s.SoluzioneStart(MaxSol));
            interrotta |= b.m->TempoScaduto == 1;
            for (int k = 1; k <= b.m->NumSol; ++k)
                trovate[modo].push_back(TavolaDaTblsol(*b.m, k));
            prove[modo] = b.m->NumProve;
        }
        if (interrotta) continue;
        ++confronti;
        for (const Tavola& t : trovate[0])
            ASSERT_EQ(ControllaRegole(s, t), "");
        for (int modo = 1; modo < n; ++modo)
            ASSERT_EQ(trovate[modo], trovate[0]) << "measure " << modo;
        EXPECT_LE(prove[1], prove[0]);
        EXPECT_EQ(prove[2], prove[1]);
        conSoluzioni += trovate[0].size() > 1;
        saltate += prove[1] < prove[0];
        ipotizzate += prove[3] < prove[2];
        dedotte += prove[4] < prove[3];
    }
    EXPECT_GT(confronti, 60);
    EXPECT_GT(conSoluzioni, 15);
    EXPECT_GT(saltate, 10);
    EXPECT_GT(ipotizzate, 20);
    EXPECT_GT(dedotte, 2);
}

// A search that stops with shapes on the board leaves the block counters as placing them one
// by one would, whichever way it tested its placements.
TEST(Ricerca, CountersAfterASolutionAreThoseOfTheShapesOnTheBoard) {
    std::vector<int16_t> blocchi[2];
    for (int modo = 0; modo < 2; ++modo) {
        Banco b(PuzzlePubblicati().at(0).S);
        b.s.Domini = modo == 1;
        ASSERT_TRUE(b.s.SoluzioneStart(1));
        ASSERT_EQ(b.m->NumSol, 1);
        for (int k = 1; k <= b.m->NumMosse; ++k)
            blocchi[modo].push_back(b.m->Blocchi[k]);
    }
    EXPECT_EQ(blocchi[1], blocchi[0]);
}

// The islands are tried by ascending clue, equal clues in their order, each with its mark (the
// order of the solutions follows from it).
TEST(Mosse, IslandsSortStablyWithTheirMarks) {
    Banco b(Schema{4, 4, {{3, 1, 1}, {1, 4, 4}, {3, 1, 4}, {2, 4, 1}}});
    b.m->Ele[3].Marcata = 1;
    b.s.SortaEle("A");
    std::string ordine;
    for (int i = 1; i <= b.m->NumEle; ++i) {
        const Isola& e = b.m->Ele[i];
        ordine += std::to_string(e.Num) + "@" + std::to_string(e.Riga) + "," +
                  std::to_string(e.Colonna) + (e.Marcata ? "* " : " ");
    }
    EXPECT_EQ(ordine, "1@4,4 2@4,1 3@1,1 3@1,4* ");
}

TEST(Mosse, TablesGrowToWhatThePuzzleNeeds) {
    // Twelve clues of 7 on an open 50 x 50 board need more than the 30000 placements the table
    // starts with; the search runs (and finds the 2 x 2 walls unavoidable).
    Schema s{50, 50, {}};
    for (int i = 0; i < 12; ++i)
        s.Isole.push_back({7, 4 + 4 * i, 4 + 3 * i});
    Banco b(s);
    EXPECT_TRUE(b.s.SoluzioneStart(1));
    EXPECT_FALSE(b.m->MossePiene || b.m->ListePiene);
    EXPECT_GT(b.m->NumMosse, MosseIniziali);
    EXPECT_EQ(b.m->Copre.size(), 6u * static_cast<size_t>(b.m->NumMosse)); // no spare room
    EXPECT_GT(b.p.Cessioni, 0);
    EXPECT_EQ(b.m->NumSol, 0);
}

TEST(VerificaMuro3, FreeCellsAndTwoByTwoBlocks) {
    Banco b(Schema{3, 3, {{1, 2, 2}}});
    // A complete board with a free 2x2 block: VerificaMuro rejects it, VerificaMuro3's 2x2 test
    // passes and its free-cell test decides.
    AzzeraTabella(b.m->TblSchema);
    b.m->TblSchema(2, 2) = 1;
    b.m->SolCercate = 1;
    b.m->NumSol = 0;
    b.s.VerificaMuro();
    EXPECT_TRUE(b.m->Trovata); // every block touches the centre island
    b.m->TblSchema(2, 2) = 0;
    b.s.VerificaMuro();
    EXPECT_FALSE(b.m->Trovata);
    b.s.VerificaMuro3();
    EXPECT_TRUE(b.m->MuroOk);
    // A free corner whose two inner neighbours are wall can only be wall: it passes unless it
    // completes a 2x2 block of wall.
    b.m->TblSchema(1, 2) = b.m->TblSchema(2, 1) = 2;
    EXPECT_TRUE(b.s.NonRag3(1, 1));
    b.s.VerificaMuro3();
    EXPECT_TRUE(b.m->MuroOk);
    b.m->TblSchema(2, 2) = 2;
    b.s.VerificaMuro3();
    EXPECT_FALSE(b.m->MuroOk);
}

TEST(AggiornaBarraTempo, ElapsedWholeSecondsClampedToTheBar) {
    Banco b(Schema{2, 2, {{1, 1, 1}}});
    b.p.FissaOrologio(1000);
    b.p.BarraProgresso(0, 90);
    for (auto [inizio, barra] : {std::pair{999.7, 1}, {900.2, 90}, {950.0, 50}}) {
        b.m->TempoInizio = inizio;
        b.s.AggiornaBarraTempo();
        EXPECT_EQ(b.p.ValoreBarra, barra) << inizio;
    }
}
