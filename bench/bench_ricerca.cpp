// Time of a complete search (SoluzioneStart(2): first solution, then proof that it is the only
// one) on the hard published puzzles (one run each), the published puzzles and on puzzles of our
// own of sizes 5x5 to 30x30. Each run reports the attempts (NumProve), the solutions found and
// whether the time budget ran out.
#include "model/Impostazione.h"
#include "solver/Regole.h"
#include "solver/Risolutore.h"
#include "solver/Tessere.h"
#include "view/PiattaformaHeadless.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

using namespace isolmar;
using namespace isolmar::prova;

namespace {

using Banco = BancoRisolutore;

Banco& BancoComune() {
    static Banco b = [] {
        Banco x;
        GeneraTessere(*x.m, 7);
        return x;
    }();
    return b;
}

// A search still running after this many seconds is stopped as Esc would stop it.
constexpr double Budget = 10.0;

// With the deductions before the search (deduzioni) and the hypotheses during it (ipotesi).
void Risolvi(benchmark::State& stato, const Schema& schema, bool deduzioni = true,
             bool ipotesi = true) {
    Banco& b = BancoComune();
    b.s.Deduzioni = deduzioni;
    static const int livelli = b.s.LivelliIpotesi; // the default, read before any change
    b.s.LivelliIpotesi = ipotesi ? livelli : 0;
    for (auto _ : stato) {
        ApplicaSchema(*b.m, schema);
        VerificaTutteTessere(*b.m, b.p);
        InizializzaSchema(*b.m, b.Gr, b.p);
        b.m->NumProve = 0;
        b.p.LimiteSecondi(Budget, b.m->TempoScaduto, 10000); // the clock every 10000 attempts
        b.s.SoluzioneStart(2);
    }
    stato.counters["NumProve"] = static_cast<double>(b.m->NumProve);
    stato.counters["NumSol"] = b.m->NumSol;
    stato.counters["Interrotta"] = b.m->TempoScaduto;
    stato.counters["Escluse"] = b.s.Escluse(); // placements the deductions ruled out
}

// A puzzle of our own: one wall grown cell by cell from a random cell, always inside the largest
// open zone and never closing a 2x2 block, until every zone has at most 9 cells; each zone is an
// island with its clue on a random cell. The board is valid by construction; the puzzle may have
// more than one solution. Empty when the zones end up more than the model holds.
Schema Nostro(int R, int C, unsigned seme) {
    std::mt19937 gen(seme);
    std::vector<char> muro(static_cast<size_t>(R * C), 0);
    auto m = [&](int r, int c) -> char& { return muro[static_cast<size_t>(r * C + c)]; };
    auto dentro = [&](int r, int c) { return r >= 0 && r < R && c >= 0 && c < C; };
    auto muroIn = [&](int r, int c) { return dentro(r, c) && m(r, c); };
    const int dr[4] = {-1, 1, 0, 0}, dc[4] = {0, 0, -1, 1};
    auto chiude2x2 = [&](int r, int c) {
        for (int a = -1; a <= 0; ++a)
            for (int b = -1; b <= 0; ++b) {
                int n = 0;
                for (int k = 0; k < 4; ++k) {
                    const int rr = r + a + k / 2, cc = c + b + k % 2;
                    n += (rr == r && cc == c) || muroIn(rr, cc);
                }
                if (n == 4) return true;
            }
        return false;
    };
    std::vector<int> zona(muro.size());
    std::vector<std::vector<int>> zone;
    auto trovaZone = [&] {
        zone.clear();
        std::fill(zona.begin(), zona.end(), -1);
        for (int k = 0; k < R * C; ++k) {
            if (muro[static_cast<size_t>(k)] || zona[static_cast<size_t>(k)] >= 0) continue;
            zone.emplace_back();
            std::vector<int> pila{k};
            zona[static_cast<size_t>(k)] = static_cast<int>(zone.size()) - 1;
            while (!pila.empty()) {
                const int x = pila.back();
                pila.pop_back();
                zone.back().push_back(x);
                for (int v = 0; v < 4; ++v) {
                    const int r = x / C + dr[v], c = x % C + dc[v];
                    if (dentro(r, c) && !m(r, c) && zona[static_cast<size_t>(r * C + c)] < 0) {
                        zona[static_cast<size_t>(r * C + c)] = zona[static_cast<size_t>(k)];
                        pila.push_back(r * C + c);
                    }
                }
            }
        }
    };
    m(static_cast<int>(gen() % R), static_cast<int>(gen() % C)) = 1;
    for (;;) {
        trovaZone();
        size_t grande = 0;
        for (size_t z = 1; z < zone.size(); ++z)
            if (zone[z].size() > zone[grande].size()) grande = z;
        if (zone.empty() || zone[grande].size() <= MaxNum) break;
        std::vector<int> candidate;
        for (int x : zone[grande]) {
            const int r = x / C, c = x % C;
            bool accanto = false;
            for (int v = 0; v < 4; ++v)
                accanto |= muroIn(r + dr[v], c + dc[v]);
            if (accanto && !chiude2x2(r, c)) candidate.push_back(x);
        }
        if (candidate.empty()) return {};
        muro[static_cast<size_t>(candidate[gen() % candidate.size()])] = 1;
    }
    if (zone.size() > MaxEle) return {};
    Schema s{R, C, {}};
    for (const auto& z : zone) {
        const int x = z[gen() % z.size()];
        s.Isole.push_back({static_cast<int>(z.size()), x / C + 1, x % C + 1});
    }
    return s;
}

} // namespace

int main(int argc, char** argv) {
    for (const auto& x : PuzzleDifficili())
        benchmark::RegisterBenchmark(("Difficile/" + x.Nome + "/" + std::to_string(x.S.Righe) +
                                      "x" + std::to_string(x.S.Colonne))
                                         .c_str(),
                                     [s = x.S](benchmark::State& st) { Risolvi(st, s); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    // The hard ones again without the hypotheses during the search.
    for (const auto& x : PuzzleDifficili())
        benchmark::RegisterBenchmark(
            ("SenzaIpotesi/" + x.Nome).c_str(),
            [s = x.S](benchmark::State& st) { Risolvi(st, s, true, false); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    for (const auto& x : PuzzlePubblicati())
        benchmark::RegisterBenchmark(("Pubblicato/" + x.Nome + "/" + std::to_string(x.S.Righe) +
                                      "x" + std::to_string(x.S.Colonne))
                                         .c_str(),
                                     [s = x.S](benchmark::State& st) { Risolvi(st, s); })
            ->Unit(benchmark::kMillisecond);
    // The published ones again with the plain search, for comparison.
    for (const auto& x : PuzzlePubblicati())
        benchmark::RegisterBenchmark(
            ("SenzaDeduzioni/" + x.Nome).c_str(),
            [s = x.S](benchmark::State& st) { Risolvi(st, s, false, false); })
            ->Unit(benchmark::kMillisecond);
    for (int lato : {5, 8, 10, 12, 15, 20, 30}) {
        Schema s;
        for (unsigned seme = 1; s.Isole.empty() && seme <= 500; ++seme)
            s = Nostro(lato, lato, seme);
        if (s.Isole.empty()) continue;
        benchmark::RegisterBenchmark(
            ("Nostro/" + std::to_string(lato) + "x" + std::to_string(lato)).c_str(),
            [s](benchmark::State& st) { Risolvi(st, s); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
