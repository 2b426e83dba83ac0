// Minimum vertex separators on the board's grid graph, for the connectivity cuts of the SAT
// engine.
#pragma once

#include <cstdint>
#include <vector>

namespace isolmar {

// Cell v's neighbour in direction d (0 up, 1 down, 2 left, 3 right) on a board of the given
// size, cells numbered row by row; -1 off the board.
inline int VicinoSu(int v, int d, int righe, int colonne) {
    const int r = v / colonne, c = v % colonne;
    switch (d) {
    case 0:
        return r > 0 ? v - colonne : -1;
    case 1:
        return r + 1 < righe ? v + colonne : -1;
    case 2:
        return c > 0 ? v - 1 : -1;
    default:
        return c + 1 < colonne ? v + 1 : -1;
    }
}

class Separatore {
  public:
    Separatore(int righe, int colonne);

    // Ruolo of a cell: outside the graph, a cell that may be cut, one that may not (a path may
    // always pass it), a source, a sink (sources and sinks may not be cut either).
    enum Ruolo : uint8_t { Fuori, Tagliabile, Passante, Sorgente, Pozzo };

    // Fills taglio with a minimum set of Tagliabile cells that every path from a source to a sink
    // within the graph meets, the one nearest the sources (empty when no path joins them at
    // all). False when a path of cells that may not be cut joins them: there is no such set.
    // ruolo holds a Ruolo per cell, row by row.
    bool Minimo(const std::vector<uint8_t>& ruolo, std::vector<int>& taglio);

  private:
    int righe_, colonne_;
    // Per cell: flow through a cuttable cell (0 or 1), and per cell and direction the flow from
    // the cell out to its neighbour; the search's parents and marks.
    std::vector<uint8_t> interno_;
    std::vector<int> uscita_;
    std::vector<int> padre_, coda_;
    std::vector<uint32_t> visto_;
    uint32_t giro_ = 0;
    int Vicino(int v, int d) const { return VicinoSu(v, d, righe_, colonne_); }
    // Takes one shortest augmenting path; false when none is left.
    bool Aumenta(const std::vector<uint8_t>& ruolo);
    int Direzione(int da, int a) const;
};

} // namespace isolmar
