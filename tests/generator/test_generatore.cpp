// The generator: partition steps on hand-made boards, the attempt loop, and generated puzzles
// judged by the independent rule checker and a fresh solve.
#include "Banco.h"

#include <set>

using namespace isolmar;
using namespace isolmar::prova;
using Posto = Generatore::Posto;
using Esito = Generatore::EsitoPartizione;
using Posti = std::vector<Posto>;

namespace {

void Mura(Banco& b, Posti muri) {
    AzzeraTabella(b.g.TabGen);
    for (Posto x : muri)
        b.g.TabGen(x.Riga, x.Colonna) = Generatore::Muro;
}

Posti CelleZona(const Modello& m, int k) {
    Posti v;
    for (int i = 1; i <= m.Zone[k].NumCelle; ++i)
        v.push_back({m.Zone[k].CellaRiga[i], m.Zone[k].CellaColonna[i]});
    return v;
}

template <class A> Posti Primi(const A& a, int n) {
    return Posti(a.begin() + 1, a.begin() + 1 + n);
}

} // namespace

TEST(Partizione, TwoByTwoFromTheCornerBecomesOneIslandOfTwo) {
    Banco b(2, 2);
    b.m->DimMaxIsola = 2;
    b.g.PosaMuroIniziale(1);
    ASSERT_TRUE(b.g.Partiziona());
    EXPECT_EQ(CelleZona(*b.m, 1), (Posti{{1, 2}, {2, 2}, {2, 1}}));
    const Posto scelto = b.g.ScegliMuro(1);
    const Posti attesi{{1, 2}, {2, 1}}; // the diagonal cell touches no wall
    EXPECT_EQ(Primi(b.g.Candidati, b.g.NumCandidati), attesi);
    EXPECT_EQ(Primi(b.g.NonDividono, b.g.NumNonDividono), attesi);
    EXPECT_TRUE(scelto == attesi[0] || scelto == attesi[1]);

    b.g.PosaMuroIniziale(1);
    ASSERT_EQ(b.g.CreaPartizione(), Esito::Accettata);
    ASSERT_EQ(b.m->NumZone, 1);
    EXPECT_EQ(b.m->Zone[1].NumCelle, 2);
    b.g.AssegnaIsole();
    EXPECT_EQ(b.m->NumEle, 1);
    EXPECT_EQ(b.m->Ele[1].Num, 2);
    EXPECT_NE(b.g.TabGen(b.m->Ele[1].Riga, b.m->Ele[1].Colonna), Generatore::Muro);

    // What is left is a zone of 2 cells: walling either leaves one part.
    Mura(b, {{1, 1}, {1, 2}});
    ASSERT_TRUE(b.g.Partiziona());
    b.g.ScegliMuro(1);
    EXPECT_EQ(b.g.NumNonDividono, 2);
}

TEST(Partizione, WhenEveryCellSplitsTheLargestSmallerPartWinsAndTheFirstOnATie) {
    // Walling (2,1) leaves parts of 5 and 2, (1,2) of 4 and 3, (1,3) of 5 and 2.
    Banco b(3, 4);
    Mura(b, {{2, 2}, {2, 3}, {3, 3}, {3, 4}});
    ASSERT_TRUE(b.g.Partiziona());
    EXPECT_EQ(b.g.ScegliMuro(1), (Posto{1, 2}));
    EXPECT_EQ(Primi(b.g.Candidati, b.g.NumCandidati), (Posti{{2, 1}, {1, 2}, {1, 3}}));
    EXPECT_EQ(b.g.NumNonDividono, 0);
    // (1,2) -> 1 and 6, (2,1) -> 3 and 4, (3,1) -> 4 and 3, (4,2) -> 6 and 1.
    Banco c(4, 4);
    Mura(c, {{1, 1}, {1, 4}, {2, 3}, {2, 4}, {3, 2}, {3, 3}, {3, 4}, {4, 4}});
    ASSERT_TRUE(c.g.Partiziona());
    EXPECT_EQ(c.g.ScegliMuro(1), (Posto{2, 1}));
}

TEST(Partizione, AZoneWithNoWallableCellStaysWhole) {
    // Each cell of the L (1,1) (2,1) (1,2) touches no wall or would close a 2x2 block.
    Banco b(3, 4);
    b.m->DimMaxIsola = 2;
    Mura(b, {{1, 3}, {2, 2}, {2, 3}, {2, 4}, {3, 1}, {3, 2}, {3, 3}});
    ASSERT_EQ(b.g.CreaPartizione(), Esito::Accettata);
    EXPECT_EQ(CelleZona(*b.m, 1), (Posti{{1, 1}, {2, 1}, {1, 2}}));
    EXPECT_EQ(b.m->Zone[1].Esclusa, 1);
}

TEST(Partizione, LargeZonesCountFromDimIsolaGrande) {
    // MaxIsoleGrandi = 99: only the size limit decides, zones of 2 and 3 cells stay. With 0,
    // every zone that may be walled is walled down to one cell.
    for (int massimo : {99, 0})
        for (unsigned seme = 1; seme <= 20; ++seme) {
            Banco b(7, 7);
            b.m->DimMaxIsola = 3;
            b.m->DimIsolaGrande = 2;
            b.m->MaxIsoleGrandi = static_cast<int16_t>(massimo);
            b.g.ImpostaSeme(seme);
            b.g.PosaMuroIniziale(static_cast<int>(b.g.GeneraCasuale(49)));
            ASSERT_EQ(b.g.CreaPartizione(), Esito::Accettata);
            int grandi = 0;
            for (int k = 1; k <= b.m->NumZone; ++k) {
                const Modello::Zona& z = b.m->Zone[k];
                if (z.Esclusa) continue;
                EXPECT_LE(z.NumCelle, massimo ? 3 : 1);
                grandi += z.NumCelle >= 2;
            }
            EXPECT_TRUE(massimo == 0 || grandi >= 3);
        }
}

namespace {
// Records the settings of each attempt; moves the clock and presses Esc at chosen attempts.
struct PiattaformaTentativi : PiattaformaHeadless {
    const Modello* m = nullptr;
    const Generatore* g = nullptr;
    int fermaA = 0;
    double passo = 0;
    std::vector<std::array<int, 3>> perTentativo{{}};
    void Cedi() override {
        PiattaformaHeadless::Cedi();
        if (!g || g->Statistica().Tentativi != static_cast<int>(perTentativo.size())) return;
        perTentativo.push_back({m->DimMaxIsola, m->DimIsolaGrande, m->MaxIsoleGrandi});
        AvanzaOrologio(passo);
        if (g->Statistica().Tentativi == fermaA) const_cast<Modello*>(m)->TempoScaduto = 1;
    }
};
struct BancoTentativi : BancoGen<PiattaformaTentativi> {
    BancoTentativi(int fermaA, double passo, int16_t tempoMaxGen = 50)
        : BancoGen(2, 2) { // never unique: every attempt fails
        p.m = m.get();
        p.g = &g;
        p.fermaA = fermaA;
        p.passo = passo;
        m->TempoMaxGen = tempoMaxGen;
        g.ImpostaSeme(1);
        g.Genera();
    }
};
} // namespace

TEST(Genera, AttemptsRelaxTheIslandSizesFromTheEleventhAndTheTwentyFirst) {
    BancoTentativi b(25, 0);
    ASSERT_EQ(b.p.perTentativo.size(), 26u);
    for (int n = 1; n <= 25; ++n) {
        const int d = n <= 10 ? 4 : n <= 20 ? 3 : 2;
        EXPECT_EQ(b.p.perTentativo[n], (std::array<int, 3>{d, d, n <= 10 ? 6 : 99})) << n;
    }
    // Esc ends the loop; the relaxed settings stay; the last puzzle is laid out with its clue.
    EXPECT_EQ(b.p.Testo(controlli::Label1), "0 s, 25 tentativi");
    EXPECT_EQ(b.m->DimMaxIsola, 2);
    EXPECT_EQ(b.m->ModoTempo, 0);
    EXPECT_EQ(b.Gr.CellaIn(b.m->Ele[1].Riga, b.m->Ele[1].Colonna).Testo, "2");
    EXPECT_TRUE(b.Gr.Ridisegno());
}

TEST(Genera, TempoMaxGenRelaxesEarlyAndTheLabelShowsSecondsAndAttempts) {
    // The clock moves 0.5 s per attempt and TempoMaxGen is 1: attempt 3 starts exactly 1 s
    // after the command, attempt 4 later.
    BancoTentativi b(5, 0.5, 1);
    EXPECT_EQ(b.p.perTentativo[3][0], 4);
    EXPECT_EQ(b.p.perTentativo[4][0], 3);
    EXPECT_EQ(b.p.Testo(controlli::Label1), "2,5 s, 5 tentativi");
}

TEST(Genera, RefusesLimitsAndGivesUpOnGridsThatCannotHoldThePuzzle) {
    for (auto [righe, dimMax, testo] : {std::tuple{51, 4, "Errore limiti: righe 51 (da 1 a 50)"},
                                        {10, 8, "Errore limiti: isola massima 8 (da 0 a 7)"}}) {
        Banco b(righe, 10);
        b.m->DimMaxIsola = static_cast<int16_t>(dimMax);
        b.g.Genera();
        EXPECT_EQ(b.p.Messaggi, std::vector<std::string>{testo});
        EXPECT_EQ(b.p.Icone, std::vector{Icona::Errore});
        EXPECT_EQ(b.g.Statistica().Tentativi, 0);
    }
    // 20 x 20 always needs more than 50 zones: ten failed attempts, then a message. 50 x 50
    // needs more islands than exist and is refused at once; 1 x 1 leaves no zone.
    for (auto [lato, tentativi, testo] : {std::tuple{20, 10, Generatore::TestoTroppeZone},
                                          {50, 0, Generatore::TestoTroppeZone},
                                          {1, 10, Generatore::TestoNessunaZona}}) {
        Banco b(lato, lato);
        b.g.ImpostaSeme(5);
        b.g.Genera();
        EXPECT_EQ(b.p.Messaggi, std::vector<std::string>{testo});
        // A size refused is an error; giving up after trying, a warning.
        EXPECT_EQ(b.p.Icone, std::vector{tentativi > 0 ? Icona::Avviso : Icona::Errore});
        EXPECT_EQ(b.g.Statistica().Tentativi, tentativi);
        EXPECT_EQ(b.m->NumSol, 0);
        EXPECT_EQ(b.m->ModoTempo, 0);
    }
}

// Generated with default settings: one solution that obeys the rules (every island as large
// as its clue), confirmed by a fresh solve, and the clues shown on the board.
TEST(Generati, SmallPuzzlesHaveOneSolutionThatObeysTheRules) {
    Banco b;
    Modello& m = *b.m;
    std::set<std::string> diversi;
    int tentativi = 0, riparati = 0;
    for (int lato = 5; lato <= 8; ++lato)
        for (uint64_t seme = 1; seme <= 100; ++seme) {
            SCOPED_TRACE(std::to_string(lato) + " " + std::to_string(seme));
            m.NumRighe = static_cast<uint8_t>(lato);
            m.NumColonne = static_cast<uint8_t>(lato - static_cast<int>(seme % 2));
            DimensionaTabelle(m);
            m.DimMaxIsola = m.DimIsolaGrande = 4;
            m.MaxIsoleGrandi = 6;
            b.g.ImpostaSeme(seme);
            b.g.Genera();
            diversi.insert(Testo(m));
            EXPECT_EQ(m.NumSol, 1);
            const int t = b.g.Statistica().Tentativi;
            EXPECT_EQ(b.p.Testo(controlli::Label1),
                      "0 s, " + std::to_string(t) + (t == 1 ? " tentativo" : " tentativi"));
            const Tavola soluzione = TavolaDaTblsol(m, 1);
            EXPECT_EQ(ControllaRegole(SchemaDa(m), soluzione), "");
            for (int i = 1; i <= m.NumEle; ++i)
                EXPECT_EQ(b.Gr.CellaIn(m.Ele[i].Riga, m.Ele[i].Colonna).Testo,
                          std::to_string(m.Ele[i].Num));
            EXPECT_TRUE(b.s.SoluzioneStart(2));
            EXPECT_EQ(m.NumSol, 1);
            EXPECT_EQ(TavolaDaTblsol(m, 1), soluzione);
            if (HasFailure()) return;
            tentativi += b.g.Statistica().Tentativi;
            riparati += b.g.Statistica().Riuscite - b.g.Statistica().UnicheSubito;
        }
    EXPECT_GT(diversi.size(), 380u);
    EXPECT_GT(riparati, 100) << "most puzzles need their clues moved";
    EXPECT_LT(tentativi, 3 * 400);
}
