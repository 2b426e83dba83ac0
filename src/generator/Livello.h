// Generating at a chosen level: candidates are generated one after another, each with exactly
// one solution, and rated by the whole explanation (all hypothesis levels, as "Mostra" runs it);
// only those whose explanation decides every cell at exactly the level asked are kept.
//
// Candidate k is generated from a seed of its own, (Seme, k), and the kept puzzles are the first
// ones in candidate order, so a run gives the same puzzles whatever the number of jobs.
#pragma once

#include "model/Schema.h"

#include <cstdint>
#include <functional>
#include <string>

namespace isolmar {

struct RichiestaLivello {
    int Righe = 10, Colonne = 10, IsolaMax = 4;
    int Livello = 0; // 0..5
    int Quanti = 1;  // puzzles to keep
    int Lavori = 1;  // threads, each with its own model
    uint64_t Seme = 0;
    int Limite = 0; // seconds for the whole run; 0 none
};
inline constexpr int MaxLivelloRichiesto = 5;
// A run gives up on a level that this many candidates in a row do not reach.
inline constexpr long MaxCandidatiPerSchema = 20000;

struct SchemaLivello {
    Schema S;
    std::string Soluzione; // R x C characters, '1' island
    int Livello = 0;
    long Candidato = 0; // the candidate that gave it, from 1
    long Candidati = 0; // candidates generated for it since the previous kept puzzle
};

struct EsitoLivello {
    int Tenuti = 0;
    long Candidati = 0;      // candidates decided, in order
    bool Interrotta = false; // stopped by the time limit
    std::string Errore;      // why the run gave up, "" otherwise
};

// The seed of candidate (or puzzle) k of a run with seed seme, as generate uses it.
inline uint64_t SemeCandidato(uint64_t seme, long k) {
    return seme * 1000003u + static_cast<uint64_t>(k);
}

// Generates until r.Quanti puzzles of level r.Livello are kept, the time limit passes, or a
// candidate cannot be generated. suSchema receives each kept puzzle, in order, on the calling
// thread.
EsitoLivello GeneraALivello(const RichiestaLivello& r,
                            const std::function<void(const SchemaLivello&)>& suSchema);

} // namespace isolmar
