// Generating at a chosen level: candidates are generated one after another, each with exactly
// one solution, and rated by the whole explanation (all hypothesis levels, as "Mostra" runs it);
// only those whose explanation decides every cell at exactly the level asked are kept.
//
// Every number of a series draws its own candidates, each seeded from the series' seed, that
// number and the candidate's place; the first of them to reach the level is that number's
// puzzle. So a run gives the same puzzles whatever the number of jobs, and a series split by
// number over several runs (PrimoIndice) gives the puzzles one run gives.
#pragma once

#include "generator/Generatore.h"
#include "model/Schema.h"

#include <cstdint>
#include <functional>
#include <string>

namespace isolmar {

struct RichiestaLivello {
    int Righe = 10, Colonne = 10, IsolaMax = 4;
    int Livello = 0;      // 0..5
    int Quanti = 1;       // puzzles to keep
    long PrimoIndice = 1; // the index in the series of the first of them
    int Lavori = 1;       // threads, each with its own model
    uint64_t Seme = 0;
    int Limite = 0; // seconds for the whole run; 0 none
    // As the Generatore fields of the same names; with Minimo the pass removes a clue only when
    // the puzzle left still rates exactly Livello.
    Generatore::Simmetria Simm = Generatore::Simmetria::Nessuna;
    int MinMaggiore = 0;
    bool Minimo = false;
    // Called on the calling thread about every 20 ms while it waits for the jobs (a window
    // yields to its events there); true stops the run as the time limit does.
    std::function<bool()> Attesa;
};
inline constexpr int MaxLivelloRichiesto = 5;
// A run gives up on a level that this many candidates in a row do not reach.
inline constexpr long MaxCandidatiPerSchema = 20000;

struct SchemaLivello {
    Schema S;
    std::string Soluzione; // R x C characters, '1' island
    int Livello = 0;
    long Indice = 0;    // its index in the series
    long Candidati = 0; // candidates generated for it: the last one gave it
};

struct EsitoLivello {
    int Tenuti = 0;
    long Candidati = 0;      // candidates decided, in order, over the whole run
    bool Interrotta = false; // stopped by the time limit
    std::string Errore;      // why the run gave up, "" otherwise
};

// The seed derived from seme for number k: a generated puzzle's seed from the series' seed and,
// at a level, a candidate's seed from its puzzle's seed.
inline uint64_t SemeCandidato(uint64_t seme, long k) {
    return seme * 1000003u + static_cast<uint64_t>(k);
}

// Generates until r.Quanti puzzles of level r.Livello are kept, the time limit passes, or a
// candidate cannot be generated. suSchema receives each kept puzzle, in order, on the calling
// thread.
EsitoLivello GeneraALivello(const RichiestaLivello& r,
                            const std::function<void(const SchemaLivello&)>& suSchema);

} // namespace isolmar
