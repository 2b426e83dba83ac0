// The rule errors on the player's board, found from the clues and the player's marks alone (never
// from a solution), so that they can be shown while the player plays.
#pragma once

#include "model/Schema.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace isolmar {

// Per cell of celle (the board row by row: '1' island, '2' wall, anything else undecided; a clue
// cell is island whatever it holds), the errors it is part of, as segni:: bits (view/Griglia.h):
// - Muro2x2: a 2 x 2 block of wall;
// - DueIndizi: an island (island cells joined side by side) holding two or more clues;
// - IsolaGrande: an island of one clue with more cells than its number;
// - IsolaPiccola: an island of one clue with fewer cells, that no undecided cell touches;
// - IsolaSenzaIndizio: an island with no clue, that no undecided cell touches;
// - MuroDiviso: walls that can no longer join the others, parted from them by islands and edges:
//   every such group but the one with the most wall cells (all of them when several tie).
std::vector<uint16_t> ErroriGioco(const Schema& s, std::string_view celle);

// What the error marks among segni say, one line each in the order above ("" with none): the
// tool tip of a marked cell.
std::string DescriviErrori(uint16_t segni);

} // namespace isolmar
