// A puzzle as a reader produces it, before it enters the model. Every reader fills one, asks
// ValidaSchema, and only a valid puzzle replaces the model's current one (ApplicaSchema).
#pragma once

#include "model/Modello.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace isolmar {

struct Indizio {
    int Num = 0;
    int Riga = 0;
    int Colonna = 0;
};

struct Schema {
    int Righe = 0;
    int Colonne = 0;
    std::vector<Indizio> Isole; // in file order
};

// Clue cells in pairs, as authors often place them: Rot2 the half turn about the board's centre,
// (r, c) with (R + 1 - r, C + 1 - c); Specchio the left-right mirror, (r, C + 1 - c).
enum class Simmetria { Nessuna, Rot2, Specchio };
// The image of cell (r, c) on a board of righe x colonne: {row, column}.
std::pair<int, int> Immagine(Simmetria s, int righe, int colonne, int r, int c);

// "" when the puzzle is one the program holds (1..MaxLato rows and columns, at least one clue,
// clues from 1 to the number of cells, inside the grid, at most one clue per cell); otherwise the
// reason, in Italian.
std::string ValidaSchema(const Schema& s);

// "" when the search over whole island shapes takes the puzzle (at most MaxRighe rows and
// columns, MaxIsole islands, clues up to MaxNum); otherwise why not, in Italian.
std::string OltreLeForme(const Schema& s);
// The same for the solver's fixed tables alone (board and island count), which the explanation
// needs whatever the clues.
std::string OltreLeTabelle(const Schema& s);

// Puts a valid puzzle into the model: size, islands (unmarked), solver fields cleared. Returns
// false and leaves the model untouched when the puzzle is not valid.
bool ApplicaSchema(Modello& m, const Schema& s);
// The same without the check, for a puzzle being composed (no clue yet, clues side by side):
// s must fit the model's tables (sizes and clue cells within the board).
void PoniSchema(Modello& m, const Schema& s);

// The model's current puzzle.
Schema SchemaDa(const Modello& m);

// True when celle (R x C characters, row by row, '1' island, anything else wall) solves the
// puzzle: every clue in an island of exactly its size with no other clue, the wall connected,
// no 2 x 2 block of wall.
bool RisolveSchema(const Schema& s, std::string_view celle);

// The model's k-th stored solution in that form: '1' island, '0' wall, row by row.
std::string CelleSoluzione(const Modello& m, int k = 1);

} // namespace isolmar
