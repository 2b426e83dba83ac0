// Board set-up after a puzzle is loaded or generated, and the small grid-table utilities.
#pragma once

#include "model/Modello.h"
#include "view/Griglia.h"
#include "view/Piattaforma.h"

namespace isolmar {

// Board grid metrics, in twips.
inline constexpr int LatoCella = 500;
inline constexpr int MargineGriglia = 110;

// Elements (i, j), i, j = 1..n, set to 0 / copied. Index 0 and cells beyond n stay as they are.
template <class T> void AzzeraTabella(TabellaGriglia<T>& t, int n) {
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= n; ++i)
            t(i, j) = 0;
}
template <class T> void CopiaTabella(const TabellaGriglia<T>& da, TabellaGriglia<T>& a, int n) {
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= n; ++i)
            a(i, j) = da(i, j);
}
// Elements (k, i, j) set to 0 for k = 1..5 and i, j = 1..n.
template <int K> void AzzeraTabellab(TabellaGriglia3<int16_t, K>& t, int n) {
    static_assert(K > 5, "AzzeraTabellab clears layers 1..5");
    for (int k = 1; k <= 5; ++k)
        AzzeraTabella(t[k], n);
}

// Player's board: all undecided but the clue cells; the move list gr2 is emptied and hidden.
void InizializzaTblGioco(Modello& m, Griglia& gr2);
// Solver's board: all free but the clue cells. No display.
void InizializzaSchemaEle(Modello& m);
// Solver's board as above, CelleLibere reset, and the board grid Gr rebuilt and laid out.
void InizializzaSchema(Modello& m, Griglia& Gr, Piattaforma& p);

} // namespace isolmar
