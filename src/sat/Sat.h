// A solver for the puzzles the shape search cannot take (clues over 9, many islands, large
// boards): the puzzle as a propositional formula handed to CaDiCaL, with the connectivity of the
// islands and of the wall added lazily as cuts. Toolkit-free and independent of Modello: it
// reads a Schema and returns the solutions as strings.
#pragma once

#include "model/Schema.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace isolmar {

struct OpzioniSat {
    // The most solutions to find: 1 finds one, 2 proves uniqueness.
    int Soluzioni = 2;
    // R x C values row by row, or empty: -1 free, 0 wall, 1 island (the player's marks).
    std::vector<int8_t> Fisse;
    // Island indices (into Schema::Isole), or empty for the whole board: two solutions count as
    // different only when the cells of these islands differ.
    std::vector<int> Proiezione;
    // Polled while the solver runs; true stops it (Interrotta).
    std::function<bool()> Ferma;
    // Islands up to this size are built connected in the first encoding (the second builds every
    // island so, and runs only when the first has not finished within its first slice).
    int MaxConnessa = 9;
};

enum class EsitoSat { Nessuna, Una, Piu, Interrotta };

struct RisultatoSat {
    EsitoSat Esito = EsitoSat::Nessuna;
    // R x C characters row by row, '1' island, '0' wall, in the order found.
    std::vector<std::string> Soluzioni;
    int64_t Conflitti = 0; // conflicts of the SAT solver (learned clauses)
    int64_t Tagli = 0;     // connectivity cuts added
    int64_t Modelli = 0;   // models the SAT solver returned, cut or kept
};

RisultatoSat RisolviSat(const Schema& s, const OpzioniSat& o);

} // namespace isolmar
