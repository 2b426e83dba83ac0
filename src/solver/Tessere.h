// The island shapes: every fixed polyomino of 1 to 9 cells, drawn with its border ring, stored
// by size and, inside a size, in ascending order of its drawing's key. That order is the order in
// which the search tries an island's shapes.
#pragma once

#include "model/Modello.h"
#include "view/Piattaforma.h"

#include <string>
#include <vector>

namespace isolmar {

// Builds sizes 2..d in order (each only if missing).
void GeneraTessere(Modello& m, int d);
// Appends every shape of d cells (2..9) and sets IndTessere(d), decoded from the table computed
// when the program was built. Does nothing when size d is already present or size d - 1 is missing.
void GeneraTessereDim(Modello& m, int d);
// Computes the same: appends every shape grown from those of d - 1 cells, the last size present,
// and sets IndTessere(d). The build runs it to write that table.
void CresciTessere(Modello& m, int d);
// Sorts keys lo..hi in place, ascending (quicksort with a moving hole).
void Sortaqs6(std::vector<std::string>& chiavi, int lo, int hi);
// Builds sizes 8 and 9 when a clue of the loaded puzzle needs them, with a status text meanwhile.
void VerificaTutteTessere(Modello& m, Piattaforma& p);

inline constexpr const char* TestoOttimizzazione = "   Ottimizzazione risorse ....";

} // namespace isolmar
