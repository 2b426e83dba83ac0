// A generator with its model, board grid, headless host and solver, as the generator tests use it.
#pragma once

#include "generator/Generatore.h"
#include "model/Impostazione.h"
#include "model/Schema.h"
#include "solver/Regole.h"
#include "solver/Tessere.h"
#include "view/PiattaformaHeadless.h"

#include <gtest/gtest.h>

#include <sstream>

namespace isolmar::prova {

template <class P = PiattaformaHeadless> struct BancoGen {
    std::unique_ptr<Modello> m = NuovoModello();
    Griglia Gr;
    P p;
    Risolutore s{*m, Gr, p};
    Generatore g{*m, Gr, p, s};

    // The clock stands still, so that no time limit depends on the machine's speed.
    explicit BancoGen(int righe = 10, int colonne = 10) {
        p.FissaOrologio(1000);
        GeneraTessere(*m, 7);
        m->NumRighe = static_cast<uint8_t>(righe);
        m->NumColonne = static_cast<uint8_t>(colonne);
        DimensionaTabelle(*m);
    }
    void Carica(const Schema& schema) {
        EXPECT_TRUE(ApplicaSchema(*m, schema));
        VerificaTutteTessere(*m, p);
        InizializzaSchema(*m, Gr, p);
    }
};
using Banco = BancoGen<>;

// The puzzle in the model as one line of text.
inline std::string Testo(const Modello& m) {
    std::ostringstream o;
    o << int(m.NumRighe) << 'x' << int(m.NumColonne);
    for (int i = 1; i <= m.NumEle; ++i)
        o << ' ' << int(m.Ele[i].Num) << '@' << int(m.Ele[i].Riga) << ',' << int(m.Ele[i].Colonna);
    return o.str();
}

} // namespace isolmar::prova
