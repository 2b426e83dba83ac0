// Helpers of the solver tests: an independent rule checker, the cells of a placed shape and the
// published puzzles.
#pragma once

#include "model/Impostazione.h"
#include "model/Modello.h"
#include "model/Schema.h"
#include "solver/Risolutore.h"
#include "solver/Tessere.h"
#include "view/Griglia.h"
#include "view/PiattaformaHeadless.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace isolmar::prova {

// A solver on a model, grid and host of its own.
struct BancoRisolutore {
    std::unique_ptr<Modello> m = NuovoModello();
    Griglia Gr;
    PiattaformaHeadless p;
    Risolutore s{*m, Gr, p};
    BancoRisolutore() = default;
    // With the shapes up to 7 cells built and the puzzle laid out.
    explicit BancoRisolutore(const Schema& schema) {
        GeneraTessere(*m, 7);
        Carica(schema);
    }
    // Lays a puzzle out for a search, as the window does before one.
    void Carica(const Schema& schema) {
        EXPECT_TRUE(ApplicaSchema(*m, schema));
        VerificaTutteTessere(*m, p);
        InizializzaSchema(*m, Gr, p);
    }
};

// A solved board: rows of '1' (island) and '0' (wall).
using Tavola = std::vector<std::string>;

// "" when the board is a valid Nurikabe solution of the puzzle, else the broken rule.
std::string ControllaRegole(const Schema& s, const Tavola& t);

// The board of solution k of the model's Tblsol.
Tavola TavolaDaTblsol(const Modello& m, int k);

// The cells (row, column) of shape t with its cell (a, b) on (r, c); those of an island placed.
std::set<std::pair<int, int>> CelleForma(const Modello& m, int r, int c, int t, int a, int b);
inline std::set<std::pair<int, int>> CelleIsola(const Modello& m, const Isola& e) {
    return CelleForma(m, e.Riga, e.Colonna, e.Tessera, e.TessRiga, e.TessColonna);
}

struct Pubblicato {
    std::string Nome;
    Schema S;
    Tavola Soluzione;
};
// Every puzzle of the shared folder (text form), sorted by name.
std::vector<Pubblicato> PuzzlePubblicati();
// The hard published puzzles (large islands, large boards), beside the others.
std::vector<Pubblicato> PuzzleDifficili();
// The published puzzles beyond the shape table (clues over 9, more than 50 islands).
std::vector<Pubblicato> PuzzleOltre();

} // namespace isolmar::prova
