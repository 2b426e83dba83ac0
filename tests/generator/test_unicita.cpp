// The second-solution repair, the clue-position search and the developer commands.
#include "Banco.h"

#include <set>

using namespace isolmar;
using namespace isolmar::prova;
using Candidato = Generatore::Candidato;
using Candidati = std::vector<Candidato>;

namespace {

Candidati Lista(const Generatore& g, int livello) {
    const auto s = g.ElencoCandidati(livello);
    return {s.begin(), s.end()};
}

// The candidates of a level recomputed from its n stored solutions, comparing cell sets: for
// each pair, the cells of the first differing island that it holds in one solution only.
Candidati Attesi(const Modello& m, int L, int n, int* isoleDiverse = nullptr,
                 int* ripetuti = nullptr) {
    Candidati v;
    for (int s1 = 1; s1 < n; ++s1)
        for (int s2 = s1 + 1; s2 <= n; ++s2) {
            int k = 0, diverse = 0;
            for (int i = m.NumEle; i >= 1; --i)
                if (CelleIsola(m, m.EleSol[L][s1][i]) != CelleIsola(m, m.EleSol[L][s2][i]))
                    k = i, ++diverse;
            if (isoleDiverse) *isoleDiverse = std::max(*isoleDiverse, diverse);
            if (k == 0) continue;
            const Isola& e = m.EleSol[L][s1][k];
            const auto a = CelleIsola(m, e), b = CelleIsola(m, m.EleSol[L][s2][k]);
            for (int r = 1; r <= m.NumRighe; ++r)
                for (int c = 1; c <= m.NumColonne; ++c) {
                    const std::pair<int, int> x{r, c};
                    if (x == std::pair<int, int>{e.Riga, e.Colonna} || a.count(x) == b.count(x))
                        continue;
                    const Candidato nuovo{uint8_t(k), uint8_t(r), uint8_t(c), uint8_t(e.Num)};
                    if (std::find(v.begin(), v.end(), nuovo) == v.end())
                        v.push_back(nuovo);
                    else if (ripetuti)
                        ++*ripetuti;
                }
        }
    return v;
}

// A layout of the generator from the next random numbers; false when it was not accepted.
bool Disposizione(Banco& b) {
    const int celle = b.m->NumRighe * b.m->NumColonne;
    b.g.PosaMuroIniziale(static_cast<int>(b.g.GeneraCasuale(celle)));
    if (b.g.CreaPartizione() != Generatore::EsitoPartizione::Accettata) return false;
    b.g.AssegnaIsole();
    VerificaTutteTessere(*b.m, b.p);
    InizializzaSchema(*b.m, b.Gr, b.p);
    return true;
}

struct PiattaformaCheAvanza : PiattaformaHeadless {
    double passo = 0;
    void Cedi() override {
        PiattaformaHeadless::Cedi();
        AvanzaOrologio(passo);
    }
};

} // namespace

TEST(CercaSu2, AUniquePuzzleIsAcceptedWithoutMovingAClue) {
    Banco b;
    b.Carica(Schema{5, 5, {{6, 4, 3}, {2, 1, 1}, {1, 3, 1}}});
    const std::string prima = Testo(*b.m);
    b.g.CercaSu2Start();
    EXPECT_EQ(b.m->NumSol, 1);
    EXPECT_EQ(Testo(*b.m), prima) << "not even sorted";
    EXPECT_EQ(b.m->Livello, 1);
    EXPECT_TRUE(b.g.ElencoCandidati(1).empty());
}

TEST(CercaSu2, DepthTimeAndEscLimitsOnATwoByTwo) {
    // A clue of 2 in a 2 x 2 grid has two solutions wherever it is: the repair always fails
    // and gives back the clue it was given.
    auto ripara = [](int maxLivello, int secSu2, double passo, long esc = -1) {
        auto b = std::make_unique<BancoGen<PiattaformaCheAvanza>>();
        b->Carica(Schema{2, 2, {{2, 1, 1}}});
        b->m->MaxLivello = static_cast<int16_t>(maxLivello);
        b->m->SecSu2 = static_cast<int16_t>(secSu2);
        b->p.passo = passo;
        if (esc >= 0) b->p.DopoCessioni(esc, [m = b->m.get()] { m->TempoScaduto = 1; });
        b->g.CercaSu2Start();
        EXPECT_EQ(Testo(*b->m), "2x2 2@1,1");
        EXPECT_EQ(b->m->Livello, 1);
        return b;
    };
    // The vertical domino is found first: (2,1) only in solution 1, (1,2) only in solution 2.
    auto b = ripara(1, 30, 0);
    EXPECT_EQ(b->m->NumSol, 2);
    EXPECT_EQ(Lista(b->g, 1), (Candidati{{1, 1, 2, 2}, {1, 2, 1, 2}}));
    EXPECT_EQ(b->m->TblVisitate(1, 1), 0) << "the clue cell is never counted";
    EXPECT_TRUE(b->g.ElencoCandidati(2).empty()) << "level 2 is beyond MaxLivello";
    // Only the first solve; time has passed; no time has passed; Esc.
    EXPECT_TRUE(ripara(0, 30, 0)->g.ElencoCandidati(1).empty());
    EXPECT_TRUE(ripara(4, 0, 0.001)->g.ElencoCandidati(1).empty());
    EXPECT_EQ(ripara(4, 0, 0)->g.ElencoCandidati(1).size(), 2u);
    EXPECT_EQ(ripara(4, 30, 0, 6)->m->NumSol, 0);
}

// The first level's candidates are the cells of the first differing island that it holds in
// one solution only, each cell once however many pairs show it; a failed repair gives back the
// clues it was given. (Repaired puzzles are judged with every generated one.)
TEST(CercaSu2, RepairOfGeneratedLayouts) {
    Banco b;
    Modello& m = *b.m;
    int confrontati = 0, conPiuIsoleDiverse = 0, terne = 0, ripetuti = 0;
    for (int prova = 1; prova <= 150; ++prova) {
        SCOPED_TRACE(prova);
        m.NumRighe = m.NumColonne = static_cast<uint8_t>(6 + prova % 3);
        DimensionaTabelle(m);
        if (!Disposizione(b)) continue;
        if (prova % 4 == 0) { // three solutions compared pairwise, one level deep
            ASSERT_TRUE(b.s.SoluzioneStart(3));
            if (m.NumSol < 3) continue;
            ++terne;
            const int16_t maxLivello = m.MaxLivello;
            m.MaxLivello = 1;
            m.RicercaFinita = Falso;
            m.TempoInizioRicerca = b.p.Orologio();
            m.Livello = 1;
            const Candidati attesi = Attesi(m, 1, 3, nullptr, &ripetuti);
            b.g.CercaSu2();
            EXPECT_EQ(Lista(b.g, 1), attesi);
            m.MaxLivello = maxLivello;
            continue;
        }
        const std::string dato = Testo(m);
        // Without remembering the layouts it met, the repair ends at the same puzzle.
        const auto isole = m.Ele;
        b.g.RicordaSchemi = false;
        b.g.CercaSu2Start();
        const std::string senza = Testo(m);
        m.Ele = isole;
        InizializzaSchema(m, b.Gr, b.p);
        b.g.RicordaSchemi = true;
        const int subito = b.g.Statistica().UnicheSubito;
        b.g.CercaSu2Start();
        EXPECT_EQ(Testo(m), senza);
        if (b.g.Statistica().UnicheSubito == subito) { // the first solve found two
            ++confrontati;
            int diverse = 0;
            EXPECT_EQ(Lista(b.g, 1), Attesi(m, 1, 2, &diverse));
            conPiuIsoleDiverse += diverse > 1;
        }
        if (m.NumSol != 1) {
            EXPECT_EQ(Testo(m), dato);
        }
    }
    EXPECT_GT(confrontati, 30);
    EXPECT_GT(conPiuIsoleDiverse, 5) << "later differing islands were present and ignored";
    EXPECT_GE(terne, 5);
    EXPECT_GT(ripetuti, 0) << "some cell came up in more than one pair";
    EXPECT_GT(b.g.Statistica().SoluzioniRiusate, 0);
    EXPECT_GT(b.g.Statistica().RamiRisparmiati, 0);
}

namespace {
// Records island 1's clue at every combination and moves the clock per combination.
struct PiattaformaFoglie : PiattaformaHeadless {
    const Modello* m = nullptr;
    double passo = 0;
    std::vector<std::pair<int, int>> indizi;
    void Cedi() override {
        PiattaformaHeadless::Cedi();
        if (m->ContaFoglie == static_cast<int>(indizi.size())) return;
        indizi.push_back({m->Ele[1].Riga, m->Ele[1].Colonna});
        AvanzaOrologio(passo);
    }
};
struct BancoFoglie : BancoGen<PiattaformaFoglie> {
    BancoFoglie() { p.m = m.get(); }
    // Two single-cell zones side by side (islands without placements), then three zones of
    // five cells: 125 combinations without a solution, each found out at once.
    void ZoneSenzaSoluzione() {
        m->NumRighe = m->NumColonne = 8;
        DimensionaTabelle(*m);
        m->NumZone = m->NumEle = 5;
        m->Zone.resize(6);
        for (int k = 1; k <= 5; ++k) {
            Modello::Zona& z = m->Zone[k];
            z.NumCelle = k <= 2 ? 1 : 5;
            for (int i = 1; i <= z.NumCelle; ++i) {
                z.CellaRiga[i] = static_cast<uint8_t>(k <= 2 ? 1 : 2 * k - 2);
                z.CellaColonna[i] = static_cast<uint8_t>(k <= 2 ? k : i + 1);
            }
        }
    }
};
} // namespace

TEST(CercaSolunica, ASingleZoneTriesItsCellsInZoneOrder) {
    BancoFoglie b;
    b.m->NumRighe = b.m->NumColonne = 2;
    DimensionaTabelle(*b.m);
    b.g.PosaMuroIniziale(1);
    ASSERT_EQ(b.g.CreaPartizione(), Generatore::EsitoPartizione::Accettata);
    b.g.AssegnaIsole();
    b.g.CommandRipetiSoloUn_Click();
    EXPECT_EQ(b.p.indizi, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}, {2, 1}}));
    EXPECT_FALSE(b.m->RicercaFinita);
    EXPECT_EQ(Testo(*b.m), "2x2 3@2,1") << "the last combination stays";
    EXPECT_EQ(b.m->TblSchema(2, 1), 1);
}

TEST(CercaSolunica, FindsAUniqueCombinationOfAGeneratedLayout) {
    Banco b(5, 5);
    int trovati = 0;
    for (int seme = 1; seme <= 12; ++seme) {
        ASSERT_TRUE(Disposizione(b));
        b.g.CercaSoluzioneUnicaStart();
        EXPECT_FALSE(b.m->RicercaInterrotta);
        if (!b.m->RicercaFinita) continue;
        ++trovati;
        ASSERT_TRUE(b.s.SoluzioneStart(2));
        EXPECT_EQ(b.m->NumSol, 1);
    }
    EXPECT_GT(trovati, 6);
}

TEST(CercaSolunica, TimeLimitsAndEscAbort) {
    struct Caso {
        double passo;
        int secSolunica, esc, foglie;
        bool interrotta;
    };
    // 100 combinations in more than 30 s abort; in less, all 125 run; one slow solve or Esc
    // aborts at once.
    for (const Caso& x : {Caso{0.31, 5, -1, 100, true}, Caso{0.29, 5, -1, 125, false},
                          Caso{1.5, 1, -1, 1, true}, Caso{0, 5, 0, 1, true}}) {
        BancoFoglie b;
        b.ZoneSenzaSoluzione();
        b.p.passo = x.passo;
        b.m->SecSolunica = static_cast<int16_t>(x.secSolunica);
        if (x.esc >= 0) b.p.DopoCessioni(x.esc, [&] { b.m->TempoScaduto = 1; });
        b.g.CommandRipetiSoloUn_Click();
        EXPECT_EQ(b.m->ContaFoglie, x.foglie) << x.passo;
        EXPECT_EQ(b.m->RicercaInterrotta, x.interrotta ? Vero : Falso) << x.passo;
        EXPECT_EQ(b.m->RicercaFinita, b.m->RicercaInterrotta) << x.passo;
    }
    // Zones left from another puzzle are not used.
    BancoFoglie b;
    b.ZoneSenzaSoluzione();
    b.Carica(Schema{8, 8, {{1, 1, 1}, {2, 5, 5}}});
    b.g.CommandRipetiSoloUn_Click();
    EXPECT_EQ(b.m->ContaFoglie, 0);
    EXPECT_EQ(Testo(*b.m), "8x8 1@1,1 2@5,5");
}

TEST(ComandiSviluppo, MaxProfAcceptsZeroToEight) {
    for (auto [risposta, atteso] : std::vector<std::pair<std::string, int>>{
             {"3", 3}, {"8 livelli", 8}, {"abc", 0}, {"", 0}, {"9", 5}, {"-1", 5}}) {
        Banco b;
        b.m->MaxLivello = 5;
        b.p.RisposteInput = {risposta};
        b.g.CommandMaxProf_Click();
        EXPECT_EQ(b.p.Domande, std::vector<std::string>{"maxprof"});
        EXPECT_EQ(b.m->MaxLivello, atteso) << risposta;
        EXPECT_EQ(b.p.Messaggi.size(), atteso == 5 ? 1u : 0u) << risposta;
    }
}
