// Board set-up after a puzzle is loaded or generated, and the small grid-table utilities.
#pragma once

#include "model/Modello.h"
#include "view/Griglia.h"
#include "view/Piattaforma.h"

namespace isolmar {

// Board grid metrics, in twips.
inline constexpr int LatoCella = 500;
inline constexpr int MargineGriglia = 110;

// The whole table (margin included) set to 0 / made a copy of another.
template <class T> void AzzeraTabella(TabellaGriglia<T>& t) {
    t.Azzera();
}
template <class T> void CopiaTabella(const TabellaGriglia<T>& da, TabellaGriglia<T>& a) {
    a = da;
}
// Layers 1..5 set to 0.
template <int K> void AzzeraTabellab(TabellaGriglia3<int16_t, K>& t) {
    static_assert(K > 5, "AzzeraTabellab clears layers 1..5");
    for (int k = 1; k <= 5; ++k)
        AzzeraTabella(t[k]);
}

// Player's board: all undecided but the clue cells; the move list gr2 is emptied and hidden.
void InizializzaTblGioco(Modello& m, Griglia& gr2);
// Solver's board: all free but the clue cells. No display.
void InizializzaSchemaEle(Modello& m);
// Solver's board as above, CelleLibere reset, and the board grid Gr rebuilt and laid out.
void InizializzaSchema(Modello& m, Griglia& Gr, Piattaforma& p);

} // namespace isolmar
