// The generate command with default settings on square grids of 8 to 15: seconds per unique
// puzzle (median and 90th percentile over 20 seeds), attempts per puzzle, and the share of the
// uniqueness repairs that ended with one solution.
#include "generator/Generatore.h"
#include "model/Impostazione.h"
#include "solver/Tessere.h"
#include "view/PiattaformaHeadless.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

using namespace isolmar;

namespace {

constexpr int Semi = 20;

struct Banco {
    std::unique_ptr<Modello> m = NuovoModello();
    Griglia Gr;
    PiattaformaHeadless p;
    Risolutore s{*m, Gr, p};
    Generatore g{*m, Gr, p, s};
    Banco() { GeneraTessere(*m, 7); }
};

double Percentile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    const double pos = q * static_cast<double>(v.size() - 1);
    const size_t i = static_cast<size_t>(pos);
    if (i + 1 >= v.size()) return v.back();
    return v[i] + (v[i + 1] - v[i]) * (pos - static_cast<double>(i));
}

void Genera(benchmark::State& stato, int lato) {
    Banco b;
    std::vector<double> secondi;
    double tentativi = 0, riparazioni = 0, riuscite = 0, subito = 0, uniche = 0;
    for (auto _ : stato) {
        for (int seme = 1; seme <= Semi; ++seme) {
            Modello& m = *b.m;
            m.NumRighe = m.NumColonne = static_cast<uint8_t>(lato);
            DimensionaTabelle(m);
            m.DimMaxIsola = 4;
            m.DimIsolaGrande = 4;
            m.MaxIsoleGrandi = 6;
            b.g.ImpostaSeme(static_cast<uint64_t>(seme));
            const auto t0 = std::chrono::steady_clock::now();
            b.g.Genera();
            secondi.push_back(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
            const auto& x = b.g.Statistica();
            tentativi += x.Tentativi;
            riparazioni += x.Riparazioni;
            riuscite += x.Riuscite;
            subito += x.UnicheSubito;
            uniche += m.NumSol == 1;
        }
    }
    const double n = static_cast<double>(secondi.size());
    stato.counters["s_mediana"] = Percentile(secondi, 0.5);
    stato.counters["s_p90"] = Percentile(secondi, 0.9);
    stato.counters["tentativi"] = tentativi / n;
    stato.counters["riparazioni_riuscite"] = riparazioni > 0 ? riuscite / riparazioni : 0;
    stato.counters["uniche_subito"] = riparazioni > 0 ? subito / riparazioni : 0;
    stato.counters["uniche"] = uniche / n;
}

} // namespace

BENCHMARK_CAPTURE(Genera, 8x8, 8)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Genera, 10x10, 10)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Genera, 12x12, 12)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Genera, 15x15, 15)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
