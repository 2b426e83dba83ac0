// Rating of every published puzzle, as "Valuta" (stops after level 2) and as the full run of
// "Mostra" (all five levels, nothing shown). Each run reports the level and the cells decided.
// The hint on every position reached by following the explanation of each puzzle: from the clues,
// hint after hint, each applied; the times of the hints whose step is of level 2 or less and of
// those beyond, per puzzle and over all puzzles ("Suggerimento/tutti").
#include "explain/Spiegazione.h"
#include "explain/Suggerimento.h"
#include "model/Impostazione.h"
#include "ui/ProgrammaSenzaFinestra.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

using namespace isolmar;

namespace {

void Valuta(benchmark::State& stato, const std::string& percorso, bool completa) {
    const auto w = std::make_unique<ProgrammaSenzaFinestra>();
    Form1* const f = &w->f;
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

// Hint times in seconds: steps of level 0..2, and beyond.
std::vector<double> tempiFacili, tempiDifficili;

void Quantili(benchmark::State& stato, std::vector<double> t, const std::string& nome) {
    stato.counters[nome + "_n"] = static_cast<double>(t.size());
    if (t.empty()) return;
    std::sort(t.begin(), t.end());
    auto q = [&](double f) {
        return t[static_cast<size_t>(f * static_cast<double>(t.size() - 1))];
    };
    stato.counters[nome + "_med_ms"] = q(0.5) * 1000;
    stato.counters[nome + "_p90_ms"] = q(0.9) * 1000;
    stato.counters[nome + "_max_ms"] = t.back() * 1000;
}

void Suggerisci(benchmark::State& stato, const std::string& percorso) {
    const auto w = std::make_unique<ProgrammaSenzaFinestra>();
    Form1* const f = &w->f;
    if (!f->ApriFile(percorso) || f->ContaSoluzioni() != EsitoRicerca::Una) {
        stato.SkipWithError("file non valido");
        return;
    }
    std::vector<double> facili, difficili;
    for (auto _ : stato) {
        // From the clues.
        AzzeraTabella(f->m.TblGioco);
        for (int i = 1; i <= f->m.NumEle; ++i)
            f->m.TblGioco(f->m.Ele[i].Riga, f->m.Ele[i].Colonna) = 1;
        for (;;) {
            PassoSuggerito passo;
            const auto t0 = std::chrono::steady_clock::now();
            const EsitoPasso e = CercaPasso(f->Spieg, passo);
            const double t =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            if (e != EsitoPasso::Trovato) break;
            (passo.C.Livello <= 2 ? facili : difficili).push_back(t);
            for (const CellaPasso& k : passo.Celle)
                f->m.TblGioco(k.Riga, k.Colonna) = k.Isola ? 1 : 2;
        }
    }
    tempiFacili.insert(tempiFacili.end(), facili.begin(), facili.end());
    tempiDifficili.insert(tempiDifficili.end(), difficili.begin(), difficili.end());
    Quantili(stato, facili, "fino2");
    Quantili(stato, difficili, "oltre2");
}

void SuggerisciTutti(benchmark::State& stato) {
    for (auto _ : stato) {
    }
    Quantili(stato, tempiFacili, "fino2");
    Quantili(stato, tempiDifficili, "oltre2");
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
    std::vector<std::filesystem::path> file;
    for (const auto& e : std::filesystem::directory_iterator(ISOLMAR_PUZZLES_DIR))
        if (e.path().extension() == ".xml") file.push_back(e.path());
    std::sort(file.begin(), file.end());
    for (const auto& x : file)
        benchmark::RegisterBenchmark(("Suggerimento/" + x.stem().string()).c_str(), Suggerisci,
                                     x.string())
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    benchmark::RegisterBenchmark("Suggerimento/tutti", SuggerisciTutti)->Iterations(1);
    return true;
}();

} // namespace

BENCHMARK_MAIN();
