#include "model/Modello.h"

#include <cstdio>
#include <cstdlib>

namespace isolmar {

Modello::Modello() {
    NumRighe = 10;
    NumColonne = 10;
    DimensionaTabelle(*this);

    // The monomino: one cell with its four orthogonal neighbours as ring.
    Tessere.resize(2);
    Tessera& mono = Tessere[1];
    mono.Dim = 1;
    mono.Cella[2][2] = CellaTessera;
    mono.Cella[1][2] = mono.Cella[2][1] = mono.Cella[2][3] = mono.Cella[3][2] = CellaBordo;
    mono.Righe = 3;
    mono.Colonne = 3;
    IndTessere[1] = {1, 1};
    NumTessere = 1;
}

void DimensionaTabelle(Modello& m) {
    const int r = m.NumRighe, c = m.NumColonne;
    for (Griglia8* t : {&m.TblGioco, &m.TblSchema, &m.TblVisitate, &m.TblIsoleLog})
        t->Dimensiona(r, c);
    m.Tblsol.Dimensiona(r, c);
    const size_t isole = static_cast<size_t>(std::max<int>(m.NumEle, MaxEle)) + 1;
    m.Ele.resize(isole);
    m.svEle.resize(isole);
    for (auto& livello : m.EleSol)
        for (auto& s : livello)
            s.resize(isole);
}

void FuoriTabella(int r, int c, int righe, int colonne) {
    std::fprintf(stderr, "Indice (%d, %d) fuori da una tabella di %d x %d celle\n", r, c, righe,
                 colonne);
    std::abort();
}

} // namespace isolmar
