// Composing a puzzle by hand: the clues typed so far on a board of a chosen size, placed one by
// one or in symmetric pairs, and the marks the board shows for them.
#pragma once

#include "generator/Verifica.h"
#include "model/Schema.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace isolmar {

struct Composizione {
    Schema S; // the clues so far, in the order they were placed
    Simmetria Simm = Simmetria::Nessuna;

    // The index in S.Isole of the clue on (r, c); -1 when none.
    int IndizioIn(int r, int c) const;
    // A digit typed on (r, c): right after another digit on the same cell it is appended (1 then
    // 2 gives 12) while the number fits the board, otherwise the cell takes it; 0 alone places
    // nothing. Under symmetry the image cell takes the same number when it has none. False when
    // nothing changed.
    bool Digita(int r, int c, int cifra);
    // Puts number num on (r, c) (replacing its clue), and on the image cell when it has none.
    void Poni(int r, int c, int num);
    // Clears (r, c) and, under symmetry, its image; false when neither held a clue.
    bool Cancella(int r, int c);
    // Applies a proposal: the clue it moves goes, its new place takes the number.
    void Applica(const Proposta& p);
    // Any other key or click ends the number being typed.
    void FineNumero() { ultima_.reset(); }

    // Per cell (row by row) the segni:: marks of the board for the last check e: clues touching
    // side by side (DueIndizi), the clue that cannot be satisfied (IsolaPiccola), the cells
    // where two solutions differ (Diversa), the clues that could go (Rimovibile), the proposed
    // cell (Proposto).
    std::vector<uint16_t> Segni(const EsitoVerifica* e, const std::optional<Proposta>& p) const;

  private:
    void Metti(int r, int c, int num);
    std::optional<Cella> ultima_; // the cell the last digit went to
};

} // namespace isolmar
