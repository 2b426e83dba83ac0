// Helpers of the solver tests: an independent rule checker and a reader of the published
// puzzles' text form.
#pragma once

#include "model/Modello.h"
#include "model/Schema.h"

#include <string>
#include <vector>

namespace isolmar::prova {

// A solved board: rows of '1' (island) and '0' (wall).
using Tavola = std::vector<std::string>;

// "" when the board is a valid Nurikabe solution of the puzzle, else the broken rule.
std::string ControllaRegole(const Schema& s, const Tavola& t);

// The board of solution k of the model's Tblsol.
Tavola TavolaDaTblsol(const Modello& m, int k);

struct Pubblicato {
    std::string Nome;
    Schema S;
    Tavola Soluzione;
};
// Every puzzle of the shared folder (text form), sorted by name.
std::vector<Pubblicato> PuzzlePubblicati();
// The hard published puzzles (large islands, large boards), beside the others.
std::vector<Pubblicato> PuzzleDifficili();

} // namespace isolmar::prova
