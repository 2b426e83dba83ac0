// The SAT engine: solving and proving unique (2 solutions asked) every puzzle beyond the shape
// search (tests/dati/oltre, one run each), and side by side with the shape search on the
// published and hard puzzles. Each run reports conflicts, cuts, solutions, whether the budget
// stopped it, and the process's peak resident memory so far (MB).
#include "model/Impostazione.h"
#include "sat/MotoreSat.h"
#include "solver/Regole.h"
#include "solver/Tessere.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>

using namespace isolmar;
using namespace isolmar::prova;

namespace {

constexpr double Budget = 60.0; // seconds; a run still going is stopped

double PiccoMB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

void Sat(benchmark::State& stato, const Schema& s) {
    RisultatoSat r;
    for (auto _ : stato) {
        const auto t0 = std::chrono::steady_clock::now();
        r = RisolviSat(s, {2, {}, {}, [t0] {
                               return std::chrono::steady_clock::now() - t0 >
                                      std::chrono::duration<double>(Budget);
                           }});
    }
    stato.counters["Conflitti"] = static_cast<double>(r.Conflitti);
    stato.counters["Tagli"] = static_cast<double>(r.Tagli);
    stato.counters["NumSol"] = static_cast<double>(r.Soluzioni.size());
    stato.counters["Interrotta"] = r.Esito == EsitoSat::Interrotta;
    stato.counters["PiccoMB"] = PiccoMB();
}

void Forme(benchmark::State& stato, const Schema& s) {
    static BancoRisolutore b = [] {
        BancoRisolutore x;
        GeneraTessere(*x.m, 7);
        return x;
    }();
    for (auto _ : stato) {
        ApplicaSchema(*b.m, s);
        VerificaTutteTessere(*b.m, b.p);
        InizializzaSchema(*b.m, b.Gr, b.p);
        b.p.LimiteSecondi(Budget, b.m->TempoScaduto, 10000);
        b.s.SoluzioneStart(2);
    }
    stato.counters["NumSol"] = b.m->NumSol;
    stato.counters["Interrotta"] = b.m->TempoScaduto;
}

} // namespace

int main(int argc, char** argv) {
    for (const Pubblicato& p : PuzzleOltre())
        benchmark::RegisterBenchmark(("Oltre/" + p.Nome).c_str(), Sat, p.S)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    auto tutti = PuzzlePubblicati();
    for (auto& x : PuzzleDifficili())
        tutti.push_back(std::move(x));
    for (const Pubblicato& p : tutti) {
        benchmark::RegisterBenchmark(("Forme/" + p.Nome).c_str(), Forme, p.S)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Sat/" + p.Nome).c_str(), Sat, p.S)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
