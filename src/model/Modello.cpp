#include "model/Modello.h"

namespace isolmar {

Modello::Modello() {
    NumRighe = 10;
    NumColonne = 10;

    // The monomino: one cell with its four orthogonal neighbours as ring.
    Tessera& mono = Tessere[1];
    mono.Dim = 1;
    mono.Cella[2][2] = CellaTessera;
    mono.Cella[1][2] = mono.Cella[2][1] = mono.Cella[2][3] = mono.Cella[3][2] = CellaBordo;
    mono.Righe = 3;
    mono.Colonne = 3;
    IndTessere[1] = {1, 1};
    NumTessere = 1;
}

} // namespace isolmar
