// Placements of the islands the shape table does not hold (clues over MaxNum), found on the board
// itself: every connected set of Num cells that holds the island's clue and keeps off the other
// clues and their neighbours, in a fixed order. They follow the same rules as a table shape that
// VerificaSeciSta accepts on the puzzle's clues alone.
#pragma once

#include "model/Modello.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace isolmar {

// Why the islands over MaxNum cells cannot all be given their placements, in Italian, naming the
// first such island in reading order ("" when they can).
std::string TroppeFormeGrandi(const Modello& m);

// Calls f with the cells of each placement of the island of num cells whose clue is (riga,
// colonna), on a board like TblSchema (0 free, 1 island: the clues); f answers false to stop.
// False when they are more than limite, one spans more than a drawing holds, or f stopped.
using CelleForma = std::vector<std::pair<uint8_t, uint8_t>>;
bool PerFormeGrandi(const Griglia8& schema, int riga, int colonna, int num, int64_t limite,
                    const std::function<bool(const CelleForma&)>& f);

// The drawings of the placements of one island, added to m.Tessere from PrimaTesseraGrande on, one
// per distinct shape: Posa(t, a, b) as a Mossa takes them. Clear() drops every drawing added.
class DisegniGrandi {
  public:
    explicit DisegniGrandi(Modello& m) : m(m) {}
    void Clear();
    // The drawing of the cells as a shape with its clue cell (riga, colonna): t, a, b.
    struct Posa {
        int32_t t;
        uint8_t a, b;
    };
    Posa Aggiungi(const CelleForma& celle, int riga, int colonna);

  private:
    Modello& m;
    std::unordered_map<std::string, int32_t> indice_; // a drawing's rows -> its number
};

} // namespace isolmar
