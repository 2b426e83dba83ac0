// Rating of every published puzzle, as "Valuta" (stops after level 2) and as the full run of
// "Mostra" (all five levels, nothing shown). Each run reports the level and the cells decided.
#include "explain/Spiegazione.h"
#include "ui/Form1.h"
#include "view/PiattaformaHeadless.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

using namespace isolmar;

namespace {

void Valuta(benchmark::State& stato, const std::string& percorso, bool completa) {
    PiattaformaHeadless p;
    auto f = std::make_unique<Form1>(p);
    f->Form_Load();
    f->Form_Activate();
    if (!f->ApriFile(percorso)) {
        stato.SkipWithError("file non valido");
        return;
    }
    for (auto _ : stato) {
        RelatoreMuto muto;
        f->Spieg.EseguiLog(muto, !completa);
    }
    stato.counters["livello"] = f->Spieg.LivelloLog;
    stato.counters["decise"] = f->Spieg.CelleDecise();
    stato.counters["celle"] = f->m.NumRighe * f->m.NumColonne;
}

const bool registrati = [] {
    for (const auto& e : std::filesystem::directory_iterator(ISOLMAR_PUZZLES_DIR)) {
        if (e.path().extension() != ".xml") continue;
        const std::string nome = e.path().stem().string(), percorso = e.path().string();
        benchmark::RegisterBenchmark(("Valuta/" + nome).c_str(), Valuta, percorso, false)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Completa/" + nome).c_str(), Valuta, percorso, true)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
