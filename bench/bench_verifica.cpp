// The author's check on every published puzzle: the check with its level (what the window runs
// after each keystroke), with the removable clues, and, on the puzzle with one clue taken away
// (the first whose removal leaves several solutions), the check and the suggested move. Each
// run reports the longest stretch of work between two calls of the callback. Fermata: the check
// with the removable clues, stopped by the callback after 30 ms; how long it takes to return.
#include "generator/Verifica.h"
#include "io/PuzzLink.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

using namespace isolmar;

namespace {

using Orologio = std::chrono::steady_clock;

enum class Prova { Livello, Minimale, Tolto, Proposta, Fermata };
constexpr double AttesaFermata = 0.030;

// The puzzle with its first clue whose removal leaves several solutions taken away.
bool Togli(Verificatore& v, Schema& s) {
    for (size_t k = 0; k < s.Isole.size(); ++k) {
        Schema t = s;
        t.Isole.erase(t.Isole.begin() + static_cast<std::ptrdiff_t>(k));
        if (v.Verifica(t, {false, false}).Stato == StatoVerifica::Multiple) {
            s = t;
            return true;
        }
    }
    return false;
}

void Verifica(benchmark::State& stato, const std::string& percorso, Prova prova) {
    const EsitoLettura l = LeggiSorgente(percorso);
    Schema s = l.Letto.S;
    Orologio::time_point ultima = Orologio::now();
    double lacuna = 0; // the longest gap between two calls, in seconds
    Orologio::time_point inizio = Orologio::now(), fermata{};
    Verificatore v([&] {
        const auto ora = Orologio::now();
        lacuna = std::max(lacuna, std::chrono::duration<double>(ora - ultima).count());
        ultima = ora;
        if (prova != Prova::Fermata || fermata != Orologio::time_point{} ||
            std::chrono::duration<double>(ora - inizio).count() < AttesaFermata)
            return false;
        fermata = ora;
        return true;
    });
    if (!l.Ok() || ((prova == Prova::Tolto || prova == Prova::Proposta) && !Togli(v, s))) {
        stato.SkipWithError("nessuno schema da provare");
        return;
    }
    int risultato = 0;
    const long prima = v.Ricerche();
    double dopoFermata = 0;
    for (auto _ : stato) {
        ultima = inizio = Orologio::now();
        fermata = {};
        lacuna = 0;
        if (prova == Prova::Proposta) {
            risultato = v.Suggerisci(s) ? 1 : 0;
        } else {
            const EsitoVerifica e =
                v.Verifica(s, {true, prova == Prova::Minimale || prova == Prova::Fermata});
            risultato = prova == Prova::Minimale ? static_cast<int>(e.Rimovibili.size())
                        : prova == Prova::Tolto  ? static_cast<int>(e.Diverse.size())
                                                 : e.Livello;
        }
        lacuna = std::max(lacuna, std::chrono::duration<double>(Orologio::now() - ultima).count());
        if (fermata != Orologio::time_point{})
            dopoFermata = std::chrono::duration<double>(Orologio::now() - fermata).count();
    }
    if (prova == Prova::Fermata) stato.counters["fermata_ms"] = dopoFermata * 1000;
    stato.counters["risultato"] = risultato;
    stato.counters["ricerche"] =
        static_cast<double>(v.Ricerche() - prima) / static_cast<double>(stato.iterations());
    stato.counters["lacuna_ms"] = lacuna * 1000;
}

const bool registrati = [] {
    std::vector<std::filesystem::path> file;
    for (const auto& e : std::filesystem::directory_iterator(ISOLMAR_PUZZLES_DIR))
        if (e.path().extension() == ".xml") file.push_back(e.path());
    std::sort(file.begin(), file.end());
    const std::pair<const char*, Prova> prove[] = {{"Livello/", Prova::Livello},
                                                   {"Minimale/", Prova::Minimale},
                                                   {"Tolto/", Prova::Tolto},
                                                   {"Proposta/", Prova::Proposta},
                                                   {"Fermata/", Prova::Fermata}};
    for (const auto& [nome, prova] : prove)
        for (const auto& x : file)
            benchmark::RegisterBenchmark((nome + x.stem().string()).c_str(), Verifica, x.string(),
                                         prova)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1);
    return true;
}();

} // namespace

BENCHMARK_MAIN();
