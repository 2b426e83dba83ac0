// The SAT engine judged against the published solutions, the shape search and brute force.
#include "model/Impostazione.h"
#include "sat/MotoreSat.h"
#include "sat/Taglio.h"
#include "solver/Regole.h"
#include "solver/Tessere.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

using namespace isolmar;
using namespace isolmar::prova;

namespace {

// A board as one string, row after row.
std::string Unisci(const Tavola& t) {
    std::string s;
    for (const std::string& r : t)
        s += r;
    return s;
}

struct Banco : BancoRisolutore {
    using BancoRisolutore::BancoRisolutore;
    // Up to n solutions of either engine, as R x C strings of '1' and '0'. The shape search
    // stops after 20000 attempts (TempoScaduto).
    std::set<std::string> Soluzioni(Motore motore, int n) {
        if (motore == Motore::Sat) {
            RisolviConSat(*m, p, n);
        } else {
            p.Sorveglia([this] { return m->NumProve > 20000; }, m->TempoScaduto, 1);
            m->NumProve = 0;
            EXPECT_TRUE(s.SoluzioneStart(static_cast<uint8_t>(n)));
            p.DopoCessioni(-1, nullptr);
        }
        std::set<std::string> tutte;
        for (int k = 1; k <= m->NumSol; ++k)
            tutte.insert(Unisci(TavolaDaTblsol(*m, k)));
        return tutte;
    }
};

// Both engines find as many solutions, up to three: the same ones when there are fewer (the
// engines find them in different orders; the SAT engine's order follows the clues' order, which
// the shape search sorts), valid ones otherwise. False when the shape search ran out of attempts.
bool Concordano(const Schema& s) {
    Banco b(s);
    const auto forme = b.Soluzioni(Motore::Forme, 3);
    if (b.m->TempoScaduto == 1) return false;
    const auto sat = b.Soluzioni(Motore::Sat, 3);
    const RisultatoSat r = RisolviSat(s, {3, {}, {}, {}});
    std::set<std::string> diretta(r.Soluzioni.begin(), r.Soluzioni.end());
    EXPECT_EQ(sat.size(), forme.size());
    EXPECT_EQ(diretta.size(), forme.size());
    if (forme.size() < 3) {
        EXPECT_EQ(sat, forme);
        EXPECT_EQ(diretta, forme);
    }
    diretta.insert(sat.begin(), sat.end());
    for (const std::string& t : diretta) {
        Tavola righe;
        for (int i = 0; i < s.Righe; ++i)
            righe.push_back(t.substr(static_cast<size_t>(i) * s.Colonne, s.Colonne));
        EXPECT_EQ(ControllaRegole(s, righe), "");
    }
    EXPECT_EQ(r.Esito, forme.empty()       ? EsitoSat::Nessuna
                       : forme.size() == 1 ? EsitoSat::Una
                                           : EsitoSat::Piu);
    return true;
}

} // namespace

TEST(Sat, PuzzlesBeyondTheShapesAreSolvedAndUnique) {
    // The largest stay out of the sanitizer build, where they take minutes.
#ifdef ISOLMAR_SANITIZE
    const std::set<std::string> lenti{"janko-0460", "janko-0680", "janko-0690",
                                      "janko-0721", "janko-0789", "janko-0261"};
#else
    const std::set<std::string> lenti{"janko-0690"};
#endif
    const auto tutti = PuzzleOltre();
    ASSERT_EQ(tutti.size(), 29u);
    for (const Pubblicato& p : tutti) {
        if (lenti.count(p.Nome)) continue;
        SCOPED_TRACE(p.Nome);
        // Clues up to 9 are the shape search's whatever the island count.
        const bool grandi = std::any_of(p.S.Isole.begin(), p.S.Isole.end(),
                                        [](const Indizio& i) { return i.Num > MaxNum; });
        EXPECT_EQ(OltreLeForme(p.S).empty(), !grandi);
        // Both encodings: islands up to 9 cells built connected, and every island.
        for (int connesse : {9, 10000}) {
            const RisultatoSat r = RisolviSat(p.S, {2, {}, {}, {}, connesse});
            EXPECT_EQ(r.Esito, EsitoSat::Una) << connesse;
            ASSERT_EQ(r.Soluzioni.size(), 1u) << connesse;
            EXPECT_EQ(r.Soluzioni[0], Unisci(p.Soluzione)) << connesse;
        }
    }
}

TEST(Sat, AgreesWithTheShapeSearchOnPublishedPuzzles) {
    auto tutti = PuzzlePubblicati();
    for (auto& x : PuzzleDifficili())
        tutti.push_back(std::move(x));
    ASSERT_GT(tutti.size(), 40u);
    size_t confronti = 0;
    for (const Pubblicato& p : tutti) {
        SCOPED_TRACE(p.Nome);
        confronti += Concordano(p.S);
        // Without one clue: usually several solutions.
        Schema meno = p.S;
        meno.Isole.erase(meno.Isole.begin() + static_cast<long>(meno.Isole.size() / 2));
        confronti += Concordano(meno);
    }
    EXPECT_GT(confronti, tutti.size()); // most within the shape search's attempts
}

TEST(Sat, AgreesWithTheShapeSearchOnRandomBoards) {
    std::mt19937 gen(20261209);
    for (int i = 0; i < 150; ++i) {
        Schema s{4 + static_cast<int>(gen() % 4), 4 + static_cast<int>(gen() % 4), {}};
        const int n = 2 + static_cast<int>(gen() % 5);
        for (int j = 0; j < n; ++j) {
            const int r = 1 + static_cast<int>(gen() % s.Righe);
            const int c = 1 + static_cast<int>(gen() % s.Colonne);
            if (std::none_of(s.Isole.begin(), s.Isole.end(),
                             [&](const Indizio& d) { return d.Riga == r && d.Colonna == c; }))
                s.Isole.push_back({1 + static_cast<int>(gen() % 6), r, c});
        }
        SCOPED_TRACE(i);
        EXPECT_TRUE(Concordano(s));
    }
}

// The player's marks: right ones keep the solution, a wrong one leaves none; through the model
// (TblGioco) and directly.
TEST(Sat, FixedCells) {
    const Pubblicato p = PuzzlePubblicati().front();
    const std::string sol = Unisci(p.Soluzione);
    const size_t muro = sol.find('0'), isola = sol.rfind('1');
    const struct {
        std::vector<std::pair<size_t, int8_t>> segni;
        EsitoSat atteso;
    } casi[] = {{{}, EsitoSat::Una},
                {{{muro, 0}, {isola, 1}}, EsitoSat::Una},
                {{{muro, 1}}, EsitoSat::Nessuna},
                {{{isola, 0}}, EsitoSat::Nessuna}};
    for (const auto& c : casi) {
        SCOPED_TRACE(&c - casi);
        OpzioniSat o{2, std::vector<int8_t>(sol.size(), -1), {}, {}};
        Banco b(p.S);
        for (auto [v, x] : c.segni) {
            o.Fisse[v] = x;
            b.m->TblGioco(static_cast<int>(v) / p.S.Colonne + 1,
                          static_cast<int>(v) % p.S.Colonne + 1) = x == 1 ? 1 : 2;
        }
        const RisultatoSat r = RisolviSat(p.S, o);
        EXPECT_EQ(r.Esito, c.atteso);
        EXPECT_EQ(RisolviConSat(*b.m, b.p, 2, true).Esito, c.atteso);
        EXPECT_EQ(b.m->NumSol, c.atteso == EsitoSat::Una ? 1 : 0);
        if (c.atteso == EsitoSat::Una) {
            EXPECT_EQ(r.Soluzioni[0], sol);
        }
    }
}

// Projection on islands: as many solutions as distinct cell sets of those islands among all
// solutions, each set once.
TEST(Sat, ProjectionCountsConfigurationsOfTheChosenIslands) {
    // Random boards with 3 to 400 solutions.
    std::mt19937 gen(7);
    for (int trovati = 0; trovati < 4;) {
        Schema s{5, 5, {}};
        for (int j = 0; j < 4; ++j) {
            const int r = 1 + static_cast<int>(gen() % 5), c = 1 + static_cast<int>(gen() % 5);
            if (std::none_of(s.Isole.begin(), s.Isole.end(),
                             [&](const Indizio& d) { return d.Riga == r && d.Colonna == c; }))
                s.Isole.push_back({1 + static_cast<int>(gen() % 5), r, c});
        }
        const RisultatoSat tutte = RisolviSat(s, {400, {}, {}, {}});
        if (tutte.Soluzioni.size() < 3 || tutte.Soluzioni.size() >= 400) continue;
        SCOPED_TRACE(trovati++);
        for (const std::vector<int>& proiezione : {std::vector<int>{0}, std::vector<int>{0, 1}}) {
            // The cells of the chosen islands: the island cells joined to their clues.
            auto celle = [&](const std::string& sol) {
                std::string marchi(sol.size(), '0');
                for (int k : proiezione) {
                    std::vector<int> coda{(s.Isole[k].Riga - 1) * s.Colonne + s.Isole[k].Colonna -
                                          1};
                    marchi[coda[0]] = '1';
                    for (size_t i = 0; i < coda.size(); ++i) {
                        const int v = coda[i], r = v / s.Colonne, c = v % s.Colonne;
                        for (int u :
                             {r > 0 ? v - s.Colonne : -1, r + 1 < s.Righe ? v + s.Colonne : -1,
                              c > 0 ? v - 1 : -1, c + 1 < s.Colonne ? v + 1 : -1})
                            if (u >= 0 && sol[u] == '1' && marchi[u] == '0') {
                                marchi[u] = '1';
                                coda.push_back(u);
                            }
                    }
                }
                return marchi;
            };
            std::set<std::string> attese, trovate;
            for (const std::string& sol : tutte.Soluzioni)
                attese.insert(celle(sol));
            const RisultatoSat r = RisolviSat(s, {5000, {}, proiezione, {}});
            for (const std::string& sol : r.Soluzioni)
                EXPECT_TRUE(trovate.insert(celle(sol)).second);
            EXPECT_EQ(trovate, attese);
        }
    }
}

// The stop callback ends the run after the polls it allows, directly and through the model's
// yield (Esc).
TEST(Sat, StopCallbackInterrupts) {
    const auto oltre = PuzzleOltre();
    const Pubblicato& p = *std::find_if(oltre.begin(), oltre.end(),
                                        [](const Pubblicato& x) { return x.Nome == "janko-0460"; });
    for (int consentite : {0, 1, 5}) {
        int chiamate = 0;
        const RisultatoSat r =
            RisolviSat(p.S, {2, {}, {}, [&] { return chiamate++ >= consentite; }});
        EXPECT_EQ(r.Esito, EsitoSat::Interrotta);
        EXPECT_LE(chiamate, consentite + 2);
    }
    Banco b(PuzzleDifficili().front().S);
    b.p.DopoCessioni(0, [&] { b.m->TempoScaduto = 1; });
    EXPECT_EQ(RisolviConSat(*b.m, b.p, 2).Esito, EsitoSat::Interrotta);
    EXPECT_EQ(b.m->NumSol, 0);
    EXPECT_EQ(b.m->TempoScaduto, 1);
}

// Separators on small grids: 'S' sources, 'T' sinks, '.' cuttable, 'o' passable, '#' outside.
TEST(Sat, MinimumSeparators) {
    const struct {
        std::vector<std::string> griglia;
        int misura; // -1: no separator
    } casi[] = {
        {{"S..T"}, 1},
        {{"S...", "....", "...T"}, 2},
        {{"S.#T", "..#."}, 0},
        {{"SoT"}, -1},
        {{"S.o.T", "#.#.#"}, 1},
        {{"TTTTT", ".....", ".....", "..S.."}, 3},
        {{"T....", ".....", "..S..", ".....", "....."}, 2},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(&c - casi);
        const int R = static_cast<int>(c.griglia.size()), C = static_cast<int>(c.griglia[0].size());
        std::vector<uint8_t> ruolo;
        for (const std::string& riga : c.griglia)
            for (char x : riga)
                ruolo.push_back(x == 'S'   ? Separatore::Sorgente
                                : x == 'T' ? Separatore::Pozzo
                                : x == '.' ? Separatore::Tagliabile
                                : x == 'o' ? Separatore::Passante
                                           : Separatore::Fuori);
        Separatore sep(R, C);
        std::vector<int> taglio;
        ASSERT_EQ(sep.Minimo(ruolo, taglio), c.misura >= 0);
        if (c.misura < 0) continue;
        EXPECT_EQ(static_cast<int>(taglio.size()), c.misura);
        // Without the separator no sink is reached.
        for (int v : taglio)
            ruolo[v] = Separatore::Fuori;
        std::vector<int> coda;
        std::vector<char> visto(ruolo.size(), 0);
        for (int v = 0; v < R * C; ++v)
            if (ruolo[v] == Separatore::Sorgente) coda.push_back(v), visto[v] = 1;
        for (size_t i = 0; i < coda.size(); ++i) {
            const int v = coda[i];
            EXPECT_NE(ruolo[v], Separatore::Pozzo);
            for (int u : {v - C, v + C, v % C ? v - 1 : -1, (v + 1) % C ? v + 1 : -1})
                if (u >= 0 && u < R * C && !visto[u] && ruolo[u] != Separatore::Fuori)
                    coda.push_back(u), visto[u] = 1;
        }
    }
}
